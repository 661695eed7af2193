// Ending the program: the two Exit items and the window's close button close the main
// window without a question, and nothing is written at exit.
#include <QAction>
#include <QCloseEvent>

#include "core/application.h"
#include "core/main_window.h"

namespace tapestro {

void TForm1::ConnectShutdownHandlers() {
  connect(mnuExit1, &QAction::triggered, this, Guarded([this] { mnuExit1Click(); }));
  connect(pitExit, &QAction::triggered, this, Guarded([this] { pitExitClick(); }));
}

bool TForm1::FormCloseQuery() { return true; }

void TForm1::mnuExit1Click() { close(); }
void TForm1::pitExitClick() { close(); }

void TForm1::closeEvent(QCloseEvent* event) {
  if (!FormCloseQuery()) {
    event->ignore();
    return;
  }
  event->accept();
  emit Closed();
}

}  // namespace tapestro
