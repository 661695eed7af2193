#pragma once
// Drawing on pixels of any layout: filling, copying, and the scaled copies that draw a
// bitmap into a rectangle of a canvas.
#include <cstdint>

#include "imaging/color.h"
#include "imaging/geometry.h"
#include "imaging/pixel_view.h"

namespace tapestro {

// Fills rect, clipped to the view, with color (the nearest table entry for indexed
// pixels).
void FillPixels(const TPixelView& target, const TRect& rect, TColor color);
// Copies the top-left width x height pixels of source onto the same place of target,
// converting colours; rows are copied as bytes when both views store pixels alike.
// The caller keeps width and height inside both views.
void CopyPixels(const TPixelView& source, const TPixelView& target, int32_t width, int32_t height);

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
