#pragma once
// The painters of one GIF image, under one lock: the image's current painter (its
// painter slot) and every painter whose thread has not been joined yet. Only the
// user-interface thread adds and frees painters; a painter's own thread only reports
// its end, so a painter the user-interface thread holds stays valid until that thread
// reaps it.
#include <exception>
#include <memory>
#include <mutex>
#include <vector>

#include "imaging/geometry.h"

namespace tapestro {

class TCanvas;
class TGIFPainter;

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
