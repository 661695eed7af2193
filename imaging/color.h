#pragma once
// Colours and logical palettes.
#include <cstdint>
#include <memory>
#include <vector>

namespace tapestro {

// 0x00BBGGRR, as window colours are written.
using TColor = uint32_t;

constexpr TColor RGBColor(uint8_t r, uint8_t g, uint8_t b) {
  return static_cast<TColor>(r) | (static_cast<TColor>(g) << 8) | (static_cast<TColor>(b) << 16);
}
constexpr uint8_t RedOf(TColor c) { return static_cast<uint8_t>(c); }
constexpr uint8_t GreenOf(TColor c) { return static_cast<uint8_t>(c >> 8); }
constexpr uint8_t BlueOf(TColor c) { return static_cast<uint8_t>(c >> 16); }

inline constexpr TColor clBlack = RGBColor(0, 0, 0);
inline constexpr TColor clWhite = RGBColor(255, 255, 255);
inline constexpr TColor clLime = RGBColor(0, 255, 0);

struct TPaletteEntry {
  uint8_t Red = 0;
  uint8_t Green = 0;
  uint8_t Blue = 0;
  uint8_t Flags = 0;
  friend bool operator==(const TPaletteEntry&, const TPaletteEntry&) = default;
};

inline constexpr uint8_t PC_NOCOLLAPSE = 4;
inline constexpr size_t kMaxPaletteEntries = 256;

// A logical palette of at most 256 entries. Palettes are immutable once made and
// passed around by handle; "the same palette" means the same handle.
struct TLogPalette {
  std::vector<TPaletteEntry> Entries;
};
using HPALETTE = std::shared_ptr<const TLogPalette>;

inline HPALETTE MakeLogPalette(std::vector<TPaletteEntry> entries) {
  if (entries.size() > kMaxPaletteEntries) entries.resize(kMaxPaletteEntries);
  return std::make_shared<const TLogPalette>(TLogPalette{std::move(entries)});
}

}  // namespace tapestro
