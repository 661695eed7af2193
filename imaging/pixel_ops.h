#pragma once
// Filling and copying pixels between views of any layout.
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

}  // namespace tapestro
