#pragma once
// The user-interface thread of a Qt program as the GIF painter's dispatcher: work
// handed over from a painter's thread runs when the event loop delivers a queued call,
// or earlier, when the user-interface thread waits for a painter and runs it directly.
#include <QObject>
#include <functional>

#include "gif/painter/services.h"

namespace tapestro {

class TQtUiDispatcher final : public TUiDispatcher {
 public:
  // Made on the user-interface thread, before any image that uses it, and destroyed
  // after the last of them.
  TQtUiDispatcher();

  void Synchronize(const std::function<void()>& work) override;
  void RunPending() override { handOver_.RunPending(); }
  bool OnUiThread() const override;

 private:
  QObject receiver_;  // lives on the user-interface thread; queued calls run there
  TWorkHandOver handOver_;
};

}  // namespace tapestro
