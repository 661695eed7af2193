#pragma once
// The values the rotation and the wallpaper preparation share for the whole run.
#include <cstdint>
#include <string>

namespace tapestro {

struct TProgramValues {
  // Position in the image file list of the file the last rotation step took. It starts
  // before the first item so that the first step takes item 0, and is never reset.
  int32_t CurrentIndex = -1;
  std::string CurrentFile;  // the file being applied
  std::string WinDir;       // the system folder as last read
};

}  // namespace tapestro
