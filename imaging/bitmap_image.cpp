#include "imaging/bitmap_image.h"

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

}  // namespace tapestro
