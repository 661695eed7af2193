#include "gif/gif_registration.h"

#include "gif/gif_image.h"
#include "gif/low_color_display.h"
#include "imaging/picture.h"

namespace tapestro {

namespace {
constexpr char kGifExtension[] = "GIF";  // stored in lower case
constexpr char kGifDescription[] = "GIF Image";
}  // namespace

void RegisterGifFormat() {
  FixLowColorDisplay();
  RegisterFileFormat(kGifExtension, kGifDescription, TGIFImage::Class);
}

void UnregisterGifFormat() { UnregisterGraphicClass(TGIFImage::Class); }

}  // namespace tapestro
