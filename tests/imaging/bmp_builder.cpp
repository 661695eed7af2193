#include "tests/imaging/bmp_builder.h"

#include <algorithm>

#include "base/stream.h"

namespace tapestro::test {

namespace {
void Put16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}
void Put32(std::vector<uint8_t>& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}
}  // namespace

std::vector<uint8_t> TBmpFile::Bytes() const {
  std::vector<uint8_t> header;
  const bool core = HeaderSize == 12;
  Put32(header, HeaderSize);
  if (core) {
    Put16(header, static_cast<uint32_t>(Width));
    Put16(header, static_cast<uint32_t>(Height));
    Put16(header, Planes);
    Put16(header, BitCount);
  } else {
    Put32(header, static_cast<uint32_t>(Width));
    Put32(header, static_cast<uint32_t>(Height));
    Put16(header, Planes);
    Put16(header, BitCount);
    Put32(header, Compression);
    Put32(header, SizeImage);
    Put32(header, static_cast<uint32_t>(XPelsPerMeter));
    Put32(header, static_cast<uint32_t>(YPelsPerMeter));
    Put32(header, ClrUsed);
    Put32(header, ClrImportant);
    for (uint32_t mask : Masks) Put32(header, mask);
    header.resize(std::max<size_t>(header.size(), HeaderSize), 0);
  }
  for (const TRGBQuad& c : Colors) {
    header.push_back(c.Blue);
    header.push_back(c.Green);
    header.push_back(c.Red);
    if (!core) header.push_back(0);
  }
  std::vector<uint8_t> file;
  const uint32_t off = OffBits != 0 ? OffBits : static_cast<uint32_t>(14 + header.size());
  Put16(file, Signature);
  Put32(file, static_cast<uint32_t>(14 + header.size() + Pixels.size()));
  Put32(file, 0);
  Put32(file, off);
  file.insert(file.end(), header.begin(), header.end());
  file.insert(file.end(), Pixels.begin(), Pixels.end());
  return file;
}

uint32_t U32At(const std::vector<uint8_t>& bytes, size_t offset) {
  return uint32_t{bytes.at(offset)} | (uint32_t{bytes.at(offset + 1)} << 8) | (uint32_t{bytes.at(offset + 2)} << 16) |
         (uint32_t{bytes.at(offset + 3)} << 24);
}

uint16_t U16At(const std::vector<uint8_t>& bytes, size_t offset) {
  return static_cast<uint16_t>(bytes.at(offset) | (bytes.at(offset + 1) << 8));
}

std::vector<uint8_t> SaveToBytes(TBitmap& bitmap) {
  TMemoryStream stream;
  bitmap.SaveToStream(stream);
  return stream.Bytes();
}

void LoadFromBytes(TBitmap& bitmap, const std::vector<uint8_t>& bytes) {
  TMemoryStream stream(bytes);
  bitmap.LoadFromStream(stream);
}

TColor PixelAt(const TBitmap& bitmap, int32_t x, int32_t y) {
  const TPixelView view = bitmap.Pixels();
  return view.Get(view.Row(y), x);
}

}  // namespace tapestro::test
