#include "platform/web_page.h"

#include <QDesktopServices>
#include <QUrl>

namespace tapestro {

void OpenWebPage(const std::string& address) {
  QDesktopServices::openUrl(QUrl(QString::fromStdString(address)));
}

}  // namespace tapestro
