#include "gif/painter_setup.h"

#include "gif/errors.h"
#include "gif/extensions.h"
#include "gif/gif_image.h"

namespace tapestro {

TColor AnimationBackgroundColor(TGIFImage& image) {
  const TGIFColorMap& global = image.Header().ColorMap();
  if (global.Empty()) return kWindowColor;
  int index = image.Header().BackgroundColorIndex();
  if (index >= global.Count()) {
    image.ReportWarning(&image.Header(), 1, msg::kGifInvalidColorIndex);
    index = 0;
  }
  return RGBColor(global[index].Red, global[index].Green, global[index].Blue);
}

uint8_t UsedDisposalMethods(const TGIFImage& image) {
  uint8_t methods = 0;
  for (int i = 0; i < image.SubImageCount(); ++i) {
    const TGIFExtensionList& extensions = image.SubImage(i).Extensions();
    for (int e = 0; e < extensions.Count(); ++e) {
      if (const auto* control = dynamic_cast<const TGIFGraphicControlExtension*>(&extensions[e]))
        methods |= static_cast<uint8_t>(1u << control->Disposal());
    }
  }
  return methods;
}

}  // namespace tapestro
