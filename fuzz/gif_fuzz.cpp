// Arbitrary bytes read as a GIF: the read either succeeds and everything it built
// holds together, or fails with a GIFException and leaves the stream where it was.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "base/errors.h"
#include "base/stream.h"
#include "gif/comment_extension.h"
#include "gif/errors.h"
#include "gif/gif_image.h"
#include "gif/graphic_control_extension.h"
#include "gif/loop_extension.h"
#include "gif/text_extension.h"
#include "gif/unknown_app_extension.h"

namespace {

using namespace tapestro;

void Check(bool condition) {
  if (!condition) std::abort();
}

void WalkExtension(const TGIFSubImage& sub, const TGIFExtension& extension) {
  Check(&extension.Parent() == &sub);
  const TGIFExtensionClass& kind = extension.ClassType();
  Check(extension.ExtensionLabel() == kind.Label);
  if (&kind == &TGIFUnknownAppExtension::Class) {
    for (const TGIFBlock& block : dynamic_cast<const TGIFUnknownAppExtension&>(extension).Blocks())
      Check(block.Size() >= 1 && block.Size() <= 255);
  } else if (&kind == &TGIFCommentExtension::Class) {
    for (const std::string& line : dynamic_cast<const TGIFCommentExtension&>(extension).Text()) Check(line.size() <= 255);
  } else if (&kind == &TGIFTextExtension::Class) {
    for (const std::string& line : dynamic_cast<const TGIFTextExtension&>(extension).Text()) Check(line.size() <= 255);
  } else if (&kind == &TGIFAppExtNSLoop::Class) {
    (void)dynamic_cast<const TGIFAppExtNSLoop&>(extension).LoopCount();
  } else {
    Check(&kind == &TGIFGraphicControlExtension::Class);
  }
}

void WalkSubImage(const TGIFImage& image, const TGIFSubImage& sub) {
  const size_t pixels = static_cast<size_t>(sub.Width()) * sub.Height();
  Check(sub.Data().size() == pixels || sub.Data().empty());
  Check(sub.Empty() == (sub.Data().empty() || pixels == 0));
  Check(sub.ColorMap().Count() <= TGIFColorMap::kMaxColors);
  Check(pixels <= image.Limits.MaxImagePixels);
  const TGIFGraphicControlExtension* first = nullptr;
  for (int i = 0; i < sub.Extensions().Count(); ++i) {
    const TGIFExtension& extension = sub.Extensions()[i];
    WalkExtension(sub, extension);
    if (first == nullptr && &extension.ClassType() == &TGIFGraphicControlExtension::Class)
      first = &dynamic_cast<const TGIFGraphicControlExtension&>(extension);
  }
  Check(sub.GraphicControlExtension() == first);
  Check(!sub.Transparent() || first != nullptr);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TGIFImage image;
  // Far below the defaults, so that runs stay fast; every seed fits.
  image.Limits = {uint64_t{1} << 22, uint64_t{1} << 24};
  image.WarningHandler = [](const void*, int severity, const std::string& text) { Check(severity == 1 && !text.empty()); };
  TSpanStream stream({data, size});
  try {
    image.ReadFromStream(stream);
  } catch (const GIFException&) {
    Check(stream.Position() == 0);
    Check(image.SubImageCount() == 0);
    return 0;
  }
  Check(image.Empty() == (image.SubImageCount() == 0));
  uint64_t total = 0;
  for (int i = 0; i < image.SubImageCount(); ++i) {
    WalkSubImage(image, image.SubImage(i));
    total += image.SubImage(i).Data().size();
  }
  Check(total <= image.Limits.MaxTotalPixels);
  try {
    image.SubImage(image.SubImageCount());
    Check(false);
  } catch (const EListError&) {
  }
  return 0;
}
