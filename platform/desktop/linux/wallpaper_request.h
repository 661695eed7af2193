#pragma once
// What the five desktop values ask for, as the Linux desktops need it: a file and a
// layout. The values arrive one by one; each is checked as it comes, so a value no
// desktop could show is refused by the store instead of half applied. The Linux back
// ends gather them here and their reload hands the whole request to the desktop.
#include <cstdint>
#include <string>

#include "platform/desktop/desktop_backend.h"

namespace tapestro::desktop {

enum class TWallpaperLayout {
  Tile,     // repeated from the top left corner
  Center,   // once, in the middle; the rest the background colour
  Stretch,  // scaled to the whole monitor, the aspect lost
  Fill,     // scaled to cover the monitor, the aspect kept, the overhang cropped
  Fit,      // scaled to show whole, the aspect kept, bars beside it
  Origin,   // once, its top left corner at the origin; the rest the background colour
};

struct TWallpaperRequest {
  std::string File;
  TWallpaperLayout Layout = TWallpaperLayout::Center;
  int32_t OriginX = 0;
  int32_t OriginY = 0;
};

// The layout as one word: "tile", "center", "stretch", "fill", "fit", and "X,Y" for an
// origin. The user's own command gets it as %m.
std::string LayoutWord(const TWallpaperRequest& request);

class TWallpaperValues {
 public:
  void Clear() { *this = TWallpaperValues(); }
  // false for a name the desktop settings do not have or a value outside its range.
  bool Set(const std::string& name, const std::string& value);
  // Tiling wins over the style, as on the system the values come from; an origin of
  // 0,0 cannot be told from centring and centres.
  TWallpaperRequest Request() const;

 private:
  std::string file_;
  bool tile_ = false;
  int32_t style_ = kStyleOwnSize;
  int32_t originX_ = 0;
  int32_t originY_ = 0;
};

class TCollectingDesktopBackend : public TDesktopBackend {
 public:
  bool OpenStore() override;
  TStoreResult SetStringValue(const std::string& name, const std::string& value) override;
  void CloseStore() override {}
  void Reload() override;

 protected:
  // Shows the request; EDesktopReloadError when the desktop does not take it.
  virtual void Apply(const TWallpaperRequest& request) = 0;

 private:
  TWallpaperValues values_;
};

}  // namespace tapestro::desktop
