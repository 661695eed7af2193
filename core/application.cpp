#include "core/application.h"

#include "core/error_report.h"

namespace tapestro {

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {}

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
