#include "gif/graphic_control_extension.h"

#include <array>

#include "base/stream.h"
#include "gif/errors.h"
#include "gif/reader.h"
#include "gif/sub_image.h"

namespace tapestro {

const TGIFExtensionClass TGIFGraphicControlExtension::Class{
    "TGIFGraphicControlExtension", 0xF9, KeepExtensionClass,
    [](TGIFSubImage& parent) -> std::unique_ptr<TGIFExtension> {
      return std::make_unique<TGIFGraphicControlExtension>(parent);
    }};

TGIFGraphicControlExtension::TGIFGraphicControlExtension(TGIFSubImage& parent) : TGIFExtension(parent) {
  if (parent.GraphicControlExtension() == nullptr) parent.SetGraphicControlExtension(this);
}

TGIFGraphicControlExtension::~TGIFGraphicControlExtension() {
  // The sub-image only refers to us; never leave it pointing at a freed block.
  if (Parent().GraphicControlExtension() == this) Parent().SetGraphicControlExtension(nullptr);
}

void TGIFGraphicControlExtension::ReadBody(TStream& stream) {
  std::array<uint8_t, TGraphicControlBlock::kSize> bytes{};
  if (stream.Read(bytes.data(), bytes.size()) != bytes.size()) {
    ReportWarning(1, msg::kGifPrematureEnd);
    return;
  }
  block_ = {bytes[0], bytes[1], LittleEndian16(&bytes[2]), bytes[4], bytes[5]};
  if (Transparent()) Parent().SetTransparent();
}

}  // namespace tapestro
