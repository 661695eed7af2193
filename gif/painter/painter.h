#pragma once
// TGIFPainter: plays the images of a GIF one after the other into a target canvas, with
// their delays, disposal methods and looping. A threaded painter (PaintOptions bit 0)
// only times frames and decides their order on its own thread; every drawing runs on
// the user-interface thread through the image's dispatcher. Without bit 0 the whole
// run happens inside the paint call that starts it. See docs/gif-painter.md.
#include <atomic>
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <thread>

#include "gif/painter/services.h"
#include "gif/wake_event.h"
#include "imaging/color.h"
#include "imaging/geometry.h"

namespace tapestro {

class TCanvas;
class TFrameCompositor;
class TGIFImage;
class TGIFSubImage;

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

  // One run from a (re)start: the looping state of the design's run loop.
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

}  // namespace tapestro
