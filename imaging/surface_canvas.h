#pragma once
// A canvas on a 32-bit surface of blue, green, red and unused bytes, top row first: the
// screen image of a control, or pixels handed to the desktop.
#include <cstddef>
#include <cstdint>

#include "imaging/display_depth.h"
#include "imaging/pixel_format.h"
#include "imaging/software_canvas.h"

namespace tapestro {

class TSurfaceCanvas final : public TSoftwareCanvas {
 public:
  // Draws on the caller's memory, rows stride bytes apart, for a screen of that depth.
  TSurfaceCanvas(uint8_t* bits, int32_t width, int32_t height, ptrdiff_t stride,
                 int bitsPerPixel = DisplayBitsPerPixel());
  // Draws on its own memory, black at first. EOutOfResources past the pixel limit.
  TSurfaceCanvas(int32_t width, int32_t height, int bitsPerPixel = DisplayBitsPerPixel());

  int32_t Width() const override { return view_.Width(); }
  int32_t Height() const override { return view_.Height(); }
  int BitsPerPixel() const override { return bitsPerPixel_; }
  TPixelView Pixels() override { return view_; }

 protected:
  TPixelView BeginChange(const HPALETTE& palette) override;

 private:
  TPixelBuffer own_;
  TPixelView view_;
  int bitsPerPixel_;
  HPALETTE halftone_;  // realised when a drawing brings no palette of its own
};

}  // namespace tapestro
