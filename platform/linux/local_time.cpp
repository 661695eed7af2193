#include "platform/local_time.h"

#include <QLocale>
#include <QTime>

namespace tapestro {

std::string CurrentLocalTimeText() {
  return QLocale::system().toString(QTime::currentTime(), QLocale::LongFormat).toStdString();
}

}  // namespace tapestro
