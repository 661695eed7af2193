#include "gif/frame_bitmap.h"

#include <array>
#include <cstring>

#include "base/errors.h"
#include "base/stream.h"
#include "gif/dither.h"
#include "gif/errors.h"
#include "gif/reader.h"
#include "imaging/bitmap.h"
#include "imaging/bmp_format.h"
#include "imaging/graphic.h"
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

int BitsPerPixelOf(TPixelFormat format) {
  if (format == TPixelFormat::pf8bit) return 8;
  if (format == TPixelFormat::pf24bit) return 24;
  throw GIFException(msg::kGifUnsupportedPixelFormat);
}

// Black for the pixels drawn, white for the transparent ones.
constexpr std::array<TRGBQuad, 2> kMaskColors = {TRGBQuad{0, 0, 0, 0}, TRGBQuad{255, 255, 255, 0}};

// Indices past the colour table have no colour of their own; they show black, as in
// the plain bitmap, whose colour table is zero past the palette.
TGIFColor ColorOf(const TGIFColorMap& colors, uint8_t index) {
  return index < colors.Count() ? colors[index] : TGIFColor{};
}

const uint8_t* IndicesOfRow(const TFrameIndices& frame, int32_t y) {
  return frame.Pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(frame.Width);
}

TFrameBuild Finish(std::unique_ptr<TBitmap> bitmap, const std::optional<TTransparencyMaskRows>& mask,
                   TDIBWriter& writer) {
  TFrameBuild build;
  build.Bitmap = std::move(bitmap);
  if (mask && mask->Any()) build.Mask = mask->ToBitmap();
  writer.CommitToBitmap();
  return build;
}

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

TDIBWriter::TDIBWriter(TBitmap& target, TPixelFormat format, int32_t width, int32_t height, HPALETTE palette)
    : target_(target),
      bitsPerPixel_(BitsPerPixelOf(format)),
      width_(width),
      height_(height),
      palette_(std::move(palette)) {
  if (width <= 0 || height <= 0) throw GIFException(msg::kGifInvalidDimensions);
}

uint8_t* TDIBWriter::RowPointer(int32_t row) {
  if (row < 0 || row >= height_) throw EInvalidGraphicOperation(msg::kScanLineOutOfRange);
  if (committed_) throw GIFException(msg::kGifNoDib);
  if (!dib_) {
    if (bitsPerPixel_ == 8) {
      const TColorTable table = ColorTableFromPalette(palette_, kColorTableEntries);
      const uint32_t important = palette_ ? static_cast<uint32_t>(palette_->Entries.size()) : 0;
      dib_.emplace(width_, height_, bitsPerPixel_, table, important);
    } else {
      dib_.emplace(width_, height_, bitsPerPixel_, std::span<const TRGBQuad>(), 0);
    }
  }
  return dib_->Row(row);
}

void TDIBWriter::CommitToBitmap() {
  if (!dib_) return;
  dib_->LoadInto(target_);
  dib_.reset();
  committed_ = true;
}

TTransparencyMaskRows::TTransparencyMaskRows(int32_t width, int32_t height)
    : rows_(width, height, 1, kMaskColors, 0), width_(width) {}

void TTransparencyMaskRows::MarkRow(int32_t y, const uint8_t* indices, uint8_t transparentIndex) {
  uint8_t* row = Row(y);
  bool marked = false;
  for (int32_t x = 0; x < width_; ++x) {
    if (indices[x] != transparentIndex) continue;
    row[x >> 3] |= static_cast<uint8_t>(0x80u >> (x & 7));
    marked = true;
  }
  any_ = any_ || marked;
}

std::unique_ptr<TBitmap> TTransparencyMaskRows::ToBitmap() const {
  auto bitmap = std::make_unique<TBitmap>();
  rows_.LoadInto(*bitmap);
  return bitmap;
}

TFrameBuild BuildPlainBitmap(const TFrameIndices& frame, HPALETTE palette) {
  auto bitmap = std::make_unique<TBitmap>();
  TDIBWriter writer(*bitmap, TPixelFormat::pf8bit, frame.Width, frame.Height, std::move(palette));
  std::optional<TTransparencyMaskRows> mask;
  if (frame.MakeMask) mask.emplace(frame.Width, frame.Height);
  for (int32_t y = 0; y < frame.Height; ++y) {
    if (frame.BeforeRow) frame.BeforeRow(y);
    const uint8_t* indices = IndicesOfRow(frame, y);
    std::memcpy(writer.RowPointer(y), indices, static_cast<size_t>(frame.Width));
    if (mask) mask->MarkRow(y, indices, frame.TransparentIndex);
  }
  return Finish(std::move(bitmap), mask, writer);
}

TFrameBuild BuildDitheredBitmap(const TFrameIndices& frame, HPALETTE palette, const TGIFColorMap& colors) {
  auto bitmap = std::make_unique<TBitmap>();
  if (colors.Empty()) throw GIFException(msg::kGifNoColorTable);
  const TNetscapeColorLookup lookup;
  TFloydSteinbergDitherer ditherer(frame.Width, lookup);
  TDIBWriter writer(*bitmap, TPixelFormat::pf8bit, frame.Width, frame.Height, std::move(palette));
  std::optional<TTransparencyMaskRows> mask;
  if (frame.MakeMask) mask.emplace(frame.Width, frame.Height);
  const TGIFColor transparentColor = ColorOf(colors, frame.TransparentIndex);
  const uint8_t fill = lookup.Lookup(transparentColor.Red, transparentColor.Green, transparentColor.Blue).Index;

  for (int32_t y = 0; y < frame.Height; ++y) {
    if (frame.BeforeRow) frame.BeforeRow(y);
    uint8_t* row = writer.RowPointer(y);
    if (mask) std::memset(row, fill, static_cast<size_t>(frame.Width));
    const uint8_t* indices = IndicesOfRow(frame, y);
    for (int32_t n = 0; n < frame.Width; ++n) {
      const int32_t x = ditherer.Column();
      const uint8_t index = indices[x];
      if (mask && index == frame.TransparentIndex) {
        mask->Mark(y, x);
        ditherer.SkipPixel();
        continue;
      }
      const TGIFColor color = ColorOf(colors, index);
      row[x] = ditherer.Dither(color.Red, color.Green, color.Blue);
    }
    ditherer.NextLine();
  }
  return Finish(std::move(bitmap), mask, writer);
}

}  // namespace tapestro
