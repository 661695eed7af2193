#pragma once
// The application object: an error that escapes any event handler reaches the default
// error report and the message loop goes on.
#include <QApplication>

namespace tapestro {

class TApplication final : public QApplication {
  Q_OBJECT

 public:
  TApplication(int& argc, char** argv);

  // The text of the taskbar button and of message box captions.
  void SetTitle(const QString& title);

  bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace tapestro
