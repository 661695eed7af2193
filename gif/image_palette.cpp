// TGIFImage::ImagePalette and DitherWanted: the palette the whole image is shown with.
#include "base/scoped_flag.h"
#include "gif/dither.h"
#include "gif/errors.h"
#include "gif/gif_image.h"

namespace tapestro {

HPALETTE TGIFImage::ImagePalette() {
  // A first image without a table of its own asks the image, which would ask it again.
  if (paletteGuard_) throw GIFException(msg::kGifNoColorTable);
  const TScopedFlag guard(paletteGuard_);
  // While an animation is shown, frames take the palette it is drawn with.
  if (wholeBitmap_) {
    if (HPALETTE palette = wholeBitmap_->Palette()) return palette;
  }
  if (imagePalette_) return imagePalette_;
  if (DitherWanted()) return imagePalette_ = CubePalette();
  const TGIFColorMap& global = header_->ColorMap();
  if (!global.Empty()) return imagePalette_ = global.MakePalette();
  // Not kept: it belongs to the first image.
  if (SubImageCount() > 0) return SubImage(0).FramePalette();
  return nullptr;
}

bool TGIFImage::DitherWanted() const {
  if ((PaintOptions & kPaintDither) == 0) return false;
  if ((PaintOptions & kPaintDitherLowColor) != 0) return LowColorDisplay();
  return true;
}

}  // namespace tapestro
