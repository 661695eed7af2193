#pragma once
// Drawing surfaces. Pictures draw themselves into a rectangle of a canvas
// (TGraphic::Draw); the software canvases draw on pixel memory: a bitmap's own pixels,
// a 32-bit screen image, or any 32-bit surface a caller hands in. Here too: the colour
// depth of the screen pictures are drawn for, and a bitmap turned into the plain 32-bit
// image a desktop back end hands to the screen.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "imaging/color.h"
#include "imaging/geometry.h"
#include "imaging/pixel_format.h"
#include "imaging/pixel_ops.h"
#include "imaging/pixel_view.h"

namespace tapestro {

class TBitmap;
class TGraphic;

// The colour depth of the screen pictures are drawn for. It chooses how bitmaps are
// scaled and whether they need a palette. The program sets it at start from the
// platform layer; without a screen it stays 24.
inline constexpr int kDefaultDisplayBitsPerPixel = 24;

int DisplayBitsPerPixel();
void SetDisplayBitsPerPixel(int bitsPerPixel);

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

// The drawing operations of a canvas on pixel memory, for any pixel layout. Concrete
// canvases say which pixels they draw on.
class TSoftwareCanvas : public TCanvas {
 public:
  void FillRect(const TRect& rect) override;
  void CopyRect(const TRect& rect, TCanvas& source, const TRect& sourceRect) override;
  void Stretch(const TStretchRequest& request, const HPALETTE& palette) override;

 protected:
  // The pixels about to change; on a target of 8 or fewer bits per pixel the colours
  // written are limited to palette.
  virtual TPixelView BeginChange(const HPALETTE& palette) = 0;
  virtual void EndChange();
};

// A canvas on a 32-bit surface of blue, green, red and unused bytes, top row first: the
// screen image of a control, or pixels handed to the desktop.
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

// A bitmap's pixels as a plain 32-bit image, whatever its pixel format: what a desktop
// back end hands to the screen.
struct TBgrxImage {
  int32_t Width = 0;
  int32_t Height = 0;
  // Top row first, 4 bytes a pixel: blue, green, red, 0xFF; rows Width x 4 bytes apart.
  std::vector<uint8_t> Bytes;
};

// EOutOfResources "Out of system resources" past the pixel limit.
TBgrxImage ToBgrxImage(TBitmap& bitmap);

}  // namespace tapestro
