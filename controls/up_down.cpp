#include "controls/up_down.h"

#include <QKeyEvent>
#include <QToolButton>

namespace tapestro {

namespace {

QToolButton* MakeArrow(QWidget* parent, Qt::ArrowType arrow) {
  auto* button = new QToolButton(parent);
  button->setArrowType(arrow);
  button->setFocusPolicy(Qt::NoFocus);
  button->setAutoRepeat(true);
  return button;
}

}  // namespace

TUpDown::TUpDown(QWidget* parent)
    : QWidget(parent), up_(MakeArrow(this, Qt::UpArrow)), down_(MakeArrow(this, Qt::DownArrow)) {
  setFocusPolicy(Qt::StrongFocus);
  connect(up_, &QToolButton::clicked, this, [this] { Press(TUDBtnType::btNext); });
  connect(down_, &QToolButton::clicked, this, [this] { Press(TUDBtnType::btPrev); });
}

void TUpDown::Press(TUDBtnType button) {
  if (position_.Press(button) && OnClick) OnClick(button);
}

void TUpDown::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Up) {
    Press(TUDBtnType::btNext);
  } else if (event->key() == Qt::Key_Down) {
    Press(TUDBtnType::btPrev);
  } else {
    QWidget::keyPressEvent(event);
  }
}

void TUpDown::resizeEvent(QResizeEvent* event) {
  const int half = height() / 2;
  up_->setGeometry(0, 0, width(), half);
  down_->setGeometry(0, half, width(), height() - half);
  QWidget::resizeEvent(event);
}

}  // namespace tapestro
