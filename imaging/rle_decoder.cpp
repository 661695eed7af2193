#include "imaging/rle_decoder.h"

#include <vector>

#include "imaging/byte_reader.h"

namespace tapestro {

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
