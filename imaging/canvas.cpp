#include "imaging/canvas.h"

#include <atomic>

#include "base/errors.h"
#include "imaging/bitmap.h"

namespace tapestro {

namespace {
std::atomic<int> displayBitsPerPixel{kDefaultDisplayBitsPerPixel};

constexpr int kTrueColorBits = 32;  // drawn for a true-colour target: colours stay exact
}  // namespace

int DisplayBitsPerPixel() { return displayBitsPerPixel.load(std::memory_order_relaxed); }

void SetDisplayBitsPerPixel(int bitsPerPixel) { displayBitsPerPixel.store(bitsPerPixel, std::memory_order_relaxed); }

// ---- TCanvas ----

void TCanvas::StretchDraw(const TRect& rect, TGraphic& graphic) { graphic.Draw(*this, rect); }

void TCanvas::MaskedStretchDraw(const TRect& rect, TBitmap& bitmap, const TBitmap& mask) {
  bitmap.DrawMasked(*this, rect, mask);
}

// ---- TSoftwareCanvas ----

void TSoftwareCanvas::FillRect(const TRect& rect) {
  FillPixels(BeginChange(nullptr), rect, BrushColor);
  EndChange();
}

void TSoftwareCanvas::CopyRect(const TRect& rect, TCanvas& source, const TRect& sourceRect) {
  TStretchRequest request;
  request.Dest = rect;
  request.Source = source.Pixels();
  request.SourceArea = sourceRect;
  Stretch(request, nullptr);
}

void TSoftwareCanvas::Stretch(const TStretchRequest& request, const HPALETTE& palette) {
  StretchPixels(BeginChange(palette), request);
  EndChange();
}

void TSoftwareCanvas::EndChange() {
  if (OnChange) OnChange(*this);
}

// ---- TSurfaceCanvas ----

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

// ---- TBgrxImage ----

TBgrxImage ToBgrxImage(TBitmap& bitmap) {
  TBgrxImage image;
  image.Width = bitmap.Width();
  image.Height = bitmap.Height();
  const TPixelSize size = PixelSize(image.Width, image.Height, kTrueColorBits);
  if (size.Check != TSizeCheck::Ok) throw EOutOfResources(msg::kOutOfResources);
  image.Bytes.assign(size.ImageBytes, 0);
  TSurfaceCanvas canvas(image.Bytes.data(), image.Width, image.Height, static_cast<ptrdiff_t>(size.RowBytes),
                        kTrueColorBits);
  bitmap.Draw(canvas, Rect(0, 0, image.Width, image.Height));
  return image;
}

}  // namespace tapestro
