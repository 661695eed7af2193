#include "gif/painter_list.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include "gif/painter/painter.h"

namespace tapestro {

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
