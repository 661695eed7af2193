#include "imaging/jpeg/jpeg_registration.h"

#include "imaging/canvas.h"
#include "imaging/jpeg/jpeg_image.h"
#include "imaging/jpeg/jpeg_messages.h"
#include "imaging/picture.h"

namespace tapestro {

void RegisterJpegFormat() {
  if (DisplayBitsPerPixel() <= 8) JPEGDefaults().PixelFormat = TJPEGPixelFormat::jf8Bit;
  RegisterFileFormat("jpeg", msg::kJpegDescription, TJPEGImage::Class);
  RegisterFileFormat("jpg", msg::kJpegDescription, TJPEGImage::Class);
}

void UnregisterJpegFormat() { UnregisterGraphicClass(TJPEGImage::Class); }

}  // namespace tapestro
