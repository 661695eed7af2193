#include <QGuiApplication>

#include "platform/linux/x11_tray_host.h"
#include "platform/qt_tray_host.h"

namespace tapestro {

std::unique_ptr<TTrayHost> CreateTrayHost() {
  auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  if (x11 != nullptr && x11->connection() != nullptr) return std::make_unique<TX11TrayHost>(x11->connection());
  return std::make_unique<TQtTrayHost>();
}

}  // namespace tapestro
