#include "imaging/bmp_reader.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdlib>
#include <vector>

#include "base/errors.h"
#include "base/stream.h"
#include "imaging/bmp_format.h"
#include "imaging/graphic.h"
#include "imaging/pixel_format.h"

namespace tapestro {

namespace {

// The info header fields after biSize, then the masks of version 2 and later headers.
constexpr size_t kInfoBodySize = kInfoHeaderSize - 4;
constexpr size_t kInfoBodyWithMasks = kInfoBodySize + kMasksSize;

[[noreturn]] void RejectInvalid() { throw EInvalidGraphic(msg::kInvalidBitmap); }
// A sound file describing more pixels than we hold; the user sees the same text.
[[noreturn]] void RejectOverLimit() { throw EInvalidGraphic(msg::kInvalidBitmap); }

struct THeaders {
  int64_t Start = 0;  // stream position of the file header
  uint32_t HeaderSize = 0;
  TBitmapInfoHeader Info;
  TColorMasks Masks{};
  bool MasksInHeader = false;
  bool OS2 = false;
  bool Compressed() const { return Info.biCompression != BI_RGB && Info.biCompression != BI_BITFIELDS; }
};

// File header and info header; the stream is left just after the info header.
THeaders ReadHeaders(TStream& stream) {
  THeaders headers;
  headers.Start = stream.Position();
  std::array<uint8_t, kFileHeaderSize + 4> start{};
  stream.ReadBuffer(start.data(), kFileHeaderSize);
  TByteReader fileHeader(start);
  if (fileHeader.U16() != kBmpSignature) RejectInvalid();
  stream.ReadBuffer(start.data() + kFileHeaderSize, 4);
  fileHeader.Skip(kFileHeaderSize - 2);
  const uint32_t size = headers.HeaderSize = fileHeader.U32();
  if ((size < kInfoHeaderSize && size != kCoreHeaderSize) || size - 4 > static_cast<uint64_t>(stream.Remaining()))
    RejectInvalid();

  std::array<uint8_t, kInfoBodyWithMasks> body{};
  const size_t bodySize = std::min<size_t>(size - 4, body.size());
  stream.ReadBuffer(body.data(), bodySize);
  stream.Seek(static_cast<int64_t>(size - 4 - bodySize), SeekOrigin::Current);
  TByteReader in(std::span<const uint8_t>(body.data(), bodySize));
  TBitmapInfoHeader& info = headers.Info;
  info.biSize = kInfoHeaderSize;
  if (size == kCoreHeaderSize) {
    headers.OS2 = true;
    info.biWidth = in.U16();
    info.biHeight = in.U16();
    info.biPlanes = in.U16();
    info.biBitCount = in.U16();
    return headers;
  }
  info.biWidth = in.I32();
  info.biHeight = in.I32();
  info.biPlanes = in.U16();
  info.biBitCount = in.U16();
  info.biCompression = in.U32();
  info.biSizeImage = in.U32();
  info.biXPelsPerMeter = in.I32();
  info.biYPelsPerMeter = in.I32();
  info.biClrUsed = in.U32();
  info.biClrImportant = in.U32();
  if (size >= kHeaderSizeWithMasks) {
    headers.MasksInHeader = true;
    for (uint32_t& mask : headers.Masks) mask = in.U32();
  }
  return headers;
}

bool KnownLayout(const TBitmapInfoHeader& info) {
  switch (info.biCompression) {
    case BI_RGB:
      return info.biBitCount == 1 || info.biBitCount == 4 || info.biBitCount == 8 || info.biBitCount == 16 ||
             info.biBitCount == 24 || info.biBitCount == 32;
    case BI_BITFIELDS: return info.biBitCount == 16 || info.biBitCount == 32;
    // Run-length data is stored bottom-up only.
    case BI_RLE8: return info.biBitCount == 8 && info.biHeight > 0;
    case BI_RLE4: return info.biBitCount == 4 && info.biHeight > 0;
    default: return false;
  }
}

// Everything that decides how much memory the file makes us take, checked first.
TPixelSize CheckGeometry(const THeaders& headers) {
  const TBitmapInfoHeader& info = headers.Info;
  if (info.biPlanes != 1 || info.biWidth <= 0 || info.biHeight == 0 || !KnownLayout(info)) RejectInvalid();
  if (info.biClrUsed > kMaxColorTableEntries) RejectInvalid();
  const int bits = headers.Compressed() ? kDeviceBitsPerPixel : info.biBitCount;
  const TPixelSize size = PixelSize(info.biWidth, std::llabs(int64_t{info.biHeight}), bits);
  if (size.Check == TSizeCheck::OverLimit) RejectOverLimit();
  if (size.Check != TSizeCheck::Ok) RejectInvalid();
  return size;
}

// Each mask one run of set bits inside the pixel, no two sharing a bit.
bool SoundMasks(const TColorMasks& masks, int bits) {
  uint32_t seen = 0;
  for (const uint32_t mask : masks) {
    if (mask == 0 || (bits < 32 && (mask >> bits) != 0) || (mask & seen) != 0) return false;
    const uint32_t run = mask >> std::countr_zero(mask);
    if ((run & (run + 1)) != 0) return false;
    seen |= mask;
  }
  return true;
}

void ReadMasks(TStream& source, THeaders& headers) {
  if (headers.Info.biCompression != BI_BITFIELDS) return;
  if (headers.HeaderSize == kInfoHeaderSize) {
    std::array<uint8_t, kMasksSize> bytes{};
    source.ReadBuffer(bytes.data(), bytes.size());
    TByteReader in(bytes);
    for (uint32_t& mask : headers.Masks) mask = in.U32();
  }
  if (!SoundMasks(headers.Masks, headers.Info.biBitCount)) RejectInvalid();
}

// The colour table as the file gives it: biClrUsed entries, or all 2^bits of them.
TColorTable ReadColorTable(TStream& source, const THeaders& headers) {
  const TBitmapInfoHeader& info = headers.Info;
  const uint32_t count = info.biClrUsed != 0 ? info.biClrUsed : (info.biBitCount <= 8 ? 1u << info.biBitCount : 0);
  const size_t entrySize = headers.OS2 ? kTripleEntrySize : kQuadEntrySize;
  std::vector<uint8_t> bytes(count * entrySize);
  source.ReadBuffer(bytes.data(), bytes.size());
  TColorTable table(count);
  for (uint32_t i = 0; i < count; ++i) {
    const uint8_t* entry = bytes.data() + i * entrySize;
    table[i] = {entry[0], entry[1], entry[2], 0};
  }
  return table;
}

// The pixel bytes the file offers: biSizeImage (or the full image) and no more than it has.
size_t PixelBytesOffered(TStream& source, const THeaders& headers, const TPixelSize& size) {
  const uint64_t claimed = headers.Info.biSizeImage != 0 ? headers.Info.biSizeImage : size.ImageBytes;
  const auto left = static_cast<uint64_t>(std::max<int64_t>(source.Remaining(), 0));
  return static_cast<size_t>(std::min<uint64_t>(claimed, left));
}

TDIBDescription DescriptionOf(const THeaders& headers) {
  const TBitmapInfoHeader& info = headers.Info;
  TDIBDescription description;
  if (headers.Compressed()) {
    description = DeviceDescription(info.biWidth, info.biHeight);
  } else {
    description.Header.biSize = kInfoHeaderSize;
    description.Header.biWidth = info.biWidth;
    description.Header.biHeight = info.biHeight;
    description.Header.biBitCount = info.biBitCount;
    description.Header.biCompression = info.biCompression;
    if (info.biCompression == BI_BITFIELDS) description.Masks = headers.Masks;
    CompleteDescription(description);
  }
  description.Header.biXPelsPerMeter = info.biXPelsPerMeter;
  description.Header.biYPelsPerMeter = info.biYPelsPerMeter;
  description.Header.biClrUsed = info.biClrUsed;
  description.Header.biClrImportant = info.biClrImportant;
  return description;
}

// A file that holds the whole pixel block keeps it there until it is first touched, so
// writing the bitmap back copies it from file to file; anything shorter is read now.
TPixelBuffer ReadUncompressedPixels(TStream& source, size_t imageBytes, size_t offered) {
  if (offered >= imageBytes && imageBytes != 0) {
    if (std::shared_ptr<const TFileRegion> region = source.RegionAt(static_cast<int64_t>(imageBytes)))
      return TPixelBuffer(std::move(region));
  }
  TPixelBuffer pixels(imageBytes);
  const size_t count = std::min(offered, imageBytes);
  if (count != 0) source.Read(pixels.Data(), count);
  return pixels;
}

void DecodeCompressedPixels(TStream& source, const THeaders& headers, TBitmapImage& image,
                            const TColorTable& fileTable, size_t offered) {
  const std::vector<uint8_t>& file = *image.KeptFileBytes;
  const auto at = static_cast<size_t>(source.Position());
  const std::span<const uint8_t> data(file.data() + at, offered);
  TColorTable table = fileTable;
  table.resize(size_t{1} << headers.Info.biBitCount);
  if (DecodeRle(data, headers.Info.biBitCount, table, image.View()) == TRleOutcome::OutOfBounds) RejectInvalid();
}

std::shared_ptr<const std::vector<uint8_t>> KeepFileBytes(TStream& stream, int64_t start) {
  const int64_t end = stream.Size();
  stream.SetPosition(start);
  std::vector<uint8_t> bytes(static_cast<size_t>(end - start));
  stream.ReadBuffer(bytes.data(), bytes.size());
  return std::make_shared<const std::vector<uint8_t>>(std::move(bytes));
}

}  // namespace

std::unique_ptr<TBitmapImage> ReadBmpImage(TStream& stream) {
  auto image = std::make_unique<TBitmapImage>();
  if (stream.Remaining() <= 0) return image;
  THeaders headers = ReadHeaders(stream);
  const int64_t afterHeader = stream.Position();
  // Compressed files are read from a copy of their bytes, which is also written back.
  if (headers.Compressed()) image->KeptFileBytes = KeepFileBytes(stream, headers.Start);
  TSpanStream kept(image->KeptFileBytes ? std::span<const uint8_t>(*image->KeptFileBytes) : std::span<const uint8_t>());
  TStream& source = image->KeptFileBytes ? static_cast<TStream&>(kept) : stream;
  if (image->KeptFileBytes) kept.SetPosition(afterHeader - headers.Start);

  const TPixelSize size = CheckGeometry(headers);
  ReadMasks(source, headers);
  const TColorTable fileTable = ReadColorTable(source, headers);
  const size_t offered = PixelBytesOffered(source, headers, size);

  image->Description = DescriptionOf(headers);
  image->OS2 = headers.OS2;
  const int bits = headers.Info.biBitCount;
  if (!headers.Compressed() && bits <= 8) {
    image->ColorTable = fileTable;
    image->ColorTable.resize(size_t{1} << bits);
  }
  if (bits > 8 && !fileTable.empty()) image->Palette = PaletteFromColorTable(fileTable);
  if (headers.Compressed()) {
    image->Pixels = TPixelBuffer(size.ImageBytes);
    DecodeCompressedPixels(source, headers, *image, fileTable, offered);
  } else {
    image->Pixels = ReadUncompressedPixels(source, size.ImageBytes, offered);
  }
  return image;
}

// ---- Run-length-encoded pixel data ----

namespace {

// Escape codes: a zero count followed by one of these.
constexpr uint8_t kEndOfLine = 0;
constexpr uint8_t kEndOfBitmap = 1;
constexpr uint8_t kDelta = 2;

class TRleDecoder {
 public:
  TRleDecoder(std::span<const uint8_t> data, int bits, std::span<const TRGBQuad> table, const TPixelView& target)
      : in_(data), bits_(bits), target_(target) {
    colors_.reserve(table.size());
    for (const TRGBQuad& quad : table) colors_.push_back(QuadColor(quad));
  }

  TRleOutcome Decode() {
    while (in_.Remaining() >= 2) {
      const uint8_t count = in_.U8();
      const uint8_t code = in_.U8();
      if (count > 0) {
        if (!Repeat(count, code)) return TRleOutcome::OutOfBounds;
        continue;
      }
      switch (code) {
        case kEndOfLine:
          x_ = 0;
          ++y_;
          break;
        case kEndOfBitmap: return TRleOutcome::Complete;
        case kDelta:
          if (in_.Remaining() < 2) return TRleOutcome::Truncated;
          x_ += in_.U8();
          y_ += in_.U8();
          break;
        default: {
          const TRleOutcome outcome = Literal(code);
          if (outcome != TRleOutcome::Complete) return outcome;
        }
      }
    }
    return TRleOutcome::Truncated;
  }

 private:
  // count pixels of one byte: the same index at 8 bits, two alternating ones at 4.
  bool Repeat(uint8_t count, uint8_t value) {
    for (int i = 0; i < count; ++i) {
      const uint8_t index = bits_ == 8 ? value : static_cast<uint8_t>((i & 1) ? value & 0xF : value >> 4);
      if (!Put(index)) return false;
    }
    return true;
  }

  // count indices stored as they are, padded to a 16-bit boundary. Complete means the
  // run was read whole and decoding goes on.
  TRleOutcome Literal(uint8_t count) {
    const size_t bytes = bits_ == 8 ? count : (count + 1u) / 2;
    for (int i = 0; i < count; ++i) {
      if (in_.Remaining() == 0) return TRleOutcome::Truncated;
      uint8_t index = 0;
      if (bits_ == 8) {
        index = in_.U8();
      } else {
        if ((i & 1) == 0) pair_ = in_.U8();
        index = static_cast<uint8_t>((i & 1) ? pair_ & 0xF : pair_ >> 4);
      }
      if (!Put(index)) return TRleOutcome::OutOfBounds;
    }
    if (bytes % 2 != 0) {
      if (in_.Remaining() == 0) return TRleOutcome::Truncated;
      in_.Skip(1);
    }
    return TRleOutcome::Complete;
  }

  bool Put(uint8_t index) {
    if (x_ >= target_.Width() || y_ >= target_.Height()) return false;
    // Rows count from the bottom; indices past the table are black.
    const TColor color = index < colors_.size() ? colors_[index] : clBlack;
    target_.Set(target_.Row(static_cast<int32_t>(target_.Height() - 1 - y_)), static_cast<int32_t>(x_), color);
    ++x_;
    return true;
  }

  TByteReader in_;
  int bits_;
  const TPixelView& target_;
  std::vector<TColor> colors_;
  // 64 bits: end-of-line and delta codes may push far past the picture before a pixel
  // is placed and refused.
  int64_t x_ = 0;
  int64_t y_ = 0;
  uint8_t pair_ = 0;
};

}  // namespace

TRleOutcome DecodeRle(std::span<const uint8_t> data, int bits, std::span<const TRGBQuad> table,
                      const TPixelView& target) {
  return TRleDecoder(data, bits, table, target).Decode();
}

}  // namespace tapestro
