#include "gif/sub_image.h"

#include <array>

#include "base/stream.h"
#include "gif/errors.h"
#include "gif/extensions.h"
#include "gif/gif_image.h"
#include "gif/reader.h"

namespace tapestro {

TGIFSubImage::TGIFSubImage(TGIFImage& image) : TGIFItem(image), extensions_(image) {}

void TGIFSubImage::ReadFromStream(TStream& stream) {
  Clear();
  extensions_.ReadFromStream(stream, *this);
  uint8_t next = 0;
  if (!stream.ReadByte(next)) return;
  StepBack(stream);
  // Extensions with no image behind them (a comment after the last image, say).
  if (next == kTrailer || next == 0x00) return;
  ReadImageDescriptor(stream);
  if (descriptor_.Width == 0 || descriptor_.Height == 0) {
    descriptor_.Width = Image().Header().Width();
    descriptor_.Height = Image().Header().Height();
    ReportWarning(1, msg::kGifImageExceedsScreen);
  }
  if (descriptor_.PackedFields & TImageDescriptor::kLocalColorTable)
    colorMap_.ReadFromStream(stream, TGIFColorMap::CountFromPacked(descriptor_.PackedFields));
  DecodeImageData(stream);
}

void TGIFSubImage::Clear() {
  extensions_.Clear();
  colorMap_.Clear();
  std::vector<uint8_t>().swap(pixels_);
  descriptor_ = TImageDescriptor{};
  transparent_ = false;
  graphicControl_ = nullptr;
  bitmap_.reset();
  mask_.reset();
  palette_.reset();
}

void TGIFSubImage::ReadImageDescriptor(TStream& stream) {
  std::array<uint8_t, TImageDescriptor::kSize> bytes{};
  ReadOrFail(stream, bytes.data(), bytes.size());
  // The separator was seen by the caller; it is kept as read.
  descriptor_ = {bytes[0], LittleEndian16(&bytes[1]), LittleEndian16(&bytes[3]), LittleEndian16(&bytes[5]),
                 LittleEndian16(&bytes[7]), bytes[9]};
}

void TGIFSubImage::AllocatePixels() {
  const uint64_t count = Image().ClaimPixels(descriptor_.Width, descriptor_.Height);
  pixels_.assign(static_cast<size_t>(count), TransparentIndex());
}

uint8_t TGIFSubImage::TransparentIndex() const {
  return transparent_ && graphicControl_ != nullptr ? graphicControl_->TransparentColorIndex() : 0;
}

}  // namespace tapestro
