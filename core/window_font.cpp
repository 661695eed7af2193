#include "core/window_font.h"

#include <QStringList>

namespace tapestro {

QFont ClassicWindowFont(int pointSize) {
  QFont font;
  font.setFamilies({QStringLiteral("Nimbus Sans"), QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                    QStringLiteral("Helvetica"), QStringLiteral("Sans Serif")});
  font.setStyleHint(QFont::SansSerif);
  font.setPointSize(pointSize);
  return font;
}

}  // namespace tapestro
