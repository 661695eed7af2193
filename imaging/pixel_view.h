#pragma once
// A view of pixel memory in any of the bitmap layouts, or of a 32-bit screen surface,
// reading and writing single pixels as colours. Every drawing routine works through
// it, so one routine serves every pixel format.
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

#include "imaging/color.h"
#include "imaging/pixel_format.h"

namespace tapestro {

class TNearestColor;

enum class TPixelKind : uint8_t {
  Indexed1,  // colour-table indices packed from the most significant bit
  Indexed4,
  Indexed8,
  Masked16,  // 16-bit little-endian words split by colour masks
  Bgr24,     // blue, green, red
  Bgrx32,    // blue, green, red, unused
  Masked32,  // 32-bit little-endian words split by colour masks
};

// One colour channel of a masked pixel.
struct TChannel {
  uint32_t Mask = 0;
  int Shift = 0;
  uint32_t Max = 0;  // the channel's largest value

  static TChannel Of(uint32_t mask);
  // Scaled to 0..255, so that the largest value is full intensity.
  uint8_t Extract(uint32_t pixel) const;
  uint32_t Compose(uint8_t value) const;
};

class TPixelView {
 public:
  TPixelView() = default;

  // Pixels laid out as the description says; rows bottom-up unless it is top-down.
  static TPixelView OfBitmap(const TDIBDescription& description, uint8_t* pixels, std::span<const TRGBQuad> table);
  // A 32-bit surface of blue, green, red and unused bytes, rows stride bytes apart,
  // top row first. The unused byte is written as 0xFF (opaque).
  static TPixelView OfSurface(uint8_t* bits, int32_t width, int32_t height, ptrdiff_t stride);

  // Colours written are first reduced to the nearest entry of this palette: a screen
  // of 8 or fewer bits per pixel shows no others.
  TPixelView ReducedTo(const HPALETTE& palette) const;

  int32_t Width() const { return width_; }
  int32_t Height() const { return height_; }
  bool IsEmpty() const { return top_ == nullptr || width_ <= 0 || height_ <= 0; }
  int BitsPerPixel() const;
  // Row y counted from the top.
  uint8_t* Row(int32_t y) const { return top_ + stride_ * y; }
  // The first and one-past-last byte of the memory the view covers.
  const uint8_t* Begin() const { return stride_ < 0 ? Row(height_ - 1) : top_; }
  const uint8_t* End() const { return Begin() + RowBytes() * static_cast<size_t>(height_); }
  size_t RowBytes() const { return static_cast<size_t>(stride_ < 0 ? -stride_ : stride_); }

  TColor Get(const uint8_t* row, int32_t x) const;
  // The raw value of a pixel: a colour-table index, or the masked word.
  uint32_t Raw(const uint8_t* row, int32_t x) const;
  void Set(uint8_t* row, int32_t x, TColor color) const;
  // The same view of a copy of its memory that starts at begin.
  TPixelView MovedTo(uint8_t* begin) const;
  // True when both views store pixels the same way, so bytes can be copied across.
  bool SameLayout(const TPixelView& other) const;

 private:
  TColor TableColor(uint32_t index) const;
  uint8_t NearestIndex(TColor color) const;

  uint8_t* top_ = nullptr;
  ptrdiff_t stride_ = 0;
  int32_t width_ = 0;
  int32_t height_ = 0;
  TPixelKind kind_ = TPixelKind::Bgrx32;
  uint8_t unused_ = 0;
  std::array<TChannel, 3> channels_{};
  std::span<const TRGBQuad> table_;
  // Built on the first write: writes to indexed pixels and reduced surfaces look up
  // the nearest colour.
  mutable std::shared_ptr<TNearestColor> nearest_;
  HPALETTE reduce_;
};

}  // namespace tapestro
