#pragma once
// The introducer bytes that start the blocks of a GIF stream.
#include <cstdint>

namespace tapestro {

inline constexpr uint8_t kExtensionIntroducer = 0x21;  // '!'
inline constexpr uint8_t kImageSeparator = 0x2C;       // ','
inline constexpr uint8_t kTrailer = 0x3B;              // ';'

}  // namespace tapestro
