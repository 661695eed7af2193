#include "imaging/bitmap_image.h"

#include <algorithm>

#include "base/errors.h"
#include "imaging/pixel_ops.h"

namespace tapestro {

TPixelView TBitmapImage::View() { return TPixelView::OfBitmap(Description, Pixels.Data(), ColorTable); }

TPixelView TBitmapImage::View() const {
  // Read-only users never write through the view they get.
  return TPixelView::OfBitmap(Description, const_cast<uint8_t*>(Pixels.Data()), ColorTable);
}

std::unique_ptr<TBitmapImage> TBitmapImage::Clone() const {
  auto copy = std::make_unique<TBitmapImage>();
  copy->Description = Description;
  copy->ColorTable = ColorTable;
  copy->Pixels = Pixels.Clone();
  copy->Palette = Palette;
  copy->KeptFileBytes = KeptFileBytes;
  copy->OS2 = OS2;
  copy->Halftone = Halftone;
  return copy;
}

namespace {

TColorTable BlackAndWhite(TColor zero = clBlack, TColor one = clWhite) { return {ColorQuad(zero), ColorQuad(one)}; }

// The palette a table falls back on when neither a palette nor an old table exists.
HPALETTE StandardPalette(int bits) {
  if (bits == 4) return SystemPalette16();
  return HalftonePalette();
}

TColorTable NewColorTable(const TBitmapImage& old, int bits, const HPALETTE& palette, const TRebuildColors& colors) {
  const size_t size = size_t{1} << bits;
  if (bits == 1 && colors.FromSurface) return BlackAndWhite(colors.Font, colors.Fill);
  const bool fromNothing = old.Description.IsDevice() || !old.HasPixels();
  if (bits == 1 && fromNothing) return BlackAndWhite();
  if (palette) return ColorTableFromPalette(palette, size);
  // The old table serves only a bitmap of its own depth; another depth starts from
  // its standard colours.
  if (old.Description.BitsPerPixel() == bits && !old.ColorTable.empty()) {
    TColorTable table = old.ColorTable;
    table.resize(size);
    return table;
  }
  if (bits == 1) return BlackAndWhite();
  return ColorTableFromPalette(StandardPalette(bits), size);
}

}  // namespace

std::unique_ptr<TBitmapImage> RebuildImage(const TBitmapImage& old, TDIBDescription description, HPALETTE palette,
                                           const TRebuildColors& colors) {
  const TPixelSize size = PixelSize(description.Width(), description.Height(), description.BitsPerPixel());
  if (size.Check != TSizeCheck::Ok) throw EOutOfResources(msg::kOutOfResources);
  CompleteDescription(description);

  auto image = std::make_unique<TBitmapImage>();
  image->Description = description;
  image->Palette = palette;
  image->OS2 = old.OS2;
  image->Halftone = old.Halftone && palette == old.Palette;
  const int bits = description.BitsPerPixel();
  if (!description.IsDevice() && bits <= 8) image->ColorTable = NewColorTable(old, bits, palette, colors);
  // The counts of used and important colours describe the old table only: a new table
  // is written whole.
  if (image->ColorTable != old.ColorTable) {
    image->Description.Header.biClrUsed = 0;
    image->Description.Header.biClrImportant = 0;
  }
  if (size.ImageBytes == 0) return image;

  image->Pixels = TPixelBuffer(size.ImageBytes);
  const TPixelView target = image->View();
  const TPixelView source = old.View();
  const bool sameSize =
      old.Description.Width() == description.Width() && old.Description.Height() == description.Height();
  if (!source.IsEmpty() && sameSize && bits > 8) {
    CopyPixels(source, target, target.Width(), target.Height());
    return image;
  }
  FillPixels(target, Rect(0, 0, target.Width(), target.Height()), colors.Fill);
  CopyPixels(source, target, std::min(source.Width(), target.Width()), std::min(source.Height(), target.Height()));
  return image;
}

}  // namespace tapestro
