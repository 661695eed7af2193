#include "imaging/jpeg/jpeg_image.h"

#include <jerror.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "base/errors.h"
#include "base/stream.h"
#include "imaging/bitmap.h"
#include "imaging/canvas.h"
#include "imaging/color.h"
#include "imaging/jpeg/jpeg_decoder.h"
#include "imaging/jpeg/jpeg_decompressor.h"
#include "imaging/jpeg/jpeg_errors.h"
#include "imaging/picture.h"

namespace tapestro {

TJPEGOptions& JPEGDefaults() {
  static TJPEGOptions defaults;
  return defaults;
}

bool DecodesThroughPalette(const TJPEGOptions& options, bool greyscaleFile, bool fourComponents) {
  if (fourComponents) return false;
  return options.PixelFormat == TJPEGPixelFormat::jf8Bit || options.Grayscale || greyscaleFile;
}

const TGraphicClass TJPEGImage::Class{"TJPEGImage", &TGraphic::Class,
                                      []() -> std::unique_ptr<TGraphic> { return std::make_unique<TJPEGImage>(); }};

TJPEGImage::TJPEGImage()
    : TickCount(SteadyMilliseconds), image_(std::make_unique<TJPEGData>()), options_(JPEGDefaults()) {}

TJPEGImage::~TJPEGImage() = default;

void TJPEGImage::LoadFromStream(TStream& stream) {
  const int64_t left = std::max<int64_t>(stream.Remaining(), 0);
  if (left > kMaxJpegFileBytes) RaiseJpegError(JERR_IMAGE_TOO_BIG);
  auto data = std::make_unique<TJPEGData>();
  std::vector<uint8_t> bytes(static_cast<size_t>(left));
  stream.ReadBuffer(bytes.data(), bytes.size());
  if (!bytes.empty()) ReadJpegHeader(bytes, *data);
  data->Data = std::move(bytes);

  image_.Exchange(TImageRef<TJPEGData>(std::move(data)));
  bitmap_.reset();
  needRecalc_ = true;
  PaletteModified = true;
  Changed();
}

void TJPEGImage::SaveToStream(TStream& stream) {
  if (image_->Data) stream.WriteBuffer(image_->Data->data(), image_->Data->size());
}

TBitmap& TJPEGImage::Bitmap() {
  // A progress listener that loads another file or drops the bitmap leaves the image
  // undecoded again: then the new state is decoded.
  while (!bitmap_) Decode();
  return *bitmap_;
}

void TJPEGImage::Decode() {
  bitmap_ = std::make_shared<TBitmap>();
  if (!image_->Data) return;
  if (options_.PixelFormat == TJPEGPixelFormat::jf24Bit) callerPalette_.reset();
  // A listener may load another file or drop the bitmap meanwhile; what is being
  // decoded stays alive until the end.
  const TImageRef<TJPEGData> data = image_;
  const std::shared_ptr<TBitmap> bitmap = bitmap_;
  const TJpegDecodeRequest request{*data->Data, options_, callerPalette_, TickCount,
                                   [this](TProgressStage stage, uint8_t percent, bool redrawNow, const TRect& rect) {
                                     Progress(stage, percent, redrawNow, rect, "");
                                   }};
  try {
    DecodeJpegInto(request, *bitmap, PaletteModified);
  } catch (const EAbort&) {
    // A listener cancelled: the rows decoded so far are the picture.
  } catch (...) {
    FinishDecoding(0);
    throw;
  }
  FinishDecoding(100);
}

void TJPEGImage::FinishDecoding(uint8_t percent) {
  Progress(TProgressStage::psEnding, percent, PaletteModified, TRect{}, "");
  if (PaletteModified) Changed();
}

void TJPEGImage::Draw(TCanvas& canvas, const TRect& rect) { Bitmap().Draw(canvas, rect); }

void TJPEGImage::AssignTo(TGraphic& dest) {
  if (auto* bitmap = dynamic_cast<TBitmap*>(&dest)) {
    bitmap->Assign(&Bitmap());
    return;
  }
  TGraphic::AssignTo(dest);
}

void TJPEGImage::Assign(TGraphic* source) {
  auto* other = dynamic_cast<TJPEGImage*>(source);
  if (other == nullptr) {
    TGraphic::Assign(source);
    return;
  }
  if (other == this) return;
  image_.Exchange(other->image_);
  bitmap_.reset();
  if (other->bitmap_) {
    bitmap_ = std::make_shared<TBitmap>();
    bitmap_->Assign(other->bitmap_.get());
  }
  needRecalc_ = true;
  PaletteModified = true;
  Changed();
}

bool TJPEGImage::Empty() const { return !image_->Data && (!bitmap_ || bitmap_->Empty()); }

void TJPEGImage::CalcScaledSize() const {
  if (!needRecalc_) return;
  const TJpegSize size = image_->Data && !image_->Data->empty() ? JpegScaledSize(*image_->Data, options_) : TJpegSize{};
  scaledWidth_ = size.Width;
  scaledHeight_ = size.Height;
  needRecalc_ = false;
}

int32_t TJPEGImage::Width() const {
  if (bitmap_) return bitmap_->Width();
  if (options_.Scale == TJPEGScale::jsFullSize) return image_->Width;
  CalcScaledSize();
  return scaledWidth_;
}

int32_t TJPEGImage::Height() const {
  if (bitmap_) return bitmap_->Height();
  if (options_.Scale == TJPEGScale::jsFullSize) return image_->Height;
  CalcScaledSize();
  return scaledHeight_;
}

void TJPEGImage::SetWidth(int32_t) { throw EInvalidGraphicOperation(msg::kJpegSizeIsFixed); }
void TJPEGImage::SetHeight(int32_t) { throw EInvalidGraphicOperation(msg::kJpegSizeIsFixed); }

HPALETTE TJPEGImage::Palette() {
  if (bitmap_) return bitmap_->Palette();
  if (callerPalette_) return callerPalette_;
  if (options_.PixelFormat == TJPEGPixelFormat::jf8Bit) return nullptr;
  if (DisplayBitsPerPixel() <= 8) callerPalette_ = HalftonePalette();
  return callerPalette_;
}

void TJPEGImage::SetPalette(HPALETTE palette) {
  if (palette == callerPalette_) return;
  const bool dropBitmap = bitmap_ && bitmap_->Palette() != palette;
  if (dropBitmap) bitmap_.reset();
  callerPalette_ = std::move(palette);
  if (!dropBitmap) return;
  PaletteModified = true;
  Changed();
}

void TJPEGImage::SetOptions(const TJPEGOptions& options) {
  if (options == options_) return;
  options_ = options;
  needRecalc_ = true;
  if (!bitmap_) return;
  bitmap_.reset();
  Changed();
}

TPixelFormat TJPEGImage::PixelFormat() const {
  if (bitmap_) return bitmap_->PixelFormat();
  return DecodesThroughPalette(options_, image_->Grayscale, image_->FourComponents) ? TPixelFormat::pf8bit
                                                                                    : TPixelFormat::pf24bit;
}

void RegisterJpegFormat() {
  if (DisplayBitsPerPixel() <= 8) JPEGDefaults().PixelFormat = TJPEGPixelFormat::jf8Bit;
  RegisterFileFormat("jpeg", msg::kJpegDescription, TJPEGImage::Class);
  RegisterFileFormat("jpg", msg::kJpegDescription, TJPEGImage::Class);
}

void UnregisterJpegFormat() { UnregisterGraphicClass(TJPEGImage::Class); }

}  // namespace tapestro
