#include "gif/reader.h"

#include <array>
#include <cctype>

#include "base/stream.h"
#include "gif/errors.h"
#include "gif/gif_image.h"
#include "gif/limits.h"
#include "gif/stream_reading.h"

namespace tapestro {

namespace {
constexpr size_t kSignatureAndVersionSize = 6;

bool IsGifSignature(const std::array<uint8_t, kSignatureAndVersionSize>& bytes) {
  return std::toupper(bytes[0]) == 'G' && std::toupper(bytes[1]) == 'I' && std::toupper(bytes[2]) == 'F';
}
}  // namespace

void TGIFHeader::ReadFromStream(TStream& stream) {
  ReadSignature(stream);
  ReadScreenDescriptor(stream);
  CheckedPixelCount(descriptor_.ScreenWidth, descriptor_.ScreenHeight, Image().Limits.MaxImagePixels);
  colorMap_.Clear();
  if (descriptor_.PackedFields & TLogicalScreenDescriptor::kGlobalColorTable)
    colorMap_.ReadFromStream(stream, TGIFColorMap::CountFromPacked(descriptor_.PackedFields));
}

void TGIFHeader::ReadSignature(TStream& stream) {
  const int64_t start = stream.Position();
  std::array<uint8_t, kSignatureAndVersionSize> bytes{};
  ReadOrFail(stream, bytes.data(), bytes.size());
  if (IsGifSignature(bytes)) return;
  stream.SetPosition(start + kSignatureSlack);
  ReadOrFail(stream, bytes.data(), bytes.size());
  if (!IsGifSignature(bytes)) throw GIFException(msg::kGifInvalidSignature);
}

void TGIFHeader::ReadScreenDescriptor(TStream& stream) {
  std::array<uint8_t, TLogicalScreenDescriptor::kSize> bytes{};
  ReadOrFail(stream, bytes.data(), bytes.size());
  descriptor_.ScreenWidth = LittleEndian16(&bytes[0]);
  descriptor_.ScreenHeight = LittleEndian16(&bytes[2]);
  descriptor_.PackedFields = bytes[4];
  descriptor_.BackgroundColorIndex = bytes[5];
  descriptor_.AspectRatio = bytes[6];
}

}  // namespace tapestro
