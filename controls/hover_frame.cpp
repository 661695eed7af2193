#include "controls/hover_frame.h"

#include <QEvent>
#include <QFrame>

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

void SinkFrameWhileHovered(QFrame* frame) { new THoverFrame(frame); }  // owned by the frame

}  // namespace tapestro
