#include "gif/gif_image.h"

#include <algorithm>
#include <new>
#include <utility>

#include "base/errors.h"
#include "base/stream.h"
#include "gif/errors.h"
#include "gif/gif_blocks.h"

namespace tapestro {

const TGraphicClass TGIFImage::Class{"TGIFImage", &TGraphic::Class,
                                     []() -> std::unique_ptr<TGraphic> { return std::make_unique<TGIFImage>(); }};

TGIFImage::TGIFImage()
    : header_(std::make_unique<TGIFHeader>(*this)), images_(std::make_unique<TGIFImageList>(*this)) {}

// The painters read the sub-images and draw into WholeBitmap: they end first.
TGIFImage::~TGIFImage() { StopPainters(); }

void TGIFImage::SetWidth(int32_t) { throw EInvalidGraphicOperation(msg::kGifCannotResize); }
void TGIFImage::SetHeight(int32_t) { throw EInvalidGraphicOperation(msg::kGifCannotResize); }
void TGIFImage::SaveToStream(TStream&) { throw EInvalidGraphicOperation(msg::kGifCannotSave); }

void TGIFImage::ReadFromStream(TStream& stream) {
  const TRect noRect{};
  Progress(TProgressStage::psStarting, 0, false, noRect, msg::kGifLoading);
  // The animation of the old content ends whether or not the new one can be read.
  StopPainters();
  const int64_t start = stream.Position();
  // The new content is read beside the old one, which comes back if the read fails.
  auto oldHeader = std::exchange(header_, std::make_unique<TGIFHeader>(*this));
  auto oldImages = std::exchange(images_, std::make_unique<TGIFImageList>(*this));
  const auto restore = [&] {
    budget_.reset();
    header_ = std::move(oldHeader);
    images_ = std::move(oldImages);
    stream.SetPosition(start);
    Progress(TProgressStage::psEnding, 0, false, noRect, msg::kGifLoading);
  };
  try {
    ReadContent(stream);
  } catch (const std::bad_alloc&) {
    restore();
    throw EOutOfMemory(msg::kOutOfMemory);
  } catch (...) {
    restore();
    throw;
  }
  budget_.reset();
  // The palette described the old colour tables.
  imagePalette_.reset();
  Progress(TProgressStage::psEnding, 100, false, noRect, msg::kGifLoading);
}

void TGIFImage::ReadContent(TStream& stream) {
  budget_.emplace(Limits);
  streamSize_ = stream.Size();
  header_->ReadFromStream(stream);
  images_->ReadFromStream(stream, *this);
  CheckTrailer(stream);
}

void TGIFImage::CheckTrailer(TStream& stream) {
  // A stream that simply ends after its last image is fine.
  uint8_t trailer = 0;
  if (stream.ReadByte(trailer) && trailer != kTrailer) ReportWarning(this, 1, msg::kGifInvalidTrailer);
}

void TGIFImage::ReadFromFile(const std::string& path) {
  TFileStream file(path, FileMode::OpenRead);
  ReadFromStream(file);
}

void TGIFImage::ReportWarning(const void* sender, int severity, const std::string& text) {
  if (WarningHandler) WarningHandler(sender, severity, text);
}

uint64_t TGIFImage::ClaimPixels(uint32_t width, uint32_t height) {
  if (budget_) return budget_->Claim(width, height);
  return CheckedPixelCount(width, height, Limits.MaxImagePixels);
}

void TGIFImage::ReportLoadingProgress(TStream& stream) {
  if (streamSize_ <= 0) return;
  const int64_t percent = (stream.Position() * 100 + streamSize_ / 2) / streamSize_;
  Progress(TProgressStage::psRunning, static_cast<uint8_t>(std::min<int64_t>(percent, 100)), false, TRect{},
           msg::kGifLoading);
}

void TGIFImage::ReportRenderingProgress(TProgressStage stage, uint8_t percent) {
  Progress(stage, percent, false, TRect{}, msg::kGifRendering);
}

}  // namespace tapestro
