#pragma once
// What a GIF image's animation needs from the program around it. Each new TGIFImage
// takes the process-wide default, which main() sets once it has a user interface; a
// tool without one leaves it empty, and animations then show their first image.
#include "gif/painter_clock.h"
#include "gif/ui_dispatcher.h"

namespace tapestro {

struct TPainterServices {
  // None: no user-interface thread to hand drawing to, so nothing is animated on a
  // thread of its own.
  TUiDispatcher* Dispatcher = nullptr;
  TPainterClock* Clock = &SteadyPainterClock();
};

TPainterServices DefaultPainterServices();

// Makes services the default for images created during its lifetime, and puts the
// previous default back at its end. The dispatcher must outlive every image made meanwhile.
class TScopedPainterServices {
 public:
  explicit TScopedPainterServices(const TPainterServices& services);
  ~TScopedPainterServices();
  TScopedPainterServices(const TScopedPainterServices&) = delete;
  TScopedPainterServices& operator=(const TScopedPainterServices&) = delete;

 private:
  TPainterServices previous_;
};

}  // namespace tapestro
