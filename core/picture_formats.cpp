#include "core/picture_formats.h"

#include "gif/gif_registration.h"
#include "imaging/canvas.h"
#include "imaging/jpeg/jpeg_image.h"

namespace tapestro {

void RegisterPictureFormats(int displayBitsPerPixel) {
  SetDisplayBitsPerPixel(displayBitsPerPixel);
  RegisterJpegFormat();
  RegisterGifFormat();
}

}  // namespace tapestro
