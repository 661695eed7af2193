#include "gif/unknown_app_extension.h"

#include "base/stream.h"
#include "gif/reader.h"

namespace tapestro {

const TGIFExtensionClass TGIFUnknownAppExtension::Class{
    "TGIFUnknownAppExtension", 0xFF, RefineApplicationClass,
    [](TGIFSubImage& parent) -> std::unique_ptr<TGIFExtension> {
      return std::make_unique<TGIFUnknownAppExtension>(parent);
    }};

void TGIFUnknownAppExtension::ReadAppData(TStream& stream) {
  blocks_.clear();
  uint8_t size = 0;
  while (stream.ReadByte(size) && size != 0) {
    TGIFBlock block{std::vector<uint8_t>(size)};
    ReadOrFail(stream, block.Data.data(), size);
    blocks_.push_back(std::move(block));
  }
}

}  // namespace tapestro
