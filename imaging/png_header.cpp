#include "imaging/png_header.h"

#include <array>
#include <cstring>

#include "base/errors.h"
#include "base/stream.h"
#include "base/text.h"

namespace tapestro {

namespace {

constexpr uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr uint32_t kIhdrLength = 13;
constexpr uint32_t kMaxSide = 0x7FFFFFFF;  // the format's own bound on either side

uint32_t BigEndian32(const uint8_t* bytes) {
  return uint32_t{bytes[0]} << 24 | uint32_t{bytes[1]} << 16 | uint32_t{bytes[2]} << 8 | bytes[3];
}

// The CRC-32 the format puts after every chunk, over its type and data.
uint32_t ChunkCrc(const uint8_t* bytes, size_t size) {
  uint32_t crc = 0xFFFFFFFF;
  for (size_t i = 0; i < size; ++i) {
    crc ^= bytes[i];
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320 & (0u - (crc & 1)));
  }
  return ~crc;
}

// The bit depths each colour type allows, as a bit mask of the depths.
uint32_t AllowedDepths(uint8_t colorType) {
  switch (colorType) {
    case 0: return 1 << 1 | 1 << 2 | 1 << 4 | 1 << 8 | 1 << 16;
    case 3: return 1 << 1 | 1 << 2 | 1 << 4 | 1 << 8;
    case 2:
    case 4:
    case 6: return 1 << 8 | 1 << 16;
    default: return 0;
  }
}

}  // namespace

TPngHeader ParsePngHeader(const uint8_t* bytes, size_t size, const std::string& name) {
  if (size < sizeof kSignature || std::memcmp(bytes, kSignature, sizeof kSignature) != 0)
    throw EInvalidGraphic(Format(kNotPng, name));
  const uint8_t* chunk = bytes + sizeof kSignature;  // length, type, data, CRC
  const uint8_t* data = chunk + 8;
  if (size < kPngHeaderSize || BigEndian32(chunk) != kIhdrLength || std::memcmp(chunk + 4, "IHDR", 4) != 0 ||
      BigEndian32(data + kIhdrLength) != ChunkCrc(chunk + 4, 4 + kIhdrLength))
    throw EInvalidGraphic(Format(kDamagedPngHeader, name));
  TPngHeader header;
  header.Width = BigEndian32(data);
  header.Height = BigEndian32(data + 4);
  header.BitDepth = data[8];
  header.ColorType = data[9];
  const uint8_t compression = data[10], filter = data[11], interlace = data[12];
  header.Interlaced = interlace == 1;
  const bool sizeOk = header.Width != 0 && header.Height != 0 && header.Width <= kMaxSide && header.Height <= kMaxSide;
  const bool depthOk = header.BitDepth <= 16 && (AllowedDepths(header.ColorType) >> header.BitDepth & 1) != 0;
  if (!sizeOk || !depthOk || compression != 0 || filter != 0 || interlace > 1)
    throw EInvalidGraphic(Format(kDamagedPngHeader, name));
  return header;
}

TPngHeader ReadPngHeader(const std::string& path) {
  TFileStream file(path, FileMode::OpenRead);
  std::array<uint8_t, kPngHeaderSize> bytes{};
  const size_t size = file.Read(bytes.data(), bytes.size());
  return ParsePngHeader(bytes.data(), size, path);
}

const char* PngColorTypeName(uint8_t colorType) {
  switch (colorType) {
    case 0: return "grey";
    case 2: return "RGB";
    case 3: return "palette";
    case 4: return "grey+alpha";
    default: return "RGBA";
  }
}

}  // namespace tapestro
