// The palettes and colours of one frame: TGIFSubImage::FramePalette and
// EffectiveColorMap.
#include "gif/dither.h"
#include "gif/gif_image.h"
#include "gif/sub_image.h"

namespace tapestro {

HPALETTE TGIFSubImage::FramePalette() {
  if (bitmap_) {
    if (HPALETTE own = bitmap_->Palette()) return own;
  }
  if (palette_) return palette_;
  if (Image().DitherWanted()) return palette_ = CubePalette();
  if (!colorMap_.Empty()) return palette_ = colorMap_.MakePalette();
  // Kept by the image, not here.
  return Image().ImagePalette();
}

const TGIFColorMap& TGIFSubImage::EffectiveColorMap() const {
  if (!colorMap_.Empty()) return colorMap_;
  const TGIFColorMap& global = Image().Header().ColorMap();
  if (!global.Empty()) return global;
  return colorMap_;
}

}  // namespace tapestro
