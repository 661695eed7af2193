#pragma once
// TGIFPainter: plays the images of a GIF one after the other into a target canvas, with
// their delays, disposal methods and looping. A threaded painter (PaintOptions bit 0)
// only times frames and decides their order on its own thread; every drawing runs on
// the user-interface thread through the image's dispatcher. Without bit 0 the whole
// run happens inside the paint call that starts it. Here too: the timing of frames,
// what a new painter learns from its image, and the list of an image's painters.
// See docs/gif-painter.md.
#include <atomic>
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "gif/painter/services.h"
#include "imaging/color.h"
#include "imaging/geometry.h"

namespace tapestro {

class TCanvas;
class TFrameCompositor;
class TGIFGraphicControlExtension;
class TGIFImage;
class TGIFSubImage;

// The animation's clockwork: how long a frame's delay lasts and how the wait before a
// frame makes up for a late previous frame.
inline constexpr int64_t kDelayUnitMs = 12;            // one unit of a graphic control delay
inline constexpr int kDefaultDelayUnits = 10;          // a frame without a delay of its own
inline constexpr int kMinDelayUnits = 3;               // shorter delays are raised to this
inline constexpr int kMaxUnthreadedDelayUnits = 1000;  // a painter inside a paint call waits no longer
inline constexpr int64_t kMaxUnthreadedSliceMs = 100;  // ... and sleeps in slices of at most this
inline constexpr int kNormalAnimationSpeed = 100;      // percent

// The units to wait after a frame with this graphic control extension (none: the
// frame has no extension).
int FrameDelayUnits(const TGIFGraphicControlExtension* control, bool threaded);

// The wait before a frame in milliseconds: units at speed percent, less half of how
// late the previous frame came (latenessMs: the time since it minus the wait planned
// for it). None when the wait has no end: a threaded painter at a speed of 0 or below.
std::optional<int64_t> FrameWaitMs(int units, int64_t latenessMs, int speed, bool threaded);

// What a new painter learns from its image: the colour areas are restored to, and
// which disposal methods the frames use (they decide whether buffers are needed).

// The classic window colour, for images without a global colour table.
inline constexpr TColor kWindowColor = clWhite;

// The global colour of the header's background index; kWindowColor without a global
// table. An index past the table warns "Invalid color index" and takes entry 0.
TColor AnimationBackgroundColor(TGIFImage& image);
// Bit d is set when some graphic control extension of some sub-image uses disposal
// method d (0 to 7).
uint8_t UsedDisposalMethods(const TGIFImage& image);

class TGIFPainter {
 public:
  // Made on the user-interface thread: fixes the background colour and, when some
  // frame restores to the background or to the previous picture, takes buffers
  // holding what the target shows in rect now. Threaded only with a dispatcher.
  TGIFPainter(TGIFImage& image, TCanvas& target, const TRect& rect, uint16_t options);
  // Joins the thread; the owner frees a painter only once its run has ended.
  ~TGIFPainter();
  TGIFPainter(const TGIFPainter&) = delete;
  TGIFPainter& operator=(const TGIFPainter&) = delete;

  // Threaded: starts the thread. Otherwise runs the whole animation before returning.
  void Start();
  // Asks the run to end; cuts a frame wait short.
  void Terminate();
  // Asks the run to start over from the first image.
  void Restart();

  bool Threaded() const { return threaded_; }
  bool Terminated() const { return terminated_; }
  // A frame has been drawn since the run (re)started.
  bool Started() const { return started_; }
  // The run is over and its thread touches nothing any more.
  bool Ended() const { return ended_; }
  // The sub-image being shown; -1 before the run and after it.
  int ActiveImage() const { return activeImage_; }
  // The exception that ended the run, if one did.
  std::exception_ptr Error() const { return error_; }
  const TCanvas& Target() const { return target_; }
  const TRect& Area() const { return rect_; }
  TColor BackgroundColor() const { return background_; }

 private:
  friend class TGIFPainterList;

  // Where one run from a (re)start stands: the passes left, where a pass starts over,
  // and the timing of the previous frame.
  struct TRun {
    int LoopCounter = 1;
    int LoopBackIndex = 0;
    bool LoopExtensionSeen = false;
    int WaitUnits = 0;
    int PreviousDisposal = 1;  // of the frame drawn before
    int64_t FrameStartMs = 0;  // when the wait before the previous frame began
    int64_t PlannedMs = 0;     // how long that wait was meant to last
  };

  void Execute();
  void Run();
  void PlayPasses(TRun& run);
  void PlayFrames(TRun& run);
  void WaitBeforeFrame(TRun& run, TGIFSubImage& frame);
  void WaitThreaded(TRun& run, std::optional<int64_t> waitMs);
  void SleepInSlices(int64_t waitMs);
  // The frame's disposal method; notes a looping extension met for the first time.
  int ReadFrameControls(TRun& run, const TGIFSubImage& frame, int index);
  // Runs work on the user-interface thread (threaded) or here.
  void OnUiThread(const std::function<void()>& work);
  void PaintFrame(TGIFSubImage& frame, int index, int disposal, int previousDisposal);

  TGIFImage& image_;
  TCanvas& target_;
  const TRect rect_;
  const uint16_t options_;
  const int speed_;
  TUiDispatcher* const dispatcher_;
  TPainterClock& clock_;
  const bool threaded_;
  TColor background_;
  std::unique_ptr<TFrameCompositor> compositor_;  // only when buffers are needed
  TWakeEvent wake_;
  std::atomic<bool> terminated_{false};
  std::atomic<bool> restart_{true};
  std::atomic<bool> started_{false};
  std::atomic<bool> ended_{false};
  std::atomic<int> activeImage_{-1};
  std::exception_ptr error_;
  std::thread thread_;
};

// The painters of one GIF image, under one lock: the image's current painter (its
// painter slot) and every painter whose thread has not been joined yet. Only the
// user-interface thread adds and frees painters; a painter's own thread only reports
// its end, so a painter the user-interface thread holds stays valid until that thread
// reaps it.
class TGIFPainterList {
 public:
  TGIFPainterList();
  ~TGIFPainterList();
  TGIFPainterList(const TGIFPainterList&) = delete;
  TGIFPainterList& operator=(const TGIFPainterList&) = delete;

  // Enters the painter into the list and the slot.
  TGIFPainter& Add(std::unique_ptr<TGIFPainter> painter);
  TGIFPainter* Current() const;
  // Whether the current painter draws on this canvas and rectangle.
  bool RunsOn(const TCanvas& canvas, const TRect& rect) const;
  // Tells the current painter to end and answers it (none when there is none).
  TGIFPainter* TerminateCurrent();
  void TerminateAll();
  bool AnyThreadRunning() const;
  // From a painter's thread, its last act: the run is over, the slot is cleared when
  // it still names the painter.
  void Finish(TGIFPainter& painter);
  // Joins and frees every painter whose run is over; answers the exception that ended
  // the last of them that failed, if any.
  std::exception_ptr ReapEnded();

 private:
  mutable std::mutex lock_;
  std::vector<std::unique_ptr<TGIFPainter>> painters_;
  TGIFPainter* current_ = nullptr;
};

}  // namespace tapestro
