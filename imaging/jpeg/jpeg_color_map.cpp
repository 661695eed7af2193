#include "imaging/jpeg/jpeg_color_map.h"

#include <algorithm>
#include <vector>

namespace tapestro {

HPALETTE PaletteFromColorMap(const jpeg_decompress_struct& info) {
  const int count = std::clamp(info.actual_number_of_colors, 0, static_cast<int>(kMaxPaletteEntries));
  const bool grey = info.out_color_space == JCS_GRAYSCALE;
  std::vector<TPaletteEntry> entries(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) {
    TPaletteEntry& entry = entries[static_cast<size_t>(i)];
    entry.Blue = info.colormap[0][i];
    entry.Green = grey ? entry.Blue : info.colormap[1][i];
    entry.Red = grey ? entry.Blue : info.colormap[2][i];
  }
  return MakeLogPalette(std::move(entries));
}

void FillColorMap(JSAMPARRAY map, const TLogPalette& palette) {
  for (size_t i = 0; i < palette.Entries.size(); ++i) {
    map[0][i] = palette.Entries[i].Blue;
    map[1][i] = palette.Entries[i].Green;
    map[2][i] = palette.Entries[i].Red;
  }
}

}  // namespace tapestro
