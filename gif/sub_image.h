#pragma once
// TGIFSubImage: one image of a GIF stream with the extensions before it, its own
// colour table and its decoded colour indices; the bitmap it is shown with and how it
// is painted into a rectangle. TGIFImageList: the sub-images of an image, in stream order.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "gif/extensions.h"
#include "gif/reader.h"
#include "imaging/bitmap.h"
#include "imaging/canvas.h"
#include "imaging/color.h"
#include "imaging/geometry.h"

namespace tapestro {

struct TImageDescriptor {
  static constexpr size_t kSize = 10;
  static constexpr uint8_t kLocalColorTable = 0x80;
  static constexpr uint8_t kInterlaced = 0x40;

  uint8_t Separator = 0x2C;
  uint16_t Left = 0;
  uint16_t Top = 0;
  uint16_t Width = 0;
  uint16_t Height = 0;
  uint8_t PackedFields = 0;  // bit 7 local table, bit 6 interlaced, bit 5 sorted, bits 0-2 size
};

class TGIFSubImage final : public TGIFItem {
 public:
  explicit TGIFSubImage(TGIFImage& image);

  const TImageDescriptor& Descriptor() const { return descriptor_; }
  uint16_t Left() const { return descriptor_.Left; }
  uint16_t Top() const { return descriptor_.Top; }
  uint16_t Width() const { return descriptor_.Width; }
  uint16_t Height() const { return descriptor_.Height; }
  bool Interlaced() const { return descriptor_.PackedFields & TImageDescriptor::kInterlaced; }
  // No pixels: a group of extensions without an image, or an image of no area.
  bool Empty() const { return pixels_.Empty() || Width() == 0 || Height() == 0; }

  TGIFLocalColorMap& ColorMap() { return colorMap_; }
  const TGIFLocalColorMap& ColorMap() const { return colorMap_; }
  TGIFExtensionList& Extensions() { return extensions_; }
  const TGIFExtensionList& Extensions() const { return extensions_; }

  // Row y (0 = top) of the colour indices, Width() of them; only while not Empty().
  // They are kept in the rows of a bottom-up 8-bit DIB (each padded to 4 bytes), which
  // the frame bitmap then shares; pages the image data never reached stay untouched.
  const uint8_t* Row(int32_t y) const { return RowOf(y); }
  // Set when any graphic control extension of this sub-image gives a transparent index.
  bool Transparent() const { return transparent_; }
  void SetTransparent() { transparent_ = true; }
  // The first graphic control extension read for this sub-image (its list owns it).
  TGIFGraphicControlExtension* GraphicControlExtension() const { return graphicControl_; }
  void SetGraphicControlExtension(TGIFGraphicControlExtension* extension) { graphicControl_ = extension; }

  // Clears, then reads the extensions and, when one follows, the image with its
  // colour table and data.
  void ReadFromStream(TStream& stream) override;
  // Reads the LZW data behind the descriptor into the pixel buffer (see lzw_decoder.h).
  void DecodeImageData(TStream& stream);

  // The image as an 8-bit bitmap of its own size (not the screen's) whose 256-entry
  // colour table holds FramePalette, its pixels exactly the colour indices; dithered
  // onto the colour cube when the image wants dithering. Built on the first request and
  // kept (owned here) until the sub-image is cleared; none for an empty sub-image.
  // Errors of the build pass on and leave no bitmap, so a later request tries again;
  // a cancellation (EAbort) by a progress handler is swallowed.
  TBitmap* FrameBitmap();
  // The 1-bit mask of the transparent pixels (set bits), made with the bitmap (which
  // is built first when it is missing); none when the image is opaque or no pixel has
  // the transparent index.
  const TBitmap* TransparencyMask();
  // The palette the bitmap is built with: the bitmap's own once it exists, else the
  // cube when dithering, else the local colour table's, else the image's.
  HPALETTE FramePalette();
  // The colours of the pixels: the local table, else the global one when it has
  // entries, else the (empty) local one.
  const TGIFColorMap& EffectiveColorMap() const;

  // Where this image lies in rect when rect shows the whole logical screen.
  TRect PlaceRect(const TRect& rect) const;
  // Draws the bitmap into PlaceRect(rect), or repeated over rect at its natural size
  // when tiling; through TransparencyMask when transparent drawing is asked for.
  void PaintFrame(TCanvas& canvas, const TRect& rect, bool tile, bool transparent);

 private:
  void Clear();
  void ReadImageDescriptor(TStream& stream);
  // The zero-filled pixel buffer.
  void AllocatePixels();
  uint8_t* RowOf(int32_t y) const;
  // Pixels the data never reached (stored values came, in data order) take
  // TransparentIndex(): they stay transparent, or colour 0.
  void FillUnreached(size_t stored);
  // The graphic control's transparent colour index when the image is transparent, else 0.
  uint8_t TransparentIndex() const;
  void BuildBitmap();
  // Progress every 32 rows: the build's position as a percentage.
  void ReportRowProgress(int32_t y);

  TImageDescriptor descriptor_;
  TGIFLocalColorMap colorMap_;
  bool transparent_ = false;
  // Declared before the list that owns it, so it outlives the list's extensions.
  TGIFGraphicControlExtension* graphicControl_ = nullptr;
  TGIFExtensionList extensions_;
  TPixelBuffer pixels_;
  size_t rowBytes_ = 0;
  std::unique_ptr<TBitmap> bitmap_;
  std::unique_ptr<TBitmap> mask_;
  HPALETTE palette_;
};

class TGIFImageList final : public TGIFList {
 public:
  using TGIFList::TGIFList;

  TGIFSubImage& operator[](int index) const { return static_cast<TGIFSubImage&>(ItemAt(index)); }
  // One sub-image per block group that starts with an extension or an image, up to
  // the trailer (left for the caller to read), the end of the stream or a byte that
  // starts no block.
  void ReadFromStream(TStream& stream, TGIFImage& parent);
};

// Copies bitmap on a grid through (anchorX, anchorY) with its own size as the step,
// covering rect both ways; tiles are clipped to rect and to the canvas, so the work is
// bounded by the pixels that can change. Where mask (of the bitmap's size) has set
// bits the canvas stays unchanged. Tiled frames and the tiled whole-image bitmap.
void TileBitmap(TCanvas& canvas, const TRect& rect, int64_t anchorX, int64_t anchorY, TBitmap& bitmap,
                const TBitmap* mask);

}  // namespace tapestro
