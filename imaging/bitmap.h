#pragma once
// TBitmap: the in-memory raster image every decoder hands on, read from and written to
// BMP files. Bitmaps share their image by reference: assigning one bitmap to another
// copies no pixels, and the first change made through either gives the changing bitmap
// a private copy.
#include <cstdint>
#include <memory>
#include <span>

#include "imaging/bitmap_image.h"
#include "imaging/canvas.h"
#include "imaging/graphic.h"
#include "imaging/pixel_format.h"
#include "imaging/pixel_ops.h"

namespace tapestro {

class TBitmapCanvas;

class TBitmap : public TGraphic {
 public:
  static const TGraphicClass Class;

  // An empty device bitmap.
  TBitmap();
  // A bitmap of an image made elsewhere, as a decoder hands it on.
  explicit TBitmap(std::unique_ptr<TBitmapImage> image);
  ~TBitmap() override;
  const TGraphicClass& ClassType() const override { return Class; }

  // From a TBitmap: shares its image and copies its transparent flag. From none: a new
  // empty image. From any other graphic: that graphic converts itself into this bitmap.
  void Assign(TGraphic* source) override;
  // The whole bitmap stretched into rect: averaged onto canvases of 8 or fewer bits per
  // pixel that show fewer bits than the bitmap has, otherwise rows and columns dropped
  // or repeated (a monochrome bitmap keeps its black pixels when shrunk).
  void Draw(TCanvas& canvas, const TRect& rect) override;
  // Draw, except where the 1-bit mask (of this bitmap's size) has set bits: there the
  // canvas stays unchanged.
  void DrawMasked(TCanvas& canvas, const TRect& rect, const TBitmap& mask);

  bool Empty() const override;
  int32_t Width() const override;
  int32_t Height() const override;
  // A new size keeps the format and palette: the old content stays at the top-left
  // corner and the rest is white (or the canvas's brush colour once the bitmap has a
  // canvas). While width or height is 0 the bitmap holds no pixels.
  void SetWidth(int32_t value) override;
  void SetHeight(int32_t value) override;

  TPixelFormat PixelFormat() const;
  // Converts the pixels: pf4bit gets the 16-colour system palette, pf8bit a halftone
  // palette. EInvalidGraphic "Invalid pixel format" for pfCustom.
  void SetPixelFormat(TPixelFormat format);
  int BitsPerPixel() const { return image_->Description.BitsPerPixel(); }
  bool Monochrome() const;

  // The logical palette, made on first request: from the colour table at 8 or fewer
  // bits per pixel, else a halftone palette when the display shows fewer bits.
  HPALETTE Palette() override;
  // Rebuilds the image with the palette; at 8 or fewer bits per pixel the pixels keep
  // their colours as nearly as the new colour table allows.
  void SetPalette(HPALETTE palette) override;

  // The first byte of row (0 = top row), to read or write it in place. Marks the bitmap
  // changed first: a private copy, kept file bytes dropped; a device bitmap becomes a
  // 24-bit DIB. EInvalidGraphicOperation "Scan line index out of range" outside
  // 0..Height()-1.
  uint8_t* ScanLine(int32_t row);

  // Reads a BMP file from the stream's position to its end. A failed load leaves the
  // bitmap exactly as it was.
  void LoadFromStream(TStream& stream) override;
  void SaveToStream(TStream& stream) override;

  // Gives this bitmap a private copy of a shared image.
  void FreeImage();
  // A canvas drawing into the bitmap's own pixels.
  TCanvas& Canvas();

  const TDIBDescription& Description() const { return image_->Description; }
  std::span<const TRGBQuad> ColorTable() const { return image_->ColorTable; }
  bool HasKeptFileBytes() const { return image_->KeptFileBytes != nullptr; }
  // The pixels for reading; empty while the bitmap has none.
  TPixelView Pixels() const;

 private:
  friend class TBitmapCanvas;

  void Install(std::unique_ptr<TBitmapImage> image);
  void Changing();
  void Rebuild(const TDIBDescription& description, HPALETTE palette);
  void PaletteNeeded();
  TStretchRequest DrawRequest(const TCanvas& canvas, const TRect& rect) const;

  TImageRef<TBitmapImage> image_;
  std::unique_ptr<TBitmapCanvas> canvas_;
  bool ignorePalette_ = false;  // known to need no palette
};

}  // namespace tapestro
