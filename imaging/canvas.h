#pragma once
// A drawing surface. Pictures draw themselves into a rectangle of it (TGraphic::Draw);
// the software canvases draw on pixel memory: a bitmap's own pixels, a 32-bit screen
// image, or any 32-bit surface a caller hands in.
#include <cstdint>
#include <functional>

#include "imaging/color.h"
#include "imaging/geometry.h"
#include "imaging/pixel_ops.h"
#include "imaging/pixel_view.h"

namespace tapestro {

class TBitmap;
class TGraphic;

class TCanvas {
 public:
  TCanvas() = default;
  virtual ~TCanvas() = default;
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;

  // Fills rectangles, and the new areas of a resized bitmap that has a canvas.
  TColor BrushColor = clWhite;
  // The colour of the 0 bits of a 1-bit bitmap rebuilt while it has a canvas.
  TColor FontColor = clBlack;
  // Called after every change drawn through the canvas.
  std::function<void(TCanvas& sender)> OnChange;

  virtual int32_t Width() const = 0;
  virtual int32_t Height() const = 0;
  // The colour depth drawing is done for: it chooses the stretch rule and, at 8 or
  // fewer bits, limits the colours shown to the realised palette.
  virtual int BitsPerPixel() const = 0;

  virtual void FillRect(const TRect& rect) = 0;
  // Copies sourceRect of source into rect, scaled: rows and columns dropped or repeated.
  virtual void CopyRect(const TRect& rect, TCanvas& source, const TRect& sourceRect) = 0;
  // What every bitmap draws through: palette is realised on targets of 8 or fewer bits.
  virtual void Stretch(const TStretchRequest& request, const HPALETTE& palette) = 0;
  // The pixels the canvas shows, for copying from it and reading them back.
  virtual TPixelView Pixels() = 0;

  // The graphic drawn scaled into rect.
  void StretchDraw(const TRect& rect, TGraphic& graphic);
  // The bitmap drawn scaled into rect, except where the 1-bit mask (of the bitmap's
  // size) has set bits: there the canvas stays unchanged.
  void MaskedStretchDraw(const TRect& rect, TBitmap& bitmap, const TBitmap& mask);
};

}  // namespace tapestro
