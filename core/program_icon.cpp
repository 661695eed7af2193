#include "core/program_icon.h"

#include <QPainter>
#include <QPixmap>

namespace tapestro {

namespace {

// The notification area and the title bar ask for these sizes; each is drawn sharp.
constexpr int kIconSizes[] = {16, 22, 32};

QPixmap Landscape(int size) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.scale(size / 32.0, size / 32.0);
  painter.setPen(QPen(QColor(60, 60, 60), 2));
  painter.setBrush(QColor(110, 170, 230));  // sky
  painter.drawRect(QRectF(2, 5, 28, 22));
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(250, 210, 60));  // sun
  painter.drawEllipse(QPointF(22, 11), 3, 3);
  painter.setBrush(QColor(60, 150, 70));  // hills
  const QPointF hills[] = {{3, 26}, {3, 20}, {11, 13}, {18, 20}, {22, 17}, {29, 23}, {29, 26}};
  painter.drawPolygon(hills, static_cast<int>(std::size(hills)));
  return pixmap;
}

}  // namespace

QIcon ProgramIcon() {
  QIcon icon;
  for (const int size : kIconSizes) icon.addPixmap(Landscape(size));
  return icon;
}

}  // namespace tapestro
