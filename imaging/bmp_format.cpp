#include "imaging/bmp_format.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "base/stream.h"
#include "imaging/bitmap_image.h"

namespace tapestro {

namespace {

class THeaderBlock {
 public:
  void U16(uint32_t value) {
    bytes_.push_back(static_cast<uint8_t>(value));
    bytes_.push_back(static_cast<uint8_t>(value >> 8));
  }
  void U32(uint32_t value) {
    U16(value & 0xFFFF);
    U16(value >> 16);
  }
  void Entry(const TRGBQuad& quad, size_t size) {
    const uint8_t bytes[] = {quad.Blue, quad.Green, quad.Red, 0};
    bytes_.insert(bytes_.end(), bytes, bytes + size);
  }
  const std::vector<uint8_t>& Bytes() const { return bytes_; }

 private:
  std::vector<uint8_t> bytes_;
};

void FileHeader(THeaderBlock& block, uint32_t offBits, uint32_t imageBytes) {
  block.U16(kBmpSignature);
  block.U32(offBits + imageBytes);
  block.U16(0);
  block.U16(0);
  block.U32(offBits);
}

// The colour entries written: the colour table (cut to biClrUsed when that is smaller),
// or above 8 bits the bitmap's own logical palette.
TColorTable ColorEntries(const TBitmapImage& image, const TDIBDescription& description) {
  TColorTable entries = image.ColorTable;
  const uint32_t used = description.Header.biClrUsed;
  if (used > 0 && used < entries.size()) entries.resize(used);
  if (entries.empty() && !image.OS2 && image.Palette && !image.Halftone)
    entries = ColorTableFromPalette(image.Palette, image.Palette->Entries.size());
  return entries;
}

// OS/2 1.x headers hold bottom-up bitmaps of 1, 4, 8 or 24 bits and sizes up to 65535;
// a bitmap of OS/2 origin changed past that is written in the Windows layout.
bool FitsCoreHeader(const TDIBDescription& description) {
  const int bits = description.BitsPerPixel();
  return (bits == 1 || bits == 4 || bits == 8 || bits == 24) && description.Header.biCompression == BI_RGB &&
         !description.IsTopDown() && description.Width() <= 0xFFFF && description.Height() <= 0xFFFF;
}

THeaderBlock CoreLayout(const TDIBDescription& description, const TColorTable& entries, uint32_t imageBytes) {
  const int bits = description.BitsPerPixel();
  const size_t slots = bits <= 8 ? size_t{1} << bits : 0;
  THeaderBlock block;
  FileHeader(block, static_cast<uint32_t>(kFileHeaderSize + kCoreHeaderSize + kTripleEntrySize * slots), imageBytes);
  block.U32(kCoreHeaderSize);
  block.U16(static_cast<uint32_t>(description.Width()));
  block.U16(static_cast<uint32_t>(description.Height()));
  block.U16(1);
  block.U16(static_cast<uint32_t>(bits));
  for (size_t i = 0; i < slots; ++i) block.Entry(i < entries.size() ? entries[i] : TRGBQuad{}, kTripleEntrySize);
  return block;
}

THeaderBlock InfoLayout(const TDIBDescription& description, const TColorTable& entries, uint32_t imageBytes) {
  const TBitmapInfoHeader& header = description.Header;
  const bool masks = description.BitsPerPixel() > 8 && description.HasMasks();
  const auto offBits = static_cast<uint32_t>(kFileHeaderSize + kInfoHeaderSize + (masks ? kMasksSize : 0) +
                                             kQuadEntrySize * entries.size());
  THeaderBlock block;
  FileHeader(block, offBits, imageBytes);
  block.U32(kInfoHeaderSize);
  block.U32(static_cast<uint32_t>(description.Width()));
  block.U32(static_cast<uint32_t>(description.IsTopDown() ? -description.Height() : description.Height()));
  block.U16(1);
  block.U16(static_cast<uint32_t>(description.BitsPerPixel()));
  block.U32(masks ? BI_BITFIELDS : BI_RGB);
  block.U32(imageBytes);
  block.U32(static_cast<uint32_t>(header.biXPelsPerMeter));
  block.U32(static_cast<uint32_t>(header.biYPelsPerMeter));
  block.U32(entries.empty() ? header.biClrUsed : static_cast<uint32_t>(entries.size()));
  block.U32(header.biClrImportant);
  if (masks)
    for (const uint32_t mask : EffectiveMasks(description)) block.U32(mask);
  for (const TRGBQuad& entry : entries) block.Entry(entry, kQuadEntrySize);
  return block;
}

}  // namespace

void WriteBmpImage(TBitmapImage& image, TStream& stream) {
  if (image.KeptFileBytes) {
    stream.WriteBuffer(image.KeptFileBytes->data(), image.KeptFileBytes->size());
    return;
  }
  if (!image.HasPixels()) return;
  const TDIBDescription description = image.Description.IsDevice() ? DIBOfDevice(image.Description) : image.Description;
  const TColorTable entries = ColorEntries(image, description);
  if (!entries.empty()) image.Description.Header.biClrUsed = static_cast<uint32_t>(entries.size());
  const auto imageBytes = static_cast<uint32_t>(image.Pixels.Size());
  const THeaderBlock block = image.OS2 && FitsCoreHeader(description) ? CoreLayout(description, entries, imageBytes)
                                                                      : InfoLayout(description, entries, imageBytes);
  stream.WriteBuffer(block.Bytes().data(), block.Bytes().size());
  // Pixels still in the file they were read from go from file to file.
  if (const TFileRegion* region = image.Pixels.UnreadRegion())
    stream.WriteRegion(*region);
  else
    stream.WriteBuffer(image.Pixels.Data(), image.Pixels.Size());
}

}  // namespace tapestro
