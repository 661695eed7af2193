#include "gif/frame_bitmap.h"

#include <array>
#include <cstring>
#include <utility>

#include "base/errors.h"
#include "gif/dither.h"
#include "gif/errors.h"
#include "gif/reader.h"
#include "imaging/bitmap.h"
#include "imaging/bitmap_image.h"
#include "imaging/graphic.h"

namespace tapestro {

namespace {

// Black for the pixels drawn, white for the transparent ones.
const TColorTable kMaskColors = {TRGBQuad{0, 0, 0, 0}, TRGBQuad{255, 255, 255, 0}};

// A bottom-up DIB image over pixels, as reading the BMP file of its rows would give:
// biClrUsed the table's size, colours important as given.
std::unique_ptr<TBitmapImage> DIBImage(int32_t width, int32_t height, TPixelFormat format, TColorTable table,
                                       uint32_t important, TPixelBuffer pixels) {
  auto image = std::make_unique<TBitmapImage>();
  image->Description = FormatDescription(width, height, format);
  image->Description.Header.biClrUsed = static_cast<uint32_t>(table.size());
  image->Description.Header.biClrImportant = important;
  image->ColorTable = std::move(table);
  image->Pixels = std::move(pixels);
  return image;
}

// Zero-filled rows of a width x height DIB of that many bits per pixel; the size passed
// the reader's limits long before, so failing here means the memory was refused.
TPixelBuffer DIBRows(int32_t width, int32_t height, int bitsPerPixel) {
  const TPixelSize size = PixelSize(width, height, bitsPerPixel);
  if (size.Check != TSizeCheck::Ok) throw EOutOfMemory(msg::kGifDibAllocationFailed);
  try {
    return TPixelBuffer(size.ImageBytes);
  } catch (const EOSError&) {
    throw EOutOfMemory(msg::kGifDibAllocationFailed);
  }
}

TPixelFormat CheckedFormat(TPixelFormat format) {
  if (format != TPixelFormat::pf8bit && format != TPixelFormat::pf24bit)
    throw GIFException(msg::kGifUnsupportedPixelFormat);
  return format;
}

TColorTable TableOf(const HPALETTE& palette) { return ColorTableFromPalette(palette, TDIBWriter::kColorTableEntries); }
uint32_t ImportantColorsOf(const HPALETTE& palette) {
  return palette ? static_cast<uint32_t>(palette->Entries.size()) : 0;
}

// Indices past the colour table have no colour of their own; they show black, as in
// the plain bitmap, whose colour table is zero past the palette.
TGIFColor ColorOf(const TGIFColorMap& colors, uint8_t index) {
  return index < colors.Count() ? colors[index] : TGIFColor{};
}

std::unique_ptr<TBitmap> MaskOf(std::optional<TTransparencyMaskRows>& mask) {
  return mask && mask->Any() ? mask->ToBitmap() : nullptr;
}

}  // namespace

TDIBWriter::TDIBWriter(TBitmap& target, TPixelFormat format, int32_t width, int32_t height, HPALETTE palette)
    : target_(target), format_(CheckedFormat(format)), width_(width), height_(height), palette_(std::move(palette)) {
  if (width <= 0 || height <= 0) throw GIFException(msg::kGifInvalidDimensions);
}

uint8_t* TDIBWriter::RowPointer(int32_t row) {
  if (row < 0 || row >= height_) throw EInvalidGraphicOperation(msg::kScanLineOutOfRange);
  if (committed_) throw GIFException(msg::kGifNoDib);
  const int bits = format_ == TPixelFormat::pf8bit ? 8 : 24;
  if (pixels_.Empty()) {
    pixels_ = DIBRows(width_, height_, bits);
    rowBytes_ = PixelSize(width_, height_, bits).RowBytes;
  }
  // The height is positive: rows are stored bottom row first.
  return pixels_.Data() + rowBytes_ * static_cast<size_t>(height_ - 1 - row);
}

void TDIBWriter::CommitToBitmap() {
  if (pixels_.Empty()) return;
  const bool palettized = format_ == TPixelFormat::pf8bit;
  TBitmap built(DIBImage(width_, height_, format_, palettized ? TableOf(palette_) : TColorTable{},
                         palettized ? ImportantColorsOf(palette_) : 0, std::move(pixels_)));
  target_.Assign(&built);
  committed_ = true;
}

TTransparencyMaskRows::TTransparencyMaskRows(int32_t width, int32_t height)
    : width_(width),
      height_(height),
      rowBytes_(PixelSize(width, height, 1).RowBytes),
      rows_(DIBRows(width, height, 1)) {}

void TTransparencyMaskRows::MarkRow(int32_t y, const uint8_t* indices, uint8_t transparentIndex) {
  uint8_t* row = nullptr;
  for (int32_t x = 0; x < width_; ++x) {
    if (indices[x] != transparentIndex) continue;
    // Rows without a transparent pixel are never touched.
    if (row == nullptr) row = Row(y);
    row[x >> 3] |= static_cast<uint8_t>(0x80u >> (x & 7));
  }
  any_ = any_ || row != nullptr;
}

std::unique_ptr<TBitmap> TTransparencyMaskRows::ToBitmap() {
  return std::make_unique<TBitmap>(DIBImage(width_, height_, TPixelFormat::pf1bit, kMaskColors, 0, std::move(rows_)));
}

const uint8_t* TFrameIndices::Row(int32_t y) const {
  return Pixels.Data() + PixelSize(Width, Height, 8).RowBytes * static_cast<size_t>(Height - 1 - y);
}

TFrameBuild BuildPlainBitmap(const TFrameIndices& frame, HPALETTE palette) {
  if (frame.Width <= 0 || frame.Height <= 0) throw GIFException(msg::kGifInvalidDimensions);
  std::optional<TTransparencyMaskRows> mask;
  if (frame.MakeMask) mask.emplace(frame.Width, frame.Height);
  for (int32_t y = 0; y < frame.Height; ++y) {
    if (frame.BeforeRow) frame.BeforeRow(y);
    if (mask) mask->MarkRow(y, frame.Row(y), frame.TransparentIndex);
  }
  TFrameBuild build;
  build.Bitmap = std::make_unique<TBitmap>(DIBImage(frame.Width, frame.Height, TPixelFormat::pf8bit, TableOf(palette),
                                                    ImportantColorsOf(palette), frame.Pixels.Share()));
  build.Mask = MaskOf(mask);
  return build;
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
    const uint8_t* indices = frame.Row(y);
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
  TFrameBuild build;
  build.Mask = MaskOf(mask);
  writer.CommitToBitmap();
  build.Bitmap = std::move(bitmap);
  return build;
}

}  // namespace tapestro
