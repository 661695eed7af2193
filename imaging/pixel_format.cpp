#include "imaging/pixel_format.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#ifdef __linux__
#include <sys/mman.h>
#endif

#include "base/errors.h"

namespace tapestro {

const char* PixelFormatName(TPixelFormat format) {
  switch (format) {
    case TPixelFormat::pfDevice: return "pfDevice";
    case TPixelFormat::pf1bit: return "pf1bit";
    case TPixelFormat::pf4bit: return "pf4bit";
    case TPixelFormat::pf8bit: return "pf8bit";
    case TPixelFormat::pf15bit: return "pf15bit";
    case TPixelFormat::pf16bit: return "pf16bit";
    case TPixelFormat::pf24bit: return "pf24bit";
    case TPixelFormat::pf32bit: return "pf32bit";
    case TPixelFormat::pfCustom: return "pfCustom";
  }
  return "pfCustom";
}

TPixelSize PixelSize(int64_t width, int64_t height, int bitsPerPixel) {
  if (width < 0 || height < 0 || bitsPerPixel < 1 || bitsPerPixel > kMaxBitsPerPixel) return {};
  if (width > kMaxPixels || height > kMaxPixels || (width != 0 && height > kMaxPixels / width))
    return {TSizeCheck::OverLimit, 0, 0};
  // width <= 2^28 and bits <= 32, so the products below stay far inside 64 bits.
  const int64_t rowBytes = ((width * bitsPerPixel + 31) & ~int64_t{31}) / 8;
  return {TSizeCheck::Ok, static_cast<size_t>(rowBytes), static_cast<size_t>(rowBytes * height)};
}

TPixelFormat TDIBDescription::PixelFormat() const {
  if (IsDevice()) return TPixelFormat::pfDevice;
  const uint32_t compression = Header.biCompression;
  switch (Header.biBitCount) {
    case 1: return compression == BI_RGB ? TPixelFormat::pf1bit : TPixelFormat::pfCustom;
    case 4: return compression == BI_RGB ? TPixelFormat::pf4bit : TPixelFormat::pfCustom;
    case 8: return compression == BI_RGB ? TPixelFormat::pf8bit : TPixelFormat::pfCustom;
    case 16:
      if (compression == BI_RGB) return TPixelFormat::pf15bit;
      return compression == BI_BITFIELDS && Masks[1] == kMasks565[1] ? TPixelFormat::pf16bit : TPixelFormat::pfCustom;
    case 24: return compression == BI_RGB ? TPixelFormat::pf24bit : TPixelFormat::pfCustom;
    case 32: return compression == BI_RGB ? TPixelFormat::pf32bit : TPixelFormat::pfCustom;
    default: return TPixelFormat::pfCustom;
  }
}

TDIBDescription DeviceDescription(int32_t width, int32_t height) {
  TDIBDescription description;
  description.Bitmap.bmWidth = width;
  description.Bitmap.bmHeight = height;
  CompleteDescription(description);
  return description;
}

namespace {
int BitCountOf(TPixelFormat format) {
  switch (format) {
    case TPixelFormat::pf1bit: return 1;
    case TPixelFormat::pf4bit: return 4;
    case TPixelFormat::pf8bit: return 8;
    case TPixelFormat::pf15bit:
    case TPixelFormat::pf16bit: return 16;
    case TPixelFormat::pf32bit: return 32;
    default: return 24;
  }
}
}  // namespace

TDIBDescription FormatDescription(int32_t width, int32_t height, TPixelFormat format) {
  TDIBDescription description;
  description.Header.biSize = kInfoHeaderSize;
  description.Header.biWidth = width;
  description.Header.biHeight = height;
  description.Header.biPlanes = 1;
  description.Header.biBitCount = static_cast<uint16_t>(BitCountOf(format));
  if (format == TPixelFormat::pf16bit) {
    description.Header.biCompression = BI_BITFIELDS;
    description.Masks = kMasks565;
  }
  CompleteDescription(description);
  return description;
}

TDIBDescription ResizedDescription(const TDIBDescription& description, int32_t width, int32_t height) {
  TDIBDescription resized = description;
  resized.Bitmap.bmWidth = width;
  resized.Bitmap.bmHeight = height;
  if (!resized.IsDevice()) {
    resized.Header.biWidth = width;
    resized.Header.biHeight = description.IsTopDown() ? -height : height;
  }
  CompleteDescription(resized);
  return resized;
}

TDIBDescription DIBOfDevice(const TDIBDescription& device) {
  TDIBDescription dib = FormatDescription(device.Width(), device.Height(), TPixelFormat::pf24bit);
  dib.Header.biXPelsPerMeter = device.Header.biXPelsPerMeter;
  dib.Header.biYPelsPerMeter = device.Header.biYPelsPerMeter;
  dib.Header.biClrUsed = device.Header.biClrUsed;
  dib.Header.biClrImportant = device.Header.biClrImportant;
  return dib;
}

void CompleteDescription(TDIBDescription& description) {
  if (!description.IsDevice()) {
    description.Bitmap.bmWidth = description.Header.biWidth;
    description.Bitmap.bmHeight = static_cast<int32_t>(std::llabs(description.Header.biHeight));
    description.Header.biPlanes = 1;
    if (description.HasMasks()) description.Masks = EffectiveMasks(description);
  }
  description.Bitmap.bmPlanes = 1;
  description.Bitmap.bmBitsPixel = static_cast<uint16_t>(description.BitsPerPixel());
  const TPixelSize size = PixelSize(description.Width(), description.Height(), description.BitsPerPixel());
  description.Bitmap.bmWidthBytes = static_cast<int32_t>(size.RowBytes);
  if (!description.IsDevice()) description.Header.biSizeImage = static_cast<uint32_t>(size.ImageBytes);
}

TColorMasks EffectiveMasks(const TDIBDescription& description) {
  if (description.Masks[0] != 0) return description.Masks;
  return description.Header.biBitCount == 16 ? kMasks565 : kMasks888;
}

namespace {

#ifdef __linux__
constexpr size_t kHugePage = size_t{2} << 20;

// A picture of many megabytes filled page by page spends much of its load in page
// faults; asking for 2 MiB pages before the first touch makes them 512 times fewer.
// Only a hint: where the system declines, nothing changes.
void PreferHugePages(uint8_t* memory, size_t size) {
  const auto start = reinterpret_cast<uintptr_t>(memory);
  const uintptr_t first = (start + kHugePage - 1) & ~(kHugePage - 1);
  const uintptr_t end = (start + size) & ~(kHugePage - 1);
  if (end > first) madvise(reinterpret_cast<void*>(first), end - first, MADV_HUGEPAGE);
}
#else
void PreferHugePages(uint8_t*, size_t) {}
#endif

}  // namespace

namespace {

std::shared_ptr<uint8_t> ZeroedMemory(size_t size) {
  std::shared_ptr<uint8_t> memory(static_cast<uint8_t*>(std::calloc(size, 1)), std::free);
  if (!memory) throw EOSError(std::strerror(ENOMEM));
  PreferHugePages(memory.get(), size);
  return memory;
}

}  // namespace

TPixelBuffer::TPixelBuffer(size_t size) : size_(size) {
  if (size != 0) memory_ = ZeroedMemory(size);
}

TPixelBuffer::TPixelBuffer(std::shared_ptr<const TFileRegion> region)
    : region_(std::move(region)), size_(static_cast<size_t>(region_->Size())) {}

const uint8_t* TPixelBuffer::Data() const {
  if (region_) {
    std::shared_ptr<uint8_t> memory = ZeroedMemory(size_);
    region_->ReadInto(memory.get());
    memory_ = std::move(memory);
    region_.reset();
  }
  return memory_.get();
}

TPixelBuffer TPixelBuffer::Clone() const {
  TPixelBuffer copy(size_);
  if (size_ != 0) std::memcpy(copy.memory_.get(), Data(), size_);
  return copy;
}

TPixelBuffer TPixelBuffer::Share() const {
  TPixelBuffer other;
  Data();
  other.memory_ = memory_;
  other.size_ = size_;
  return other;
}

}  // namespace tapestro
