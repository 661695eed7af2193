// The one-shot start-up step, a second after the message loop starts.
#include "core/main_window.h"
#include "core/window_timer.h"

namespace tapestro {

void TForm1::startupTimer() {
  startup->SetEnabled(false);
  // The stored choices are not restored yet: bring the window up so it can be used.
  showNormal();
  raise();
  activateWindow();
}

}  // namespace tapestro
