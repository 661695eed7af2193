#include "core/application.h"

#include "core/error_report.h"
#include "imaging/display_depth.h"
#include "platform/screen_depth.h"

namespace tapestro {

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {
  // Pictures are scaled and given palettes for the screen they are shown on.
  SetDisplayBitsPerPixel(PrimaryScreenBitsPerPixel());
}

void TApplication::SetTitle(const QString& title) {
  setApplicationName(title);
  setApplicationDisplayName(title);
}

bool TApplication::notify(QObject* receiver, QEvent* event) {
  bool handled = false;
  RunGuarded([&] { handled = QApplication::notify(receiver, event); });
  return handled;
}

}  // namespace tapestro
