// TGIFSubImage::BuildPlainBitmap: the colour indices copied row by row into an 8-bit
// bitmap with the frame's palette. Transparent pixels keep their index; they are only
// marked in the mask.
#include <cstring>
#include <optional>

#include "gif/frame_bitmap.h"
#include "gif/sub_image.h"
#include "gif/transparency_mask.h"

namespace tapestro {

TGIFSubImage::TFrameBuild TGIFSubImage::BuildPlainBitmap(bool makeMask) {
  TFrameBuild build;
  build.Bitmap = std::make_unique<TBitmap>();
  const int32_t width = Width(), height = Height();
  TDIBWriter writer(*build.Bitmap, TPixelFormat::pf8bit, width, height, FramePalette());
  std::optional<TTransparencyMaskRows> mask;
  if (makeMask) mask.emplace(width, height);
  const uint8_t transparentIndex = TransparentIndex();
  for (int32_t y = 0; y < height; ++y) {
    ReportRowProgress(y);
    const uint8_t* indices = pixels_.data() + static_cast<size_t>(y) * static_cast<size_t>(width);
    std::memcpy(writer.RowPointer(y), indices, static_cast<size_t>(width));
    if (mask) mask->MarkRow(y, indices, transparentIndex);
  }
  if (mask && mask->Any()) build.Mask = mask->ToBitmap();
  writer.CommitToBitmap();
  return build;
}

}  // namespace tapestro
