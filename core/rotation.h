#pragma once
// The rotation's rules, apart from any window: where the next step goes in the image
// file list, the change cycle's units and limits, and what the cycle box's arrows do.
#include <cstdint>
#include <optional>
#include <string>

#include "controls/file_listing.h"
#include "controls/up_down_position.h"

namespace tapestro {

// The values the rotation and the wallpaper preparation share for the whole run.
struct TProgramValues {
  // Position in the image file list of the file the last rotation step took. It starts
  // before the first item so that the first step takes item 0, and is never reset.
  int32_t CurrentIndex = -1;
  std::string CurrentFile;  // the file being applied
  std::string WinDir;       // the system folder as last read
};

// The item after current in a list of count items, wrapping to the first; 0 for an
// empty list. A position left over from a longer list wraps to the first item too.
int32_t NextRotationIndex(int32_t current, int32_t count);

// Any item, each equally likely; count must be at least 1. The generator is seeded
// anew from the steady clock at every draw, so that no two runs repeat an order.
int32_t RandomRotationIndex(int32_t count);

// Where the rotation stands after the list was read again, given the name of the file
// it stood on: that file's new place, so the next step takes the file after it. A file
// gone since stands where it would sort, after the files that sort before it.
int32_t RotationIndexOfName(const std::string& name, const TFileListItems& items);

// The change cycle: whole minutes in the cycle box, milliseconds in the timer and in the
// settings file. A cycle the timer cannot run is refused rather than stored: 0 would
// never tick, and anything over 2^31 - 1 ms would tick early.
inline constexpr int32_t kMillisecondsPerMinute = 60000;
inline constexpr int32_t kShortestCycleMinutes = 1;
// The longest interval the timers take is 2^31 - 1 ms: 35791 minutes, about 24.8 days.
inline constexpr int32_t kLongestCycleMinutes = INT32_MAX / kMillisecondsPerMinute;

// The timer interval for a cycle of minutes; nothing outside the two limits above.
std::optional<uint32_t> CycleInterval(int32_t minutes);

// The cycle box's text after an arrow: up adds a minute, down takes one away but never
// goes below 1; an empty box becomes "1". EConvertError "'%s' is not a valid integer
// value" for text that is not a number; the box then keeps its text.
std::string CycleAfterArrow(const std::string& text, TUDBtnType button);

}  // namespace tapestro
