#include "imaging/bgrx_image.h"

#include "base/errors.h"
#include "imaging/bitmap.h"
#include "imaging/pixel_format.h"
#include "imaging/surface_canvas.h"

namespace tapestro {

namespace {
constexpr int kTrueColorBits = 32;  // drawn for a true-colour target: colours stay exact
}  // namespace

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
