#include "platform/qt_ui_dispatcher.h"

#include <QMetaObject>
#include <QThread>

namespace tapestro {

TQtUiDispatcher::TQtUiDispatcher() = default;

void TQtUiDispatcher::Synchronize(const std::function<void()>& work) {
  if (OnUiThread()) {
    work();
    return;
  }
  handOver_.PostAndWait(work, [this] {
    QMetaObject::invokeMethod(
        &receiver_, [this] { handOver_.RunPending(); }, Qt::QueuedConnection);
  });
}

bool TQtUiDispatcher::OnUiThread() const { return QThread::currentThread() == receiver_.thread(); }

}  // namespace tapestro
