#pragma once
// The hourglass over the whole application while a long step runs: shown at once, or
// from the moment the step turns out long (Show), and taken back when the guard goes.
#include <QApplication>

namespace tapestro {

class TBusyCursor {
 public:
  enum TWhen { kNow, kWhenShown };

  explicit TBusyCursor(TWhen when = kNow) {
    if (when == kNow) Show();
  }
  ~TBusyCursor() {
    if (shown_) QApplication::restoreOverrideCursor();
  }
  TBusyCursor(const TBusyCursor&) = delete;
  TBusyCursor& operator=(const TBusyCursor&) = delete;

  void Show() {
    if (shown_) return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    shown_ = true;
  }

 private:
  bool shown_ = false;
};

}  // namespace tapestro
