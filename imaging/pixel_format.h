#pragma once
// How a bitmap's pixels are laid out and held: the pixel formats, the description
// record of a bitmap's geometry, the one place where width, height and bits per pixel
// are multiplied, and the zero-filled memory the pixels live in.
//
// The description is the bitmap part (what any bitmap has) and the 40-byte BMP info
// header with the three colour masks that follow it. A bitmap whose header part is
// empty (biSize 0) is a device bitmap. A format is derived from the description, never
// stored.
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <utility>

#include "base/stream.h"

namespace tapestro {

enum class TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfCustom };

// "pf8bit" and so on.
const char* PixelFormatName(TPixelFormat format);

// A bitmap holds at most this many pixels (for example 16384 x 16384): at most 1 GiB
// of pixel memory at 32 bits per pixel. Larger pictures are refused before any pixel
// memory is taken.
inline constexpr int64_t kMaxPixels = int64_t{1} << 28;
inline constexpr int kMaxBitsPerPixel = 32;

enum class TSizeCheck {
  Ok,
  Invalid,    // negative size or a bit count outside 1..32
  OverLimit,  // a sound size, but more than kMaxPixels
};

struct TPixelSize {
  TSizeCheck Check = TSizeCheck::Invalid;
  size_t RowBytes = 0;    // one row, padded to a 4-byte boundary
  size_t ImageBytes = 0;  // RowBytes x height
};

// Row and image bytes of a picture. Every pixel buffer is sized here, so no row or
// image size can overflow.
TPixelSize PixelSize(int64_t width, int64_t height, int bitsPerPixel);

// The compressions of a BMP info header.
inline constexpr uint32_t BI_RGB = 0;
inline constexpr uint32_t BI_RLE8 = 1;
inline constexpr uint32_t BI_RLE4 = 2;
inline constexpr uint32_t BI_BITFIELDS = 3;

inline constexpr uint32_t kInfoHeaderSize = 40;
// Device bitmaps hold blue, green, red bytes whatever the screen's depth.
inline constexpr int kDeviceBitsPerPixel = 24;

struct TBitmapPart {
  int32_t bmWidth = 0;
  int32_t bmHeight = 0;  // always the absolute height
  int32_t bmWidthBytes = 0;
  uint16_t bmPlanes = 0;
  uint16_t bmBitsPixel = 0;
};

struct TBitmapInfoHeader {
  uint32_t biSize = 0;
  int32_t biWidth = 0;
  int32_t biHeight = 0;  // negative: the top row is stored first
  uint16_t biPlanes = 0;
  uint16_t biBitCount = 0;
  uint32_t biCompression = 0;
  uint32_t biSizeImage = 0;
  int32_t biXPelsPerMeter = 0;
  int32_t biYPelsPerMeter = 0;
  uint32_t biClrUsed = 0;
  uint32_t biClrImportant = 0;
};

using TColorMasks = std::array<uint32_t, 3>;  // red, green, blue
inline constexpr TColorMasks kMasks555{0x7C00, 0x03E0, 0x001F};
inline constexpr TColorMasks kMasks565{0xF800, 0x07E0, 0x001F};
inline constexpr TColorMasks kMasks888{0x00FF0000, 0x0000FF00, 0x000000FF};

struct TDIBDescription {
  TBitmapPart Bitmap;
  TBitmapInfoHeader Header;
  TColorMasks Masks{};

  bool IsDevice() const { return Header.biSize == 0; }
  bool IsTopDown() const { return !IsDevice() && Header.biHeight < 0; }
  int32_t Width() const { return Bitmap.bmWidth; }
  int32_t Height() const { return Bitmap.bmHeight; }
  int BitsPerPixel() const { return IsDevice() ? kDeviceBitsPerPixel : Header.biBitCount; }
  bool HasMasks() const { return !IsDevice() && Header.biCompression == BI_BITFIELDS; }
  TPixelFormat PixelFormat() const;
};

// The description of a device bitmap of that size.
TDIBDescription DeviceDescription(int32_t width, int32_t height);
// A new bottom-up description for one of the table's formats (not device, not custom).
TDIBDescription FormatDescription(int32_t width, int32_t height, TPixelFormat format);
// The same description at another size; a top-down bitmap stays top-down.
TDIBDescription ResizedDescription(const TDIBDescription& description, int32_t width, int32_t height);
// What a device bitmap's description becomes when it turns into a DIB: 24 bits per
// pixel, bottom-up, keeping the resolution and colour counts it recorded.
TDIBDescription DIBOfDevice(const TDIBDescription& device);
// Fills the bitmap part, biSizeImage and default masks from the header (or, for a
// device bitmap, from its size). The caller has checked the size.
void CompleteDescription(TDIBDescription& description);
// The masks a bitmap with bit fields is written and drawn with: its own, or the
// defaults for its bit count when its red mask is 0.
TColorMasks EffectiveMasks(const TDIBDescription& description);

// Pixel memory: zero-filled, or the pixel block of a file, which stays in the file
// until the pixels are first touched (then it is read whole) and can meanwhile be
// copied from file to file without passing through memory. Large blocks come straight
// from the system already zeroed, so pages the pixels never reach cost nothing.
//
// Memory can have several owners (a GIF frame's colour indices and its bitmap): whoever
// writes makes it private first (Shared, Clone).
class TPixelBuffer {
 public:
  TPixelBuffer() = default;
  // EOSError with the system's text when the memory is refused.
  explicit TPixelBuffer(size_t size);
  // The region's bytes, read on first access.
  explicit TPixelBuffer(std::shared_ptr<const TFileRegion> region);
  TPixelBuffer(TPixelBuffer&&) = default;
  TPixelBuffer& operator=(TPixelBuffer&&) = default;
  TPixelBuffer(const TPixelBuffer&) = delete;
  TPixelBuffer& operator=(const TPixelBuffer&) = delete;

  // The pixels, read from the file first when they are still there: EReadError with
  // the file's path when that fails, EOSError when the memory is refused.
  uint8_t* Data() { return const_cast<uint8_t*>(std::as_const(*this).Data()); }
  const uint8_t* Data() const;
  size_t Size() const { return size_; }
  bool Empty() const { return size_ == 0; }
  TPixelBuffer Clone() const;
  // Another owner of the same memory.
  TPixelBuffer Share() const;
  bool Shared() const { return memory_.use_count() > 1; }
  // The file region while the pixels are still only there, else none.
  const TFileRegion* UnreadRegion() const { return region_.get(); }

 private:
  // Read from the file on first access; hence mutable.
  mutable std::shared_ptr<uint8_t> memory_;
  mutable std::shared_ptr<const TFileRegion> region_;
  size_t size_ = 0;
};

}  // namespace tapestro
