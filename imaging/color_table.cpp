#include "imaging/color_table.h"

#include <algorithm>
#include <limits>

namespace tapestro {

TColorTable ColorTableFromPalette(const HPALETTE& palette, size_t tableSize) {
  TColorTable table(tableSize);
  if (!palette) return table;
  const size_t count = std::min(tableSize, palette->Entries.size());
  for (size_t i = 0; i < count; ++i) {
    const TPaletteEntry& entry = palette->Entries[i];
    table[i] = {entry.Blue, entry.Green, entry.Red, 0};
  }
  return table;
}

HPALETTE PaletteFromColorTable(std::span<const TRGBQuad> table) {
  if (table.empty()) return nullptr;
  std::vector<TPaletteEntry> entries;
  entries.reserve(std::min(table.size(), kMaxPaletteEntries));
  for (const TRGBQuad& quad : table.first(std::min(table.size(), kMaxPaletteEntries)))
    entries.push_back({quad.Red, quad.Green, quad.Blue, 0});
  return MakeLogPalette(std::move(entries));
}

size_t NearestColorIndex(std::span<const TRGBQuad> table, TColor color) {
  size_t best = 0;
  int bestDistance = std::numeric_limits<int>::max();
  for (size_t i = 0; i < table.size(); ++i) {
    const int dr = int{table[i].Red} - RedOf(color);
    const int dg = int{table[i].Green} - GreenOf(color);
    const int db = int{table[i].Blue} - BlueOf(color);
    const int distance = dr * dr + dg * dg + db * db;
    if (distance < bestDistance) {
      bestDistance = distance;
      best = i;
      if (distance == 0) break;
    }
  }
  return best;
}

}  // namespace tapestro
