#pragma once
// The BMP file layout: the fixed facts its reader and writer share, and writing a
// bitmap image as a BMP file.
#include <cstddef>
#include <cstdint>

namespace tapestro {

class TBitmapImage;
class TStream;

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

// Writes the image's kept file bytes unchanged when it has them; otherwise nothing for
// an image without pixels, else the BMP file of its pixels: a 40-byte info header, or
// the 12-byte OS/2 header for an image read from such a file when its format fits
// that header. The colour count written is recorded as biClrUsed in the image's
// description. The header block and the pixel block are written in one write each.
void WriteBmpImage(TBitmapImage& image, TStream& stream);

}  // namespace tapestro
