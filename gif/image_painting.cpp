// TGIFImage::PaintInto: what the preview shows of a GIF image.
#include "gif/gif_image.h"
#include "gif/scoped_flag.h"

namespace tapestro {

void TGIFImage::PaintInto(TCanvas& canvas, const TRect& rect) {
  if (drawing_ || SubImageCount() == 0) return;
  // A paint that comes back into the image (a canvas change handler that repaints)
  // does nothing.
  const TScopedFlag drawing(drawing_);
  // An animation shows its first image here too, until frames are painted in turn.
  SubImage(0).PaintFrame(canvas, rect, (PaintOptions & kPaintTile) != 0, (PaintOptions & kPaintTransparent) != 0);
}

}  // namespace tapestro
