#include "platform/ui_pause.h"

#include <QThread>

namespace tapestro {

void PauseUserInterface(int milliseconds) {
  if (milliseconds > 0) QThread::msleep(static_cast<unsigned long>(milliseconds));
}

}  // namespace tapestro
