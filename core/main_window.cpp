#include "core/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QSplitter>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QVBoxLayout>

#include "controls/tray_icon.h"
#include "core/main_window_texts.h"
#include "core/program_icon.h"
#include "core/window_timer.h"

namespace tapestro {

namespace {

// The layout's figures are those of a 720 x 474 window with a classic frame; here the
// frame is the window manager's, so the client area gets the inner size.
constexpr int kClientWidth = 712;
constexpr int kContentHeight = 13 + 13 + 222 + 151 + 19;  // labels, browsing area, panel, status bar
constexpr int kFontPointSize = 8;

// The layout was drawn for a narrow 8-point sans-serif; Helvetica-like faces keep its
// texts inside their boxes, wider ones are the fallback.
QFont WindowFont() {
  QFont font;
  font.setFamilies({QStringLiteral("Nimbus Sans"), QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                    QStringLiteral("Helvetica"), QStringLiteral("Sans Serif")});
  font.setStyleHint(QFont::SansSerif);
  font.setPointSize(kFontPointSize);
  return font;
}

}  // namespace

TForm1::TForm1(const TAppFolders& folders, TWindowServices services, QWidget* parent)
    : QMainWindow(parent), Folders(folders), Settings(folders.SettingsFile()) {
  setObjectName("Form1");
  setWindowTitle(text::kCaption);
  setWindowIcon(ProgramIcon());
  // The icon first: the notification area docks it while the window is built.
  BuildTrayIcon(std::move(services.TrayHost));
  // The program's font, not only the window's: message boxes and the tray menu share
  // it, and controls that lay out their text before taking their parent's font (a line
  // edit's first text) load no second face.
  QApplication::setFont(WindowFont());
  // Set on the window as well: a font set on a widget reaches its children over the
  // desktop's fonts for item views and the like.
  setFont(WindowFont());

  BuildMenus();
  auto* central = new QWidget(this);
  auto* column = new QVBoxLayout(central);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  BuildBrowsingArea(central, std::move(services.Volumes));
  BuildSettingsPanel(central);
  column->addWidget(Label1);
  column->addWidget(lblDirectorySelected);
  column->addWidget(Splitter1, 1);
  column->addWidget(pnlSettings);
  setCentralWidget(central);
  BuildStatusBar();
  BuildTimers();
  resize(kClientWidth, kContentHeight + menuBar()->sizeHint().height());
  // Created minimised: the tray icon takes the minimising over and, once the message
  // loop runs, leaves the icon alone (or a minimised window where no notification
  // area takes the icon).
  setWindowState(Qt::WindowMinimized);

  ConnectSettingHandlers();
  ConnectShutdownHandlers();
  ConnectRotationHandlers();
  ConnectTrayCommands();
  ConnectPreview();
  SetTabOrder();
}

TForm1::~TForm1() = default;

void TForm1::keyPressEvent(QKeyEvent* event) {
  // Keys no control used itself arrive here: Enter is the default button's, Escape the
  // cancel button's.
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      btnOkay->click();
      return;
    case Qt::Key_Escape:
      btnStop->click();
      return;
    default:
      QMainWindow::keyPressEvent(event);
  }
}

void TForm1::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  // Moving a window that is being mapped minimised makes some window managers restore
  // it; it is centred when it first shows in its normal state instead.
  if (shownOnce_ || isMinimized()) return;
  shownOnce_ = true;
  if (const QScreen* screen = this->screen()) {
    QRect frame = frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
  }
}

}  // namespace tapestro
