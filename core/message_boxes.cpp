#include "core/message_boxes.h"

#include <QApplication>
#include <QMessageBox>

namespace tapestro {

namespace {

class TQtMessageBoxes final : public TMessageBoxes {
 public:
  explicit TQtMessageBoxes(QWidget* owner) : owner_(owner) {}

  void Show(const std::string& text) override {
    QMessageBox box(QMessageBox::NoIcon, QApplication::applicationDisplayName(), QString::fromStdString(text),
                    QMessageBox::Ok, owner_);
    box.exec();
  }

 private:
  QWidget* owner_;
};

}  // namespace

std::unique_ptr<TMessageBoxes> CreateMessageBoxes(QWidget* owner) { return std::make_unique<TQtMessageBoxes>(owner); }

}  // namespace tapestro
