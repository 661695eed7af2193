#include "gif/color_cube.h"

#include <vector>

namespace tapestro {

HPALETTE CubePalette() {
  std::vector<TPaletteEntry> entries;
  entries.reserve(kCubeColors);
  for (int r = 0; r < kCubeLevelsPerChannel; ++r)
    for (int g = 0; g < kCubeLevelsPerChannel; ++g)
      for (int b = 0; b < kCubeLevelsPerChannel; ++b)
        entries.push_back({static_cast<uint8_t>(r * kCubeLevelStep), static_cast<uint8_t>(g * kCubeLevelStep),
                           static_cast<uint8_t>(b * kCubeLevelStep), 0});
  return MakeLogPalette(std::move(entries));
}

}  // namespace tapestro
