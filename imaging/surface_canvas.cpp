#include "imaging/surface_canvas.h"

#include "base/errors.h"
#include "imaging/color.h"
#include "imaging/pixel_format.h"

namespace tapestro {

TSurfaceCanvas::TSurfaceCanvas(uint8_t* bits, int32_t width, int32_t height, ptrdiff_t stride, int bitsPerPixel)
    : view_(TPixelView::OfSurface(bits, width, height, stride)), bitsPerPixel_(bitsPerPixel) {}

TSurfaceCanvas::TSurfaceCanvas(int32_t width, int32_t height, int bitsPerPixel) : bitsPerPixel_(bitsPerPixel) {
  const TPixelSize size = PixelSize(width, height, 32);
  if (size.Check != TSizeCheck::Ok) throw EOutOfResources(msg::kOutOfResources);
  own_ = TPixelBuffer(size.ImageBytes);
  view_ = TPixelView::OfSurface(own_.Data(), width, height, static_cast<ptrdiff_t>(size.RowBytes));
}

TPixelView TSurfaceCanvas::BeginChange(const HPALETTE& palette) {
  if (bitsPerPixel_ > 8) return view_;
  if (palette) return view_.ReducedTo(palette);
  if (!halftone_) halftone_ = HalftonePalette();
  return view_.ReducedTo(halftone_);
}

}  // namespace tapestro
