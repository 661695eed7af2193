#pragma once
// The palettes a bitmap makes for itself. Each call makes a new palette handle.
#include "imaging/color.h"

namespace tapestro {

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
