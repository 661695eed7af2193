#include "gif/extension_list.h"

#include "base/stream.h"
#include "gif/errors.h"
#include "gif/reader.h"

namespace tapestro {

void TGIFExtensionList::ReadFromStream(TStream& stream, TGIFSubImage& parent) {
  uint8_t introducer = 0;
  if (!stream.ReadByte(introducer)) return;
  while (introducer != kImageSeparator && introducer != kTrailer) {
    if (introducer != kExtensionIntroducer) {
      ReportWarning(1, msg::kGifBadExtensionIntroducer);
      break;
    }
    const TGIFExtensionClass* extensionClass = ResolveExtensionClass(stream);
    if (extensionClass == nullptr) throw GIFException(msg::kGifUnknownExtension);
    StepBack(stream);
    std::unique_ptr<TGIFExtension> extension = extensionClass->Create(parent);
    extension->ReadFromStream(stream);
    Append(std::move(extension));
    if (!stream.ReadByte(introducer)) return;
  }
  StepBack(stream);
}

}  // namespace tapestro
