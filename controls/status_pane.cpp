#include "controls/status_pane.h"

#include <QEvent>
#include <QFrame>
#include <QHelpEvent>
#include <QPalette>
#include <QToolTip>

namespace tapestro {

namespace {

class THoverFrame final : public QObject {
 public:
  explicit THoverFrame(QFrame* frame) : QObject(frame), frame_(frame) {
    frame_->setFrameStyle(QFrame::Panel | QFrame::Plain);
    frame_->setLineWidth(1);
    frame_->installEventFilter(this);
  }

 private:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == frame_ && event->type() == QEvent::Enter) frame_->setFrameShadow(QFrame::Sunken);
    if (watched == frame_ && event->type() == QEvent::Leave) frame_->setFrameShadow(QFrame::Plain);
    return QObject::eventFilter(watched, event);
  }

  QFrame* frame_;
};

}  // namespace

TStatusPane::TStatusPane(QWidget* parent, int width, Qt::Alignment alignment) : QLabel(parent) {
  // File names are shown as they are: "<b>x.png" is no markup.
  setTextFormat(Qt::PlainText);
  setAlignment(alignment);
  setAutoFillBackground(true);
  setBackgroundRole(QPalette::Button);
  if (width > 0) setFixedWidth(width);
}

void TStatusPane::SetCaption(const QString& caption) {
  caption_ = caption;
  ShowFitting();
}

QSize TStatusPane::sizeHint() const { return QSize(minimumWidth(), QLabel::sizeHint().height()); }
QSize TStatusPane::minimumSizeHint() const { return sizeHint(); }

bool TStatusPane::event(QEvent* event) {
  if (event->type() == QEvent::ToolTip && text() != caption_) {
    QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), caption_, this);
    return true;
  }
  return QLabel::event(event);
}

void TStatusPane::resizeEvent(QResizeEvent* event) {
  QLabel::resizeEvent(event);
  ShowFitting();
}

void TStatusPane::ShowFitting() {
  setText(fontMetrics().elidedText(caption_, Qt::ElideRight, contentsRect().width() - 2 * margin()));
}

QColor TStatusPane::FillColor() const { return palette().color(backgroundRole()); }

void TStatusPane::SetFillColor(const QColor& color) {
  QPalette fill = palette();
  fill.setColor(QPalette::Window, color);
  setPalette(fill);
  setBackgroundRole(QPalette::Window);
}

void TStatusPane::SetButtonFaceColor() {
  setPalette(QPalette());
  setBackgroundRole(QPalette::Button);
}

void SinkFrameWhileHovered(QFrame* frame) { new THoverFrame(frame); }  // owned by the frame

}  // namespace tapestro
