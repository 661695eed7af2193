#include "core/application.h"

#include <QMessageBox>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QStringList>
#include <QWidget>
#include <algorithm>

#include "base/errors.h"
#include "core/program_texts.h"

namespace tapestro {

namespace {

// The notification area and the title bar ask for these sizes; each is drawn sharp.
constexpr int kIconSizes[] = {16, 22, 32};

// data/icons/tapestro.svg, the installed icon, draws the same shapes: change both together.
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

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {}

void TApplication::SetTitle(const QString& title) {
  setApplicationName(title);
  setApplicationDisplayName(title);
}

bool TApplication::notify(QObject* receiver, QEvent* event) {
  bool handled = false;
  RunGuarded([&] { handled = QApplication::notify(receiver, event); });
  return handled;
}

void ShowException(const std::exception& error) {
  if (dynamic_cast<const EAbort*>(&error)) return;
  QMessageBox::critical(QApplication::activeWindow(), QApplication::applicationDisplayName(),
                        QString::fromUtf8(error.what()));
}

QIcon ProgramIcon() {
  QIcon drawn;
  for (const int size : kIconSizes) drawn.addPixmap(Landscape(size));
  return QIcon::fromTheme(kApplicationId, drawn);
}

QFont ClassicWindowFont(int pointSize) {
  QFont font;
  font.setFamilies({QStringLiteral("Nimbus Sans"), QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                    QStringLiteral("Helvetica"), QStringLiteral("Sans Serif")});
  font.setStyleHint(QFont::SansSerif);
  font.setPointSize(pointSize);
  return font;
}

void CenterOnScreen(QWidget& window) {
  const QScreen* screen = window.screen();
  if (screen == nullptr) return;
  const QRect available = screen->availableGeometry();
  QRect frame = window.frameGeometry();
  frame.moveCenter(available.center());
  window.move(std::max(frame.left(), available.left()), std::max(frame.top(), available.top()));
}

}  // namespace tapestro
