#pragma once
// Closes every modal message box that opens while it lives and keeps their texts, so
// that tests can run code that reports errors through a message box.
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <string>
#include <vector>

namespace tapestro::test {

class MessageBoxWatcher {
 public:
  MessageBoxWatcher() {
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        texts_.push_back(box->text().toStdString());
        box->done(QMessageBox::Ok);
      }
    });
    timer_.start(10);
  }
  const std::vector<std::string>& Texts() const { return texts_; }

 private:
  QTimer timer_;
  std::vector<std::string> texts_;
};

}  // namespace tapestro::test
