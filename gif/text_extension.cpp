#include "gif/text_extension.h"

#include <array>

#include "gif/reader.h"

namespace tapestro {

const TGIFExtensionClass TGIFTextExtension::Class{
    "TGIFTextExtension", 0x01, KeepExtensionClass,
    [](TGIFSubImage& parent) -> std::unique_ptr<TGIFExtension> { return std::make_unique<TGIFTextExtension>(parent); }};

void TGIFTextExtension::ReadBody(TStream& stream) {
  std::array<uint8_t, TPlainTextBlock::kSize> bytes{};
  ReadOrFail(stream, bytes.data(), bytes.size());
  block_ = {bytes[0],  LittleEndian16(&bytes[1]), LittleEndian16(&bytes[3]), LittleEndian16(&bytes[5]),
            LittleEndian16(&bytes[7]), bytes[9], bytes[10], bytes[11], bytes[12]};
  text_ = ReadTextSubBlocks(stream);
}

}  // namespace tapestro
