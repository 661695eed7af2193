#pragma once
// The canvas of a TBitmap: draws into the bitmap's own pixels, marking it changed before
// each drawing (a private copy of a shared image, kept file bytes dropped) and telling
// its change listener after.
#include "imaging/bitmap.h"
#include "imaging/canvas.h"

namespace tapestro {

class TBitmapCanvas final : public TSoftwareCanvas {
 public:
  explicit TBitmapCanvas(TBitmap& bitmap) : bitmap_(bitmap) {}

  int32_t Width() const override { return bitmap_.Width(); }
  int32_t Height() const override { return bitmap_.Height(); }
  int BitsPerPixel() const override { return bitmap_.BitsPerPixel(); }
  TPixelView Pixels() override { return bitmap_.Pixels(); }

 protected:
  TPixelView BeginChange(const HPALETTE& palette) override;
  void EndChange() override;

 private:
  TBitmap& bitmap_;
};

}  // namespace tapestro
