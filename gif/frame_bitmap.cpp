// TGIFSubImage::FrameBitmap and TransparencyMask: building the frame's bitmap on the
// first request, with its progress and the mask that comes with it.
#include "base/errors.h"
#include "gif/gif_image.h"
#include "gif/sub_image.h"

namespace tapestro {

namespace {
constexpr int32_t kRowsPerProgressStep = 32;
}  // namespace

TBitmap* TGIFSubImage::FrameBitmap() {
  if (bitmap_) return bitmap_.get();
  if (Empty()) return nullptr;
  TGIFImage& image = Image();
  try {
    image.ReportRenderingProgress(TProgressStage::psStarting, 0);
    // The bitmap and its mask are installed together and only when both were made,
    // so a retry after a failed build makes the mask too.
    try {
      TFrameBuild build = image.DitherWanted() ? BuildDitheredBitmap(transparent_) : BuildPlainBitmap(transparent_);
      bitmap_ = std::move(build.Bitmap);
      mask_ = std::move(build.Mask);
    } catch (...) {
      image.ReportRenderingProgress(TProgressStage::psEnding, 0);
      throw;
    }
    image.ReportRenderingProgress(TProgressStage::psEnding, 100);
  } catch (const EAbort&) {
    // A progress handler cancelled: whatever bitmap exists is the answer.
  }
  return bitmap_.get();
}

const TBitmap* TGIFSubImage::TransparencyMask() {
  // The mask comes with the bitmap.
  if (!bitmap_ && transparent_) FrameBitmap();
  return mask_.get();
}

void TGIFSubImage::ReportRowProgress(int32_t y) {
  if (y % kRowsPerProgressStep != 0) return;
  const int32_t height = Height();
  Image().ReportRenderingProgress(TProgressStage::psRunning, static_cast<uint8_t>((y * 100 + height / 2) / height));
}

}  // namespace tapestro
