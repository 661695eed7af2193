// TGIFImage::PaintInto: what the preview shows of a GIF image.
#include "base/scoped_flag.h"
#include "gif/gif_image.h"
#include "gif/painter/painter.h"
#include "gif/sub_image.h"

namespace tapestro {

void TGIFImage::PaintInto(TCanvas& canvas, const TRect& rect) {
  if (drawing_ || SubImageCount() == 0) return;
  // A paint that comes back into the image (a canvas change handler that repaints)
  // does nothing.
  const TScopedFlag drawing(drawing_);
  ReapPainters();
  if (!Animates()) {
    SubImage(0).PaintFrame(canvas, rect, (PaintOptions & kPaintTile) != 0, (PaintOptions & kPaintTransparent) != 0);
    return;
  }
  const bool direct = PaintOptions & kPaintDirect;
  if (wholeBitmap_ && !direct) {
    DrawWholeBitmap(canvas, rect);
    return;
  }
  if (direct && painters_.RunsOn(canvas, rect)) return;
  StopAnimation();
  if (rect.IsEmpty()) return;
  if (direct) {
    StartPainter(canvas, rect);
    return;
  }
  MakeWholeBitmap(canvas, rect);
  if (!StartPainter(wholeBitmap_->Canvas(), Rect(0, 0, Width(), Height()))) return;
  WaitForFirstFrame();
  DrawWholeBitmap(canvas, rect);
}

bool TGIFImage::Animates() const {
  if (SubImageCount() < 2 || !(PaintOptions & kPaintAnimate)) return false;
  // Without a user-interface thread to hand frames to there is no threaded animation.
  if ((PaintOptions & kPaintThreaded) && Services.Dispatcher == nullptr) return false;
  const uint64_t screen = PixelCount(Width(), Height());
  return screen > 0 && screen <= Limits.MaxAnimatedScreenPixels;
}

void TGIFImage::MakeWholeBitmap(TCanvas& canvas, const TRect& rect) {
  auto bitmap = std::make_unique<TBitmap>();
  // The palette first: the empty bitmap takes it without rebuilding pixels.
  bitmap->SetPalette(ImagePalette());
  bitmap->SetWidth(Width());
  bitmap->SetHeight(Height());
  bitmap->Canvas().CopyRect(Rect(0, 0, Width(), Height()), canvas, rect);
  bitmap->OnChange = [this](TGraphic&) { Changed(); };
  wholeBitmap_ = std::move(bitmap);
}

void TGIFImage::DrawWholeBitmap(TCanvas& canvas, const TRect& rect) {
  if (PaintOptions & kPaintTile)
    TileBitmap(canvas, rect, rect.Left, rect.Top, *wholeBitmap_, nullptr);
  else
    canvas.StretchDraw(rect, *wholeBitmap_);
}

}  // namespace tapestro
