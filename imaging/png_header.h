#pragma once
// The facts of a PNG file's header chunk (IHDR): size, bit depth, colour type and
// interlacing. The program hands PNG files to the desktop as they are and never decodes
// them; tapestro-tool info reports what the desktop is given from these facts alone.
#include <cstddef>
#include <cstdint>
#include <string>

namespace tapestro {

inline constexpr char kNotPng[] = "%s is not a PNG file";
inline constexpr char kDamagedPngHeader[] = "%s: the PNG header is damaged";

// The signature, the IHDR chunk's length and type, its 13 bytes and their CRC.
inline constexpr size_t kPngHeaderSize = 8 + 8 + 13 + 4;

struct TPngHeader {
  uint32_t Width = 0;
  uint32_t Height = 0;
  uint8_t BitDepth = 0;
  uint8_t ColorType = 0;
  bool Interlaced = false;
};

// The header of the first kPngHeaderSize bytes of a file named name (for the texts):
// EInvalidGraphic kNotPng without the signature, kDamagedPngHeader for a first chunk
// that is not a valid IHDR (its CRC included).
TPngHeader ParsePngHeader(const uint8_t* bytes, size_t size, const std::string& name);
// The file's header; EFOpenError when it cannot be read.
TPngHeader ReadPngHeader(const std::string& path);

// "grey", "RGB", "palette", "grey+alpha" or "RGBA".
const char* PngColorTypeName(uint8_t colorType);

}  // namespace tapestro
