#pragma once
// Little-endian fields read from bytes in memory. Reading past the end raises
// EReadError "Stream read error", never yields a silent zero.
#include <cstddef>
#include <cstdint>
#include <span>

#include "base/errors.h"

namespace tapestro {

class TByteReader {
 public:
  explicit TByteReader(std::span<const uint8_t> bytes) : bytes_(bytes) {}

  size_t Remaining() const { return bytes_.size() - position_; }

  uint8_t U8() { return *Take(1); }
  uint16_t U16() {
    const uint8_t* p = Take(2);
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
  }
  uint32_t U32() {
    const uint8_t* p = Take(4);
    return uint32_t{p[0]} | (uint32_t{p[1]} << 8) | (uint32_t{p[2]} << 16) | (uint32_t{p[3]} << 24);
  }
  int32_t I32() { return static_cast<int32_t>(U32()); }
  void Skip(size_t count) { Take(count); }

 private:
  const uint8_t* Take(size_t count) {
    if (count > Remaining()) throw EReadError(msg::kStreamReadError);
    const uint8_t* p = bytes_.data() + position_;
    position_ += count;
    return p;
  }

  std::span<const uint8_t> bytes_;
  size_t position_ = 0;
};

}  // namespace tapestro
