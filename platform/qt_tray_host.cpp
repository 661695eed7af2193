#include "platform/qt_tray_host.h"

#include <QSystemTrayIcon>

namespace tapestro {

bool TQtTrayHost::Available() const { return QSystemTrayIcon::isSystemTrayAvailable(); }

}  // namespace tapestro
