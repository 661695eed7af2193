// TGIFImage's painters: starting one, waiting for it, stopping them.
#include <exception>

#include "gif/gif_image.h"
#include "gif/painter/painter.h"

namespace tapestro {

bool TGIFImage::StartPainter(TCanvas& target, const TRect& rect) {
  TGIFPainter& painter = painters_.Add(std::make_unique<TGIFPainter>(*this, target, rect, PaintOptions));
  painter.Start();
  if (!painter.Threaded()) {
    // It ran to its end inside this call; its failure is this paint's.
    const std::exception_ptr error = painter.Error();
    ReapPainters();
    if (error) std::rethrow_exception(error);
  }
  return painters_.Current() != nullptr;
}

void TGIFImage::WaitForFirstFrame() {
  for (TGIFPainter* painter = painters_.Current(); painter != nullptr && !painter->Started();
       painter = painters_.Current())
    RunPainterWork();
}

void TGIFImage::StopAnimation() {
  while (TGIFPainter* painter = painters_.TerminateCurrent()) {
    // One that is not threaded runs further up this thread's stack and sees the request there.
    if (!painter->Threaded()) break;
    RunPainterWork();
  }
  ReapPainters();
  wholeBitmap_.reset();
}

void TGIFImage::StopPainters() {
  painters_.TerminateAll();
  while (painters_.AnyThreadRunning()) RunPainterWork();
  ReapPainters();
  wholeBitmap_.reset();
}

void TGIFImage::RunPainterWork() {
  if (Services.Dispatcher != nullptr && Services.Dispatcher->OnUiThread()) Services.Dispatcher->RunPending();
  Services.Clock->Yield();
}

void TGIFImage::ReapPainters() {
  if (std::exception_ptr error = painters_.ReapEnded()) animationError_ = error;
}

}  // namespace tapestro
