#include "imaging/color.h"

#include <algorithm>
#include <limits>
#include <vector>

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

uint8_t TNearestColor::IndexOf(TColor color) {
  const auto found = known_.find(color);
  if (found != known_.end()) return found->second;
  // Tables hold at most 256 entries, so the index fits a byte.
  const auto index = static_cast<uint8_t>(NearestColorIndex(table_, color));
  known_.emplace(color, index);
  return index;
}

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
