#pragma once
// Colour tables: the entries of blue, green, red and a zero byte that a bitmap of 8 or
// fewer bits per pixel keeps beside its pixels, and their conversions to and from
// logical palettes.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "imaging/color.h"

namespace tapestro {

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

}  // namespace tapestro
