#include "gif/bmp_in_memory.h"

#include "base/errors.h"
#include "base/stream.h"
#include "gif/errors.h"
#include "imaging/bitmap.h"
#include "imaging/bmp_format.h"
#include "imaging/pixel_format.h"

namespace tapestro {

namespace {

class TByteWriter {
 public:
  explicit TByteWriter(uint8_t* at) : at_(at) {}
  void U16(uint32_t value) { Bytes(value, 2); }
  void U32(uint32_t value) { Bytes(value, 4); }

 private:
  void Bytes(uint32_t value, int count) {
    for (int i = 0; i < count; ++i) *at_++ = static_cast<uint8_t>(value >> (8 * i));
  }
  uint8_t* at_;
};

}  // namespace

TBmpInMemory::TBmpInMemory(int32_t width, int32_t height, int bitsPerPixel, std::span<const TRGBQuad> colorTable,
                           uint32_t colorsImportant)
    : height_(height) {
  const TPixelSize size = PixelSize(width, height, bitsPerPixel);
  if (size.Check != TSizeCheck::Ok) throw EOutOfMemory(msg::kGifDibAllocationFailed);
  const size_t tableBytes = colorTable.size() * kQuadEntrySize;
  const size_t pixelOffset = kFileHeaderSize + kInfoHeaderSize + tableBytes;
  fileSize_ = pixelOffset + size.ImageBytes;
  // Zeroed memory: the padding of every row is written to files as it stands.
  file_.reset(static_cast<uint8_t*>(std::calloc(fileSize_, 1)));
  if (!file_) throw EOutOfMemory(msg::kGifDibAllocationFailed);
  rowBytes_ = size.RowBytes;
  pixels_ = file_.get() + pixelOffset;

  TByteWriter out(file_.get());
  out.U16(kBmpSignature);
  out.U32(static_cast<uint32_t>(fileSize_));
  out.U32(0);  // two reserved words
  out.U32(static_cast<uint32_t>(pixelOffset));
  out.U32(kInfoHeaderSize);
  out.U32(static_cast<uint32_t>(width));
  out.U32(static_cast<uint32_t>(height));  // positive: bottom row first
  out.U16(1);                              // planes
  out.U16(static_cast<uint32_t>(bitsPerPixel));
  out.U32(BI_RGB);
  out.U32(0);  // image size: rows x height
  out.U32(0);  // resolution, not given
  out.U32(0);
  out.U32(static_cast<uint32_t>(colorTable.size()));
  out.U32(colorsImportant);
  uint8_t* entry = file_.get() + kFileHeaderSize + kInfoHeaderSize;
  for (const TRGBQuad& quad : colorTable) {
    *entry++ = quad.Blue;
    *entry++ = quad.Green;
    *entry++ = quad.Red;
    *entry++ = 0;
  }
}

void TBmpInMemory::LoadInto(TBitmap& bitmap) const {
  TSpanStream stream(std::span<const uint8_t>(file_.get(), fileSize_));
  bitmap.LoadFromStream(stream);
}

}  // namespace tapestro
