#pragma once
// The application object and what the program's two windows share: the default error
// report, the program's icon, the window font and where a window first appears.
#include <QApplication>
#include <QFont>
#include <QIcon>
#include <exception>
#include <utility>

namespace tapestro {

// An error that escapes any event handler reaches the default error report and the
// message loop goes on.
class TApplication final : public QApplication {
  Q_OBJECT

 public:
  TApplication(int& argc, char** argv);

  // The text of the taskbar button and of message box captions.
  void SetTitle(const QString& title);

  bool notify(QObject* receiver, QEvent* event) override;
};

// The default error report: an error no handler caught is shown in a message box with
// its text, and the program goes on. EAbort ends a handler quietly.
void ShowException(const std::exception& error);

// Runs a handler so that an error leaving it reaches the report instead of unwinding
// through the windowing library.
template <typename Handler>
void RunGuarded(Handler&& handler) {
  try {
    std::forward<Handler>(handler)();
  } catch (const std::exception& error) {
    ShowException(error);
  }
}

// A handler without arguments for a signal connection that runs guarded.
template <typename Handler>
auto Guarded(Handler handler) {
  return [handler = std::move(handler)] { RunGuarded(handler); };
}

// The program's icon: the icon theme's icon of the application id, as installed with
// the program, else the same framed landscape drawn, so a copy run from anywhere needs
// no file beside it.
QIcon ProgramIcon();

// The font the program's windows were laid out for: a narrow sans-serif, 8 points by
// default. Helvetica-like faces keep the texts inside their boxes; wider ones are the
// fallback.
inline constexpr int kWindowFontPointSize = 8;
QFont ClassicWindowFont(int pointSize = kWindowFontPointSize);

// The widget with its object name: the name the window's code and tests know it by.
template <typename Widget>
Widget* Named(Widget* widget, const char* name) {
  widget->setObjectName(name);
  return widget;
}

// Moves the window, frame included, to the middle of its screen's free area; on a
// screen smaller than the window its top left corner stays inside that area, so that
// the title bar and the menu can be reached.
void CenterOnScreen(QWidget& window);

}  // namespace tapestro
