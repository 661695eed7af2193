#include "platform/beep.h"

#include <QApplication>

namespace tapestro {

void Beep() { QApplication::beep(); }

}  // namespace tapestro
