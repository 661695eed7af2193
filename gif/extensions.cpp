#include "gif/extensions.h"

#include <array>

#include "base/stream.h"
#include "gif/errors.h"
#include "gif/extension_registry.h"
#include "gif/reader.h"
#include "gif/sub_image.h"

namespace tapestro {

const TGIFExtensionClass* KeepExtensionClass(const TGIFExtensionClass& self, TStream&) { return &self; }

const TGIFExtensionClass* ResolveExtensionClass(TStream& stream) {
  const int64_t start = stream.Position();
  uint8_t label = 0;
  const TGIFExtensionClass* found = nullptr;
  if (stream.ReadByte(label)) found = TExtensionList::Instance().Find(label);
  // Each refinement reads on from where the previous one stopped; one that answers
  // another class has consumed bytes, so the search ends with the stream.
  while (found != nullptr) {
    const TGIFExtensionClass* refined = found->RefineExtensionClass(*found, stream);
    if (refined == found) break;
    found = refined;
  }
  stream.SetPosition(start);
  return found;
}

TGIFExtension::TGIFExtension(TGIFSubImage& parent) : TGIFItem(parent.Image()), parent_(&parent) {}

void TGIFExtension::ReadFromStream(TStream& stream) {
  std::array<uint8_t, 2> introducerAndLabel{};
  ReadOrFail(stream, introducerAndLabel.data(), introducerAndLabel.size());
  if (introducerAndLabel[0] != kExtensionIntroducer) throw GIFException(msg::kGifBadExtensionIntroducer);
  if (introducerAndLabel[1] != ExtensionLabel()) throw GIFException(msg::kGifExtensionLabelMismatch);
  ReadBody(stream);
}

}  // namespace tapestro
