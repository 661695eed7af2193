#pragma once
// Colours, logical palettes and colour tables: the entries of blue, green, red and a
// zero byte that a bitmap of 8 or fewer bits per pixel keeps beside its pixels, their
// conversions to and from palettes, nearest-colour matching, and the palettes a bitmap
// makes for itself.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <unordered_map>
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

// One colour-table entry, in the order a BMP file stores it.
struct TRGBQuad {
  uint8_t Blue = 0;
  uint8_t Green = 0;
  uint8_t Red = 0;
  uint8_t Reserved = 0;
  friend bool operator==(const TRGBQuad&, const TRGBQuad&) = default;
};

using TColorTable = std::vector<TRGBQuad>;

constexpr TColor QuadColor(TRGBQuad quad) { return RGBColor(quad.Red, quad.Green, quad.Blue); }
constexpr TRGBQuad ColorQuad(TColor color) { return {BlueOf(color), GreenOf(color), RedOf(color), 0}; }

// tableSize entries, the first ones from the palette's entries, the rest zero.
TColorTable ColorTableFromPalette(const HPALETTE& palette, size_t tableSize);
// One palette entry per table entry, flags 0; none for an empty table.
HPALETTE PaletteFromColorTable(std::span<const TRGBQuad> table);
// The entry closest to color (squared distance; the lowest index on ties); 0 for an
// empty table.
size_t NearestColorIndex(std::span<const TRGBQuad> table, TColor color);

// Nearest-colour matching against one colour table, remembering every answer: pictures
// repeat their colours, and the table is searched once per distinct colour.
class TNearestColor {
 public:
  explicit TNearestColor(TColorTable table) : table_(std::move(table)) {}

  uint8_t IndexOf(TColor color);

 private:
  TColorTable table_;
  std::unordered_map<TColor, uint8_t> known_;
};

// The palettes a bitmap makes for itself. Each call makes a new palette handle.
inline constexpr int kCubeLevels = 6;  // per channel: 0, 51, ..., 255
inline constexpr int kHalftoneGreys = 40;

// 256 entries for showing any picture with 256 colours: the 6 x 6 x 6 colour cube
// (entry 36 r + 6 g + b has channels r, g, b times 51), then 40 evenly spread greys
// that lie between the cube's six grey steps.
HPALETTE HalftonePalette();
// The 16 colours every palette screen has, in their usual order: black, maroon, green,
// olive, navy, purple, teal, silver, grey, red, lime, yellow, blue, fuchsia, aqua, white.
HPALETTE SystemPalette16();

}  // namespace tapestro
