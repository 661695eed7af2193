// TGIFPainter: creation, start, end requests, the run over passes and frames with
// their waits, looping and disposal, and the hand-over of drawing; the painter list.
#include "gif/painter/painter.h"

#include <algorithm>
#include <iterator>
#include <system_error>
#include <utility>

#include "gif/errors.h"
#include "gif/extensions.h"
#include "gif/gif_image.h"
#include "gif/painter/frame_compositor.h"
#include "gif/sub_image.h"

namespace tapestro {

namespace {

constexpr uint8_t kRestoresBackground = 1u << 2;
constexpr uint8_t kRestoresPrevious = 1u << 3;
// A frame without a graphic control extension is left in place.
constexpr int kNoDisposal = 1;
constexpr int kEndlessLoop = -1;

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

int FrameDelayUnits(const TGIFGraphicControlExtension* control, bool threaded) {
  if (control == nullptr || control->Delay() == 0) return kDefaultDelayUnits;
  const int units = std::max<int>(control->Delay(), kMinDelayUnits);
  return threaded ? units : std::min(units, kMaxUnthreadedDelayUnits);
}

std::optional<int64_t> FrameWaitMs(int units, int64_t latenessMs, int speed, bool threaded) {
  if (speed <= 0) {
    if (threaded) return std::nullopt;
    return kMaxUnthreadedDelayUnits * kDelayUnitMs;
  }
  // Integer division truncates toward zero, as the halving must.
  return (units * kDelayUnitMs - latenessMs / 2) * kNormalAnimationSpeed / speed;
}

TColor AnimationBackgroundColor(TGIFImage& image) {
  const TGIFColorMap& global = image.Header().ColorMap();
  if (global.Empty()) return kWindowColor;
  int index = image.Header().BackgroundColorIndex();
  if (index >= global.Count()) {
    image.ReportWarning(&image.Header(), 1, msg::kGifInvalidColorIndex);
    index = 0;
  }
  return RGBColor(global[index].Red, global[index].Green, global[index].Blue);
}

uint8_t UsedDisposalMethods(const TGIFImage& image) {
  uint8_t methods = 0;
  for (int i = 0; i < image.SubImageCount(); ++i) {
    const TGIFExtensionList& extensions = image.SubImage(i).Extensions();
    for (int e = 0; e < extensions.Count(); ++e) {
      if (const auto* control = dynamic_cast<const TGIFGraphicControlExtension*>(&extensions[e]))
        methods |= static_cast<uint8_t>(1u << control->Disposal());
    }
  }
  return methods;
}

TGIFPainterList::TGIFPainterList() = default;
TGIFPainterList::~TGIFPainterList() = default;

TGIFPainter& TGIFPainterList::Add(std::unique_ptr<TGIFPainter> painter) {
  const std::lock_guard lock(lock_);
  painters_.push_back(std::move(painter));
  current_ = painters_.back().get();
  return *current_;
}

TGIFPainter* TGIFPainterList::Current() const {
  const std::lock_guard lock(lock_);
  return current_;
}

bool TGIFPainterList::RunsOn(const TCanvas& canvas, const TRect& rect) const {
  const std::lock_guard lock(lock_);
  return current_ != nullptr && &current_->Target() == &canvas && current_->Area() == rect;
}

TGIFPainter* TGIFPainterList::TerminateCurrent() {
  const std::lock_guard lock(lock_);
  if (current_ != nullptr) current_->Terminate();
  return current_;
}

void TGIFPainterList::TerminateAll() {
  const std::lock_guard lock(lock_);
  for (const auto& painter : painters_) painter->Terminate();
}

bool TGIFPainterList::AnyThreadRunning() const {
  const std::lock_guard lock(lock_);
  return std::any_of(painters_.begin(), painters_.end(),
                     [](const auto& painter) { return painter->Threaded() && !painter->Ended(); });
}

void TGIFPainterList::Finish(TGIFPainter& painter) {
  const std::lock_guard lock(lock_);
  if (current_ == &painter) current_ = nullptr;
  painter.ended_ = true;
}

std::exception_ptr TGIFPainterList::ReapEnded() {
  std::vector<std::unique_ptr<TGIFPainter>> ended;
  {
    const std::lock_guard lock(lock_);
    const auto running = std::stable_partition(painters_.begin(), painters_.end(),
                                               [](const auto& painter) { return !painter->Ended(); });
    std::move(running, painters_.end(), std::back_inserter(ended));
    painters_.erase(running, painters_.end());
  }
  std::exception_ptr error;
  for (const auto& painter : ended)
    if (painter->Error()) error = painter->Error();
  // Their threads have nothing left to do but return: joining them (as they are freed
  // here, outside the lock) takes no time.
  return error;
}

}  // namespace tapestro
