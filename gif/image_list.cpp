#include "gif/image_list.h"

#include "base/stream.h"
#include "gif/errors.h"
#include "gif/gif_image.h"
#include "gif/reader.h"

namespace tapestro {

namespace {
// Zero bytes between blocks are passed over. False at the end of the stream.
bool ReadBlockStart(TStream& stream, uint8_t& introducer) {
  while (stream.ReadByte(introducer))
    if (introducer != 0x00) return true;
  return false;
}
}  // namespace

void TGIFImageList::ReadFromStream(TStream& stream, TGIFImage& parent) {
  uint8_t introducer = 0;
  if (!ReadBlockStart(stream, introducer)) return;
  while (introducer != kTrailer) {
    StepBack(stream);
    if (introducer != kExtensionIntroducer && introducer != kImageSeparator) {
      ReportWarning(1, msg::kGifUnknownBlockType);
      return;
    }
    auto subImage = std::make_unique<TGIFSubImage>(parent);
    subImage->ReadFromStream(stream);
    Append(std::move(subImage));
    parent.ReportLoadingProgress(stream);
    if (!ReadBlockStart(stream, introducer)) return;
  }
  StepBack(stream);
}

}  // namespace tapestro
