// TGIFSubImage::BuildDitheredBitmap: the frame's colours dithered onto the colour cube,
// for screens of 256 colours or fewer.
#include <cstring>
#include <optional>

#include "gif/frame_bitmap.h"
#include "gif/dither.h"
#include "gif/errors.h"
#include "gif/sub_image.h"
#include "gif/transparency_mask.h"

namespace tapestro {

namespace {

// Indices past the colour table have no colour of their own; they show black, as in
// the plain bitmap, whose colour table is zero past the palette.
TGIFColor ColorOf(const TGIFColorMap& colors, uint8_t index) {
  return index < colors.Count() ? colors[index] : TGIFColor{};
}

}  // namespace

TGIFSubImage::TFrameBuild TGIFSubImage::BuildDitheredBitmap(bool makeMask) {
  TFrameBuild build;
  build.Bitmap = std::make_unique<TBitmap>();
  const HPALETTE palette = FramePalette();
  const TGIFColorMap& colors = EffectiveColorMap();
  if (colors.Empty()) throw GIFException(msg::kGifNoColorTable);
  const int32_t width = Width(), height = Height();
  const TNetscapeColorLookup lookup;
  TFloydSteinbergDitherer ditherer(width, lookup);
  TDIBWriter writer(*build.Bitmap, TPixelFormat::pf8bit, width, height, palette);
  std::optional<TTransparencyMaskRows> mask;
  if (makeMask) mask.emplace(width, height);
  const uint8_t transparentIndex = TransparentIndex();
  // Transparent pixels hold the cube colour nearest to the transparent index's colour.
  const TGIFColor transparentColor = ColorOf(colors, transparentIndex);
  const uint8_t fill = lookup.Lookup(transparentColor.Red, transparentColor.Green, transparentColor.Blue).Index;

  for (int32_t y = 0; y < height; ++y) {
    ReportRowProgress(y);
    uint8_t* row = writer.RowPointer(y);
    if (mask) std::memset(row, fill, static_cast<size_t>(width));
    const uint8_t* indices = pixels_.data() + static_cast<size_t>(y) * static_cast<size_t>(width);
    for (int32_t n = 0; n < width; ++n) {
      const int32_t x = ditherer.Column();
      const uint8_t index = indices[x];
      if (mask && index == transparentIndex) {
        mask->Mark(y, x);
        ditherer.SkipPixel();
        continue;
      }
      const TGIFColor color = ColorOf(colors, index);
      row[x] = ditherer.Dither(color.Red, color.Green, color.Blue);
    }
    ditherer.NextLine();
  }
  if (mask && mask->Any()) build.Mask = mask->ToBitmap();
  writer.CommitToBitmap();
  return build;
}

}  // namespace tapestro
