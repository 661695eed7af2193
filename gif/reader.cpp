#include "gif/reader.h"

#include <array>
#include <cctype>
#include <cstring>

#include "base/errors.h"
#include "base/stream.h"
#include "gif/errors.h"
#include "gif/gif_image.h"

namespace tapestro {

namespace {
constexpr size_t kSignatureAndVersionSize = 6;

bool IsGifSignature(const std::array<uint8_t, kSignatureAndVersionSize>& bytes) {
  return std::toupper(bytes[0]) == 'G' && std::toupper(bytes[1]) == 'I' && std::toupper(bytes[2]) == 'F';
}
}  // namespace

void ReadOrFail(TStream& stream, void* buffer, size_t count) {
  if (count != 0 && stream.Read(buffer, count) != count) throw GIFException(msg::kGifPrematureEnd);
}

uint8_t ReadByteOrFail(TStream& stream) {
  uint8_t value = 0;
  ReadOrFail(stream, &value, 1);
  return value;
}

void StepBack(TStream& stream) { stream.Seek(-1, SeekOrigin::Current); }

void Skip(TStream& stream, size_t count) {
  if (count != 0) stream.Seek(static_cast<int64_t>(count), SeekOrigin::Current);
}

void SkipSubBlocks(TStream& stream) {
  uint8_t size = 0;
  while (stream.ReadByte(size) && size != 0) Skip(stream, size);
}

std::string_view TextLine(TGIFBlock block) {
  const auto* text = reinterpret_cast<const char*>(block.data());
  return {text, ::strnlen(text, block.size())};
}

void TGIFSubBlocks::ReadFromStream(TStream& stream, TGIFImage& image) {
  bytes_.clear();
  count_ = 0;
  uint8_t size = 0;
  while (stream.ReadByte(size) && size != 0) {
    image.ClaimKeptBytes(size_t{1} + size);
    const size_t at = bytes_.size();
    bytes_.resize(at + 1 + size);
    bytes_[at] = size;
    ReadOrFail(stream, bytes_.data() + at + 1, size);
    ++count_;
  }
}

void TGIFItem::ReportWarning(int severity, const std::string& text) { image_->ReportWarning(this, severity, text); }

void TGIFList::Clear() {
  // Front to back, as items were read; erasing one at a time would be quadratic.
  std::vector<std::unique_ptr<TGIFItem>> items;
  items.swap(items_);
  for (auto& item : items) item.reset();
}

void TGIFList::ReportWarning(int severity, const std::string& text) { image_->ReportWarning(this, severity, text); }

TGIFItem& TGIFList::ItemAt(int index) const {
  if (index < 0 || index >= Count()) ThrowListIndexError(index);
  return *items_[static_cast<size_t>(index)];
}

void TGIFColorMap::Clear() { std::vector<TGIFColor>().swap(colors_); }

void TGIFColorMap::ReadFromStream(TStream& stream, int count) {
  std::array<uint8_t, 3 * kMaxColors> bytes;
  ReadOrFail(stream, bytes.data(), 3 * static_cast<size_t>(count));
  std::vector<TGIFColor> colors(static_cast<size_t>(count));
  for (size_t i = 0; i < colors.size(); ++i) colors[i] = {bytes[3 * i], bytes[3 * i + 1], bytes[3 * i + 2]};
  colors_.swap(colors);
}

HPALETTE TGIFColorMap::MakePalette() const {
  if (colors_.empty()) return nullptr;
  std::vector<TPaletteEntry> entries;
  entries.reserve(colors_.size());
  for (const TGIFColor& color : colors_) entries.push_back({color.Red, color.Green, color.Blue, PC_NOCOLLAPSE});
  return MakeLogPalette(std::move(entries));
}

void TGIFHeader::ReadFromStream(TStream& stream) {
  ReadSignature(stream);
  ReadScreenDescriptor(stream);
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
