#include "imaging/bitmap.h"

#include <algorithm>

#include "base/errors.h"
#include "imaging/bmp_format.h"
#include "imaging/bmp_reader.h"
#include "imaging/canvas.h"
#include "imaging/color.h"

namespace tapestro {

// The canvas of a TBitmap: draws into the bitmap's own pixels, marking it changed before
// each drawing (a private copy of a shared image, kept file bytes dropped) and telling
// its change listener after.
class TBitmapCanvas final : public TSoftwareCanvas {
 public:
  explicit TBitmapCanvas(TBitmap& bitmap) : bitmap_(bitmap) {}

  int32_t Width() const override { return bitmap_.Width(); }
  int32_t Height() const override { return bitmap_.Height(); }
  int BitsPerPixel() const override { return bitmap_.BitsPerPixel(); }
  TPixelView Pixels() override { return bitmap_.Pixels(); }

 protected:
  // Pixels of 8 or fewer bits take the nearest entry of their own colour table, so no
  // palette needs realising here.
  TPixelView BeginChange(const HPALETTE&) override {
    bitmap_.Changing();
    return bitmap_.image_->View();
  }
  void EndChange() override {
    TSoftwareCanvas::EndChange();
    bitmap_.Changed();
  }

 private:
  TBitmap& bitmap_;
};

const TGraphicClass TBitmap::Class{"TBitmap", &TGraphic::Class,
                                   []() -> std::unique_ptr<TGraphic> { return std::make_unique<TBitmap>(); }};

TBitmap::TBitmap() : image_(std::make_unique<TBitmapImage>()) {}

TBitmap::TBitmap(std::unique_ptr<TBitmapImage> image) : image_(std::move(image)) {}

TBitmap::~TBitmap() = default;

void TBitmap::Install(std::unique_ptr<TBitmapImage> image) {
  image_.Exchange(TImageRef<TBitmapImage>(std::move(image)));
  ignorePalette_ = false;
}

void TBitmap::Changing() {
  if (image_.Shared()) Install(image_->Clone());
  // Memory that another owner reads too (a GIF frame's colour indices) stays as it was.
  if (image_->Pixels.Shared()) image_->Pixels = image_->Pixels.Clone();
  image_->KeptFileBytes.reset();
  image_->Description.Header.biClrUsed = 0;
  image_->Description.Header.biClrImportant = 0;
}

void TBitmap::Rebuild(const TDIBDescription& description, HPALETTE palette) {
  TRebuildColors colors;
  if (canvas_) colors = {canvas_->BrushColor, true, canvas_->FontColor};
  Install(RebuildImage(*image_, description, std::move(palette), colors));
}

void TBitmap::Assign(TGraphic* source) {
  if (source == this) return;
  if (source == nullptr) {
    Install(std::make_unique<TBitmapImage>());
    Changed();
    return;
  }
  auto* other = dynamic_cast<TBitmap*>(source);
  if (other == nullptr) {
    TGraphic::Assign(source);
    return;
  }
  SetTransparent(other->Transparent());
  image_.Exchange(other->image_);
  ignorePalette_ = false;
  if (image_->Palette) PaletteModified = true;
  Changed();
}

bool TBitmap::Empty() const { return image_->Empty(); }
int32_t TBitmap::Width() const { return image_->Description.Width(); }
int32_t TBitmap::Height() const { return image_->Description.Height(); }

void TBitmap::SetWidth(int32_t value) {
  value = std::max(value, 0);
  if (value == Width()) return;
  Rebuild(ResizedDescription(image_->Description, value, Height()), image_->Palette);
  Changed();
}

void TBitmap::SetHeight(int32_t value) {
  value = std::max(value, 0);
  if (value == Height()) return;
  Rebuild(ResizedDescription(image_->Description, Width(), value), image_->Palette);
  Changed();
}

TPixelFormat TBitmap::PixelFormat() const { return image_->Description.PixelFormat(); }

bool TBitmap::Monochrome() const { return BitsPerPixel() == 1; }

void TBitmap::SetPixelFormat(TPixelFormat format) {
  if (format == PixelFormat()) return;
  if (format == TPixelFormat::pfCustom) throw EInvalidGraphic(msg::kInvalidPixelFormat);
  HPALETTE palette = image_->Palette;
  TDIBDescription description;
  if (format == TPixelFormat::pfDevice) {
    description = DeviceDescription(Width(), Height());
  } else {
    description = FormatDescription(Width(), Height(), format);
    if (format == TPixelFormat::pf4bit) palette = SystemPalette16();
    if (format == TPixelFormat::pf8bit) palette = HalftonePalette();
    // A palette of many colours would leave a 1-bit table of its first two entries,
    // dark ones as a rule; black and white keep the picture readable.
    if (format == TPixelFormat::pf1bit && palette && palette->Entries.size() > 2) palette = nullptr;
  }
  Rebuild(description, palette);
  if (image_->Palette) PaletteModified = true;
  Changed();
}

void TBitmap::PaletteNeeded() {
  if (image_->Palette || ignorePalette_ || !image_->HasPixels() || image_->Description.IsDevice()) return;
  if (BitsPerPixel() <= 8) {
    image_->Palette = PaletteFromColorTable(image_->ColorTable);
  } else if (DisplayBitsPerPixel() < BitsPerPixel() || image_->Halftone) {
    image_->Palette = HalftonePalette();
    image_->Halftone = true;
  }
  if (!image_->Palette) ignorePalette_ = true;
}

HPALETTE TBitmap::Palette() {
  PaletteNeeded();
  return image_->Palette;
}

void TBitmap::SetPalette(HPALETTE palette) {
  if (palette == image_->Palette) return;
  if (!palette && !image_.Shared()) {
    image_->Palette.reset();
    image_->Halftone = false;
  } else {
    Rebuild(image_->Description, std::move(palette));
  }
  PaletteModified = true;
  Changed();
}

uint8_t* TBitmap::ScanLine(int32_t row) {
  Changing();
  if (row < 0 || row >= Height() || !image_->HasPixels())
    throw EInvalidGraphicOperation(msg::kScanLineOutOfRange);
  // Device pixels are already laid out as a 24-bit DIB's.
  if (image_->Description.IsDevice()) image_->Description = DIBOfDevice(image_->Description);
  return image_->View().Row(row);
}

void TBitmap::LoadFromStream(TStream& stream) {
  Install(ReadBmpImage(stream));
  if (image_->Palette) PaletteModified = true;
  Changed();
}

void TBitmap::SaveToStream(TStream& stream) { WriteBmpImage(*image_, stream); }

void TBitmap::FreeImage() {
  if (image_.Shared()) Install(image_->Clone());
}

TCanvas& TBitmap::Canvas() {
  if (!canvas_) {
    canvas_ = std::make_unique<TBitmapCanvas>(*this);
    PaletteNeeded();
  }
  return *canvas_;
}

TPixelView TBitmap::Pixels() const {
  const TBitmapImage& image = *image_;
  return image.View();
}

TStretchRequest TBitmap::DrawRequest(const TCanvas& canvas, const TRect& rect) const {
  TStretchRequest request;
  request.Dest = rect;
  request.Source = Pixels();
  request.SourceArea = Rect(0, 0, Width(), Height());
  const int target = canvas.BitsPerPixel();
  if (target <= 8 && target < BitsPerPixel()) request.Mode = TStretchMode::Halftone;
  else if (Monochrome()) request.Mode = TStretchMode::BlackOnWhite;
  return request;
}

void TBitmap::Draw(TCanvas& canvas, const TRect& rect) {
  if (!image_->HasPixels()) return;
  PaletteNeeded();
  canvas.Stretch(DrawRequest(canvas, rect), image_->Palette);
}

void TBitmap::DrawMasked(TCanvas& canvas, const TRect& rect, const TBitmap& mask) {
  if (!image_->HasPixels()) return;
  PaletteNeeded();
  TStretchRequest request = DrawRequest(canvas, rect);
  request.Mask = mask.Pixels();
  canvas.Stretch(request, image_->Palette);
}

}  // namespace tapestro
