#include "core/main_window.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QSplitter>
#include <QStatusBar>
#include <QVBoxLayout>

#include "controls/tray_icon.h"
#include "core/application.h"
#include "core/program_texts.h"
#include "core/window_timer.h"

namespace tapestro {

namespace {

// The layout's figures are those of a 720 x 474 window with a classic frame; here the
// frame is the window manager's, so the client area gets the inner size.
constexpr int kClientWidth = 712;
constexpr int kContentHeight = 13 + 13 + 222 + 151 + 19;  // labels, browsing area, panel, status bar

}  // namespace

TForm1::TForm1(const TAppFolders& folders, TWindowServices services, QWidget* parent)
    : QMainWindow(parent), Folders(folders), Settings(folders.SettingsFile()) {
  setObjectName("Form1");
  setWindowTitle(text::kCaption);
  setWindowIcon(ProgramIcon());
  // The icon first: the notification area docks it while the window is built.
  BuildTrayIcon(std::move(services.TrayHost));
  // The window's font only: message boxes and the tray menu keep the desktop's. Made
  // the program's font it saves a few hundred KiB of a second face, but its change
  // reaching every object already made costs the start about a third more time to
  // the drawn icon.
  setFont(ClassicWindowFont());

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
  // Starts as the icon: once the message loop runs the tray icon keeps the window
  // hidden (or minimised where no notification area takes the icon). The window is
  // not put in the minimised state first: on X11 a window never shown, restored from
  // that state, is at times mapped minimised by the window manager all the same.
  QMetaObject::invokeMethod(TrayIcon, &TRzTrayIcon::MinimizeToTray, Qt::QueuedConnection);

  ConnectSettingHandlers();
  ConnectShutdownHandlers();
  ConnectRotationHandlers();
  ConnectAboutHandlers();
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
  CenterOnScreen(*this);
}

}  // namespace tapestro
