#include "imaging/standard_palettes.h"

#include <vector>

namespace tapestro {

namespace {
constexpr int kCubeStep = 255 / (kCubeLevels - 1);
}  // namespace

HPALETTE HalftonePalette() {
  std::vector<TPaletteEntry> entries;
  entries.reserve(kMaxPaletteEntries);
  for (int r = 0; r < kCubeLevels; ++r)
    for (int g = 0; g < kCubeLevels; ++g)
      for (int b = 0; b < kCubeLevels; ++b)
        entries.push_back({static_cast<uint8_t>(r * kCubeStep), static_cast<uint8_t>(g * kCubeStep),
                           static_cast<uint8_t>(b * kCubeStep), 0});
  // i * 255 / 41 never lands on a multiple of 51 for i in 1..40, so no grey repeats
  // one of the cube's.
  for (int i = 1; i <= kHalftoneGreys; ++i) {
    const auto level = static_cast<uint8_t>((i * 255 + (kHalftoneGreys + 1) / 2) / (kHalftoneGreys + 1));
    entries.push_back({level, level, level, 0});
  }
  return MakeLogPalette(std::move(entries));
}

HPALETTE SystemPalette16() {
  return MakeLogPalette({{0, 0, 0, 0},
                         {128, 0, 0, 0},
                         {0, 128, 0, 0},
                         {128, 128, 0, 0},
                         {0, 0, 128, 0},
                         {128, 0, 128, 0},
                         {0, 128, 128, 0},
                         {192, 192, 192, 0},
                         {128, 128, 128, 0},
                         {255, 0, 0, 0},
                         {0, 255, 0, 0},
                         {255, 255, 0, 0},
                         {0, 0, 255, 0},
                         {255, 0, 255, 0},
                         {0, 255, 255, 0},
                         {255, 255, 255, 0}});
}

}  // namespace tapestro
