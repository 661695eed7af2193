#include "gif/dib_writer.h"

#include "base/errors.h"
#include "gif/errors.h"
#include "imaging/color.h"
#include "imaging/graphic.h"

namespace tapestro {

namespace {

int BitsPerPixelOf(TPixelFormat format) {
  if (format == TPixelFormat::pf8bit) return 8;
  if (format == TPixelFormat::pf24bit) return 24;
  throw GIFException(msg::kGifUnsupportedPixelFormat);
}

}  // namespace

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

}  // namespace tapestro
