#include "core/error_report.h"

#include <QApplication>
#include <QMessageBox>

#include "base/errors.h"

namespace tapestro {

void ShowException(const std::exception& error) {
  if (dynamic_cast<const EAbort*>(&error)) return;
  QMessageBox::critical(QApplication::activeWindow(), QApplication::applicationDisplayName(),
                        QString::fromUtf8(error.what()));
}

}  // namespace tapestro
