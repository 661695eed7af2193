#include "imaging/pixel_view.h"

#include <algorithm>
#include <bit>

#include "imaging/color.h"

namespace tapestro {

namespace {

uint32_t Load16(const uint8_t* p) { return uint32_t{p[0]} | (uint32_t{p[1]} << 8); }
uint32_t Load32(const uint8_t* p) {
  return uint32_t{p[0]} | (uint32_t{p[1]} << 8) | (uint32_t{p[2]} << 16) | (uint32_t{p[3]} << 24);
}
void Store16(uint8_t* p, uint32_t v) {
  p[0] = static_cast<uint8_t>(v);
  p[1] = static_cast<uint8_t>(v >> 8);
}
void Store32(uint8_t* p, uint32_t v) {
  Store16(p, v);
  Store16(p + 2, v >> 16);
}

TPixelKind KindOf(const TDIBDescription& description) {
  switch (description.BitsPerPixel()) {
    case 1: return TPixelKind::Indexed1;
    case 4: return TPixelKind::Indexed4;
    case 8: return TPixelKind::Indexed8;
    case 16: return TPixelKind::Masked16;
    case 32: return description.HasMasks() ? TPixelKind::Masked32 : TPixelKind::Bgrx32;
    default: return TPixelKind::Bgr24;
  }
}

}  // namespace

TChannel TChannel::Of(uint32_t mask) {
  if (mask == 0) return {};
  const int shift = std::countr_zero(mask);
  return {mask, shift, mask >> shift};
}

uint8_t TChannel::Extract(uint32_t pixel) const {
  if (Max == 0) return 0;
  const uint64_t value = (pixel & Mask) >> Shift;
  return static_cast<uint8_t>((value * 255 + Max / 2) / Max);
}

uint32_t TChannel::Compose(uint8_t value) const {
  return static_cast<uint32_t>((uint64_t{value} * Max + 127) / 255) << Shift;
}

TPixelView TPixelView::OfBitmap(const TDIBDescription& description, uint8_t* pixels,
                                std::span<const TRGBQuad> table) {
  TPixelView view;
  if (pixels == nullptr) return view;
  view.width_ = description.Width();
  view.height_ = description.Height();
  const auto rowBytes = static_cast<ptrdiff_t>(description.Bitmap.bmWidthBytes);
  if (description.IsTopDown()) {
    view.top_ = pixels;
    view.stride_ = rowBytes;
  } else {
    view.top_ = pixels + rowBytes * (view.height_ - 1);
    view.stride_ = -rowBytes;
  }
  view.kind_ = KindOf(description);
  view.table_ = table;
  const TColorMasks masks = description.HasMasks() ? EffectiveMasks(description) : kMasks555;
  for (size_t i = 0; i < masks.size(); ++i) view.channels_[i] = TChannel::Of(masks[i]);
  return view;
}

TPixelView TPixelView::OfSurface(uint8_t* bits, int32_t width, int32_t height, ptrdiff_t stride) {
  TPixelView view;
  view.top_ = bits;
  view.stride_ = stride;
  view.width_ = width;
  view.height_ = height;
  view.kind_ = TPixelKind::Bgrx32;
  view.unused_ = 0xFF;
  return view;
}

TPixelView TPixelView::ReducedTo(const HPALETTE& palette) const {
  TPixelView view = *this;
  // Indexed pixels are limited to their own table already.
  if (kind_ == TPixelKind::Indexed1 || kind_ == TPixelKind::Indexed4 || kind_ == TPixelKind::Indexed8) return view;
  view.reduce_ = palette;
  view.nearest_.reset();
  return view;
}

int TPixelView::BitsPerPixel() const {
  switch (kind_) {
    case TPixelKind::Indexed1: return 1;
    case TPixelKind::Indexed4: return 4;
    case TPixelKind::Indexed8: return 8;
    case TPixelKind::Masked16: return 16;
    case TPixelKind::Bgr24: return 24;
    case TPixelKind::Bgrx32:
    case TPixelKind::Masked32: return 32;
  }
  return 32;
}

TColor TPixelView::TableColor(uint32_t index) const {
  // Indices past the table show black, as missing colour-table entries are zero.
  return index < table_.size() ? QuadColor(table_[index]) : clBlack;
}

uint32_t TPixelView::Raw(const uint8_t* row, int32_t x) const {
  switch (kind_) {
    case TPixelKind::Indexed1: return (row[x >> 3] >> (7 - (x & 7))) & 1u;
    case TPixelKind::Indexed4: return (row[x >> 1] >> ((x & 1) ? 0 : 4)) & 0xFu;
    case TPixelKind::Indexed8: return row[x];
    case TPixelKind::Masked16: return Load16(row + 2 * x);
    case TPixelKind::Bgr24: return Load16(row + 3 * x) | (uint32_t{row[3 * x + 2]} << 16);
    case TPixelKind::Bgrx32:
    case TPixelKind::Masked32: return Load32(row + 4 * x);
  }
  return 0;
}

TColor TPixelView::Get(const uint8_t* row, int32_t x) const {
  switch (kind_) {
    case TPixelKind::Indexed1:
    case TPixelKind::Indexed4:
    case TPixelKind::Indexed8: return TableColor(Raw(row, x));
    case TPixelKind::Bgr24: {
      const uint8_t* p = row + 3 * x;
      return RGBColor(p[2], p[1], p[0]);
    }
    case TPixelKind::Bgrx32: {
      const uint8_t* p = row + 4 * x;
      return RGBColor(p[2], p[1], p[0]);
    }
    case TPixelKind::Masked16:
    case TPixelKind::Masked32: {
      const uint32_t pixel = Raw(row, x);
      return RGBColor(channels_[0].Extract(pixel), channels_[1].Extract(pixel), channels_[2].Extract(pixel));
    }
  }
  return clBlack;
}

uint8_t TPixelView::NearestIndex(TColor color) const {
  if (!nearest_) {
    const bool reduced = reduce_ != nullptr;
    TColorTable table = reduced ? ColorTableFromPalette(reduce_, reduce_->Entries.size())
                                : TColorTable(table_.begin(), table_.end());
    nearest_ = std::make_shared<TNearestColor>(std::move(table));
  }
  return nearest_->IndexOf(color);
}

void TPixelView::Set(uint8_t* row, int32_t x, TColor color) const {
  if (reduce_ && !reduce_->Entries.empty()) {
    const TPaletteEntry& entry = reduce_->Entries[NearestIndex(color)];
    color = RGBColor(entry.Red, entry.Green, entry.Blue);
  }
  switch (kind_) {
    case TPixelKind::Indexed1: {
      const uint8_t bit = static_cast<uint8_t>(0x80u >> (x & 7));
      uint8_t& byte = row[x >> 3];
      byte = static_cast<uint8_t>(NearestIndex(color) ? byte | bit : byte & ~bit);
      return;
    }
    case TPixelKind::Indexed4: {
      uint8_t& byte = row[x >> 1];
      const uint8_t index = NearestIndex(color) & 0xF;
      byte = static_cast<uint8_t>((x & 1) ? (byte & 0xF0) | index : (byte & 0x0F) | (index << 4));
      return;
    }
    case TPixelKind::Indexed8: row[x] = NearestIndex(color); return;
    case TPixelKind::Masked16:
    case TPixelKind::Masked32: {
      const uint32_t pixel = channels_[0].Compose(RedOf(color)) | channels_[1].Compose(GreenOf(color)) |
                             channels_[2].Compose(BlueOf(color));
      if (kind_ == TPixelKind::Masked16) Store16(row + 2 * x, pixel);
      else Store32(row + 4 * x, pixel);
      return;
    }
    case TPixelKind::Bgr24: {
      uint8_t* p = row + 3 * x;
      p[0] = BlueOf(color);
      p[1] = GreenOf(color);
      p[2] = RedOf(color);
      return;
    }
    case TPixelKind::Bgrx32: {
      uint8_t* p = row + 4 * x;
      p[0] = BlueOf(color);
      p[1] = GreenOf(color);
      p[2] = RedOf(color);
      p[3] = unused_;
      return;
    }
  }
}

TPixelView TPixelView::MovedTo(uint8_t* begin) const {
  TPixelView view = *this;
  view.top_ = begin + (top_ - Begin());
  return view;
}

bool TPixelView::SameLayout(const TPixelView& other) const {
  if (kind_ != other.kind_ || reduce_ || other.reduce_) return false;
  switch (kind_) {
    case TPixelKind::Indexed1:
    case TPixelKind::Indexed4:
    case TPixelKind::Indexed8:
      return std::equal(table_.begin(), table_.end(), other.table_.begin(), other.table_.end());
    case TPixelKind::Masked16:
    case TPixelKind::Masked32:
      for (size_t i = 0; i < channels_.size(); ++i)
        if (channels_[i].Mask != other.channels_[i].Mask) return false;
      return true;
    case TPixelKind::Bgrx32: return unused_ == other.unused_;
    case TPixelKind::Bgr24: return true;
  }
  return false;
}

}  // namespace tapestro
