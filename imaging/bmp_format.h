#pragma once
// The fixed facts of the BMP file layout shared by its reader and writer.
#include <cstddef>
#include <cstdint>

namespace tapestro {

inline constexpr uint16_t kBmpSignature = 0x4D42;  // "BM"
inline constexpr size_t kFileHeaderSize = 14;
inline constexpr uint32_t kCoreHeaderSize = 12;  // OS/2 1.x: 16-bit width and height
inline constexpr size_t kMasksSize = 12;
// Headers longer than the info header (version 2 and later) carry the masks here.
inline constexpr uint32_t kHeaderSizeWithMasks = 52;
inline constexpr size_t kQuadEntrySize = 4;
inline constexpr size_t kTripleEntrySize = 3;  // OS/2 colour entries: blue, green, red
// A colour table holds at most 256 entries; files claiming more are refused.
inline constexpr uint32_t kMaxColorTableEntries = 256;

}  // namespace tapestro
