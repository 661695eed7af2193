// TGIFPainter: creation, start, end requests and the hand-over of drawing.
#include "gif/painter/painter.h"

#include <system_error>

#include "gif/gif_image.h"
#include "gif/painter/frame_compositor.h"
#include "gif/painter_setup.h"
#include "gif/sub_image.h"

namespace tapestro {

namespace {

constexpr uint8_t kRestoresBackground = 1u << 2;
constexpr uint8_t kRestoresPrevious = 1u << 3;

}  // namespace

TGIFPainter::TGIFPainter(TGIFImage& image, TCanvas& target, const TRect& rect, uint16_t options)
    : image_(image),
      target_(target),
      rect_(rect),
      options_(options),
      speed_(image.AnimationSpeed),
      dispatcher_(image.Services.Dispatcher),
      clock_(*image.Services.Clock),
      threaded_((options & TGIFImage::kPaintThreaded) != 0 && dispatcher_ != nullptr),
      background_(AnimationBackgroundColor(image)) {
  uint8_t disposals = UsedDisposalMethods(image);
  if (options & TGIFImage::kPaintAsIfRestoring) disposals |= kRestoresBackground;
  if (disposals & (kRestoresBackground | kRestoresPrevious)) {
    const bool keepBackground = (disposals & kRestoresBackground) && (options & TGIFImage::kPaintTransparent);
    compositor_ = std::make_unique<TFrameCompositor>(target, rect, background_, keepBackground, options);
  }
}

TGIFPainter::~TGIFPainter() {
  if (thread_.joinable()) thread_.join();
}

void TGIFPainter::Start() {
  if (!threaded_) {
    Execute();
    return;
  }
  try {
    thread_ = std::thread([this] { Execute(); });
  } catch (const std::system_error&) {
    // No thread to be had: the run is over before it began.
    error_ = std::current_exception();
    image_.PainterFinished(*this);
  }
}

void TGIFPainter::Terminate() {
  terminated_ = true;
  wake_.Set();
}

void TGIFPainter::Restart() {
  restart_ = true;
  wake_.Set();
}

void TGIFPainter::Execute() {
  try {
    Run();
  } catch (...) {
    // Kept for the image; a painter's failure never reaches the program's top level.
    error_ = std::current_exception();
  }
  activeImage_ = -1;
  compositor_.reset();
  image_.PainterFinished(*this);
}

void TGIFPainter::OnUiThread(const std::function<void()>& work) {
  // Work that an end request overtook is dropped: the image may be on its way out and
  // must not be drawn into or told of changes any more.
  const std::function<void()> unlessEnded = [&] {
    if (!terminated_) work();
  };
  if (threaded_)
    dispatcher_->Synchronize(unlessEnded);
  else
    unlessEnded();
}

void TGIFPainter::PaintFrame(TGIFSubImage& frame, int index, int disposal, int previousDisposal) {
  if (!compositor_) {
    frame.PaintFrame(target_, rect_, (options_ & TGIFImage::kPaintTile) != 0,
                     (options_ & TGIFImage::kPaintTransparent) != 0);
  } else if ((options_ & TGIFImage::kPaintCheckTarget) && target_.Pixels().IsEmpty()) {
    Terminate();
    return;
  } else {
    compositor_->Paint(frame, index, disposal, previousDisposal);
  }
  started_ = true;
}

}  // namespace tapestro
