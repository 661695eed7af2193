#pragma once
// The last step of every wallpaper change: the file and its placement go into the
// desktop's settings, then the desktop is asked to take them up. Also how a placement
// is stored ("Wallpaperloc") and named on the tool's command line.
#include <cstdint>
#include <exception>
#include <functional>
#include <optional>
#include <string>

#include "platform/desktop/desktop_backend.h"

namespace tapestro {

enum class PlacementCode : int32_t {
  Tile = 0,
  Center = 1,
  SizeToFit = 2,
  Fill = 3,            // scaled to cover each monitor, the aspect kept, the overhang cropped
  Fit = 4,             // scaled to show whole on each monitor, the aspect kept, bars beside
  ExplicitOrigin = 5,  // the only code for which the origin counts; stored as "X,Y"
};

// The placements with a stored code of their own, in the placement list's order: the
// list's index is the code, stored as its decimal text. The word names it on the
// tool's command line.
struct TNamedPlacement {
  PlacementCode Code;
  const char* Word;
};
inline constexpr TNamedPlacement kNamedPlacements[] = {
    {PlacementCode::Tile, "tile"}, {PlacementCode::Center, "center"},   {PlacementCode::SizeToFit, "fit"},
    {PlacementCode::Fill, "fill"}, {PlacementCode::Fit, "fit-borders"},  // "fit" keeps its meaning, the stretch
};

// A stored placement as the desktop wants it: a named placement's code, or "X,Y" an
// explicit origin; anything else centres.
struct TPlacementSetting {
  PlacementCode Code = PlacementCode::Center;
  // The origin as written; converted only when the wallpaper is applied.
  std::string XText = "0";
  std::string YText = "0";
};

// Splits an origin at the first comma: the text before it is x, everything after it y.
TPlacementSetting ParsePlacementSetting(const std::string& value);

// Two whole numbers joined by a comma: a stored origin that will apply. The placement
// list has no entry for it.
bool IsOriginSetting(const std::string& value);

// The stored form of a placement word or of an origin "X,Y" (kept as written, so that
// it is checked as a stored one is); nothing for another word.
std::optional<std::string> PlacementSettingOfWord(const std::string& word);

// Writes "Wallpaper", "TileWallpaper", "WallpaperStyle", "WallpaperOriginX" and
// "WallpaperOriginY" in this order, then requests the reload. A bare file name is made
// absolute against the current folder first, since the desktop has another one.
// EDesktopSettingsError "Failed to create key " when the store cannot be opened and
// "Failed to set data for '<value>'" when it refuses a value; nothing after that is
// written and no reload is requested. EDesktopReloadError when the desktop does not
// take the values.
void SetDesktopWallpaper(desktop::TDesktopBackend& desktop, const std::string& file, PlacementCode placement,
                         int32_t originX, int32_t originY);

// Work on the desktop (a wallpaper change) and what follows it.
using TDesktopWork = std::function<void(desktop::TDesktopBackend& desktop)>;
// Runs with the work's error, or null when it went through.
using TDesktopDone = std::function<void(std::exception_ptr error)>;
// Runs work with the desktop and then done: at once (the tool, tests) or on a queue
// (core/desktop_queue.h).
using TDesktopRunner = std::function<void(TDesktopWork work, TDesktopDone done)>;

// A runner on the calling thread: work's errors pass through to the caller.
TDesktopRunner RunAtOnce(desktop::TDesktopBackend& desktop);

}  // namespace tapestro
