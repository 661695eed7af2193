#pragma once
// Scaled copies of pixels from one view into another: the stretch rules of drawing a
// bitmap into a rectangle of a canvas.
#include "imaging/color.h"
#include "imaging/geometry.h"
#include "imaging/pixel_view.h"

namespace tapestro {

enum class TStretchMode {
  // Shrinking keeps the AND of the colours it drops: black lines of a monochrome
  // picture survive.
  BlackOnWhite,
  // Rows and columns are dropped or repeated; no averaging.
  ColorOnColor,
  // Each target pixel is the average of (up to 4 x 4 samples of) the source pixels it
  // covers; for targets of few colours.
  Halftone,
};

struct TStretchRequest {
  TRect Dest;
  TPixelView Source;
  TRect SourceArea;
  TStretchMode Mode = TStretchMode::ColorOnColor;
  // When not empty: a 1-bit view of Source's size whose set bits leave the target
  // unchanged.
  TPixelView Mask;
};

// Draws the source area scaled into Dest of target. Only target pixels inside the
// target are computed, and each reads only the source pixels it shows; source pixels
// outside the source leave the target unchanged. Source and target may share memory.
void StretchPixels(const TPixelView& target, const TStretchRequest& request);

}  // namespace tapestro
