// TGIFPainter's run: passes over the images, frame waits, looping and disposal.
#include <algorithm>

#include "gif/extensions.h"
#include "gif/gif_image.h"
#include "gif/painter/painter.h"
#include "gif/painter_timing.h"
#include "gif/sub_image.h"

namespace tapestro {

namespace {

// A frame without a graphic control extension is left in place.
constexpr int kNoDisposal = 1;
constexpr int kEndlessLoop = -1;

}  // namespace

void TGIFPainter::Run() {
  while (restart_ && !terminated_) {
    TRun run;
    activeImage_ = 0;
    started_ = false;
    restart_ = false;
    // Threaded, the first frame is drawn at once; inside a paint call after one unit.
    run.WaitUnits = threaded_ ? 0 : 1;
    run.FrameStartMs = clock_.NowMs();
    PlayPasses(run);
  }
  activeImage_ = -1;
}

void TGIFPainter::PlayPasses(TRun& run) {
  const bool animate = options_ & TGIFImage::kPaintAnimate;
  const bool loop = options_ & TGIFImage::kPaintLoop;
  const bool forever = options_ & TGIFImage::kPaintLoopForever;
  while (run.LoopCounter != 0 || forever) {
    if (terminated_ || restart_) return;
    activeImage_ = run.LoopBackIndex;
    PlayFrames(run);
    if (run.LoopCounter > 0) --run.LoopCounter;
    if (!animate || !loop) return;
  }
}

void TGIFPainter::PlayFrames(TRun& run) {
  do {
    const int index = activeImage_;
    if (index >= image_.SubImageCount() || terminated_ || restart_) return;
    TGIFSubImage& frame = image_.SubImage(index);
    if (frame.Empty()) return;
    WaitBeforeFrame(run, frame);
    if (terminated_) return;
    const int disposal = ReadFrameControls(run, frame, index);
    const int previous = run.PreviousDisposal;
    OnUiThread([&] { PaintFrame(frame, index, disposal, previous); });
    run.PreviousDisposal = disposal;
    if (terminated_) return;
    run.WaitUnits = FrameDelayUnits(frame.GraphicControlExtension(), threaded_);
    activeImage_ = index + 1;
  } while (options_ & TGIFImage::kPaintAnimate);
}

void TGIFPainter::WaitBeforeFrame(TRun& run, TGIFSubImage& frame) {
  if (run.WaitUnits < 1) {
    clock_.Yield();
    return;
  }
  // The frame is made ready first, so that its building counts as part of the wait.
  OnUiThread([&] { frame.FrameBitmap(); });
  const int64_t now = clock_.NowMs();
  const std::optional<int64_t> waitMs =
      FrameWaitMs(run.WaitUnits, now - run.FrameStartMs - run.PlannedMs, speed_, threaded_);
  run.FrameStartMs = now;
  run.PlannedMs = waitMs.value_or(0);
  if (threaded_)
    WaitThreaded(run, waitMs);
  else
    SleepInSlices(run.PlannedMs);
}

void TGIFPainter::WaitThreaded(TRun& run, std::optional<int64_t> waitMs) {
  if (waitMs && *waitMs <= 0) return;
  if (clock_.WaitFor(wake_, waitMs)) {
    // Woken early: the next frame is timed from now.
    run.FrameStartMs = clock_.NowMs();
    run.PlannedMs = 0;
  }
}

void TGIFPainter::SleepInSlices(int64_t waitMs) {
  const int64_t end = clock_.NowMs() + waitMs;
  for (int64_t left = waitMs; left > 0 && !terminated_; left = end - clock_.NowMs()) {
    clock_.Sleep(std::min(left, kMaxUnthreadedSliceMs));
    // Threaded painters of other images wait for this thread meanwhile.
    if (dispatcher_ != nullptr && dispatcher_->OnUiThread()) dispatcher_->RunPending();
  }
}

int TGIFPainter::ReadFrameControls(TRun& run, const TGIFSubImage& frame, int index) {
  int disposal = kNoDisposal;
  const TGIFExtensionList& extensions = frame.Extensions();
  for (int e = 0; e < extensions.Count(); ++e) {
    const TGIFExtension& extension = extensions[e];
    if (const auto* loop = dynamic_cast<const TGIFAppExtNSLoop*>(&extension)) {
      // Only the first looping extension of a run counts: a pass that comes back to it
      // must not wind the counter up again.
      if (run.LoopExtensionSeen) continue;
      run.LoopExtensionSeen = true;
      const bool endless = loop->LoopCount() == 0 || (options_ & TGIFImage::kPaintLoopForever);
      run.LoopCounter = endless && threaded_ ? kEndlessLoop : loop->LoopCount();
      run.LoopBackIndex = index;
    } else if (const auto* control = dynamic_cast<const TGIFGraphicControlExtension*>(&extension)) {
      disposal = control->Disposal();
    }
  }
  return disposal;
}

}  // namespace tapestro
