#pragma once
// Repeating a bitmap at its natural size over a rectangle: tiled frames and the tiled
// whole-image bitmap.
#include <cstdint>

#include "imaging/canvas.h"
#include "imaging/geometry.h"

namespace tapestro {

class TBitmap;

// Copies bitmap on a grid through (anchorX, anchorY) with its own size as the step,
// covering rect both ways; tiles are clipped to rect and to the canvas, so the work is
// bounded by the pixels that can change. Where mask (of the bitmap's size) has set
// bits the canvas stays unchanged.
void TileBitmap(TCanvas& canvas, const TRect& rect, int64_t anchorX, int64_t anchorY, TBitmap& bitmap,
                const TBitmap* mask);

}  // namespace tapestro
