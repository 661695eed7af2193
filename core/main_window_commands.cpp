// The window commands: the preview of the file selected in the image file list,
// showing, hiding and minimising the window through the tray icon, starting with the
// session, the commands of a later start, the Help menu's about box and web pages, and
// the two Exit items. Exit and the window's close button
// close the main window without a question, and nothing is written at exit.
#include <QAction>
#include <QCloseEvent>
#include <QMenu>
#include <exception>

#include "base/errors.h"
#include "base/path.h"
#include "controls/busy_cursor.h"
#include "controls/file_list_box.h"
#include "controls/image.h"
#include "controls/status_pane.h"
#include "controls/tray_icon.h"
#include "core/application.h"
#include "core/main_window.h"
#include "core/program_texts.h"
#include "platform/system_services.h"

namespace tapestro {

void TForm1::ConnectTrayCommands() {
  TrayIcon->SetPopupMenu(pmnRight);
  // The about box goes to the tray with the window and comes back with it.
  connect(TrayIcon, &TRzTrayIcon::OnMinimizeApp, this, [this] {
    if (frmAbout == nullptr || !frmAbout->isVisible()) return;
    aboutHiddenWithWindow_ = true;
    frmAbout->hide();
  });
  connect(TrayIcon, &TRzTrayIcon::OnRestoreApp, this, [this] {
    if (frmAbout == nullptr || !aboutHiddenWithWindow_) return;
    aboutHiddenWithWindow_ = false;
    frmAbout->show();
  });
  connect(pitShow, &QAction::triggered, this, Guarded([this] { pitShowClick(); }));
  connect(pitHide, &QAction::triggered, this, Guarded([this] { pitHideClick(); }));
  connect(mnuStartWithSession, &QAction::triggered, this, Guarded([this] { mnuStartWithSessionClick(); }));
  // The mark is read again whenever a menu that holds it opens: another program, or
  // the user with a file manager, may have changed the entry meanwhile.
  connect(pmnRight, &QMenu::aboutToShow, this, [this] { ShowStartWithSession(); });
  ShowStartWithSession();
  connect(pitExit, &QAction::triggered, this, Guarded([this] { pitExitClick(); }));
}

void TForm1::ConnectWindowCommands() {
  // A click and each move of the selection by the arrow keys.
  FileListBox1->OnClick = [this] { RunGuarded([this] { FileListBox1Click(); }); };
  connect(pupPreviewimage1, &QAction::triggered, this, Guarded([this] { pupPreviewimage1Click(); }));
  // Queued: a message box must not open inside the paint that failed.
  connect(
      Image1, &TImage::PaintFailed, this,
      [](const QString& message) { ShowException(Exception(message.toStdString())); }, Qt::QueuedConnection);
  connect(mnuMinimize1, &QAction::triggered, this, Guarded([this] { mnuMinimize1Click(); }));
  connect(mnuFile, &QMenu::aboutToShow, this, [this] { ShowStartWithSession(); });

  connect(mnuAbout1, &QAction::triggered, this, Guarded([this] { mnuAbout1Click(); }));
  connect(Donatetoauthor1, &QAction::triggered, this, Guarded([this] { Donatetoauthor1Click(); }));
  connect(mnuVisitTapestroHomepage, &QAction::triggered, this, Guarded([this] { mnuVisitTapestroHomepageClick(); }));

  connect(mnuExit1, &QAction::triggered, this, Guarded([this] { mnuExit1Click(); }));
}

void TForm1::FileListBox1Click() {
  TBusyCursor hourglass;
  try {
    Image1->Picture().LoadFromFile(FileListBox1->SelectedPath());
    // What the picture before held goes back to the system, not only to the heap.
    ReturnFreedMemory();
    StatusPane1->SetCaption(QString());
  } catch (const std::exception&) {
    // The picture keeps what it showed.
    WarningSound();
    StatusPane1->SetCaption(text::kPreviewError);
  }
}

void TForm1::pupPreviewimage1Click() { FileListBox1Click(); }

// Minimising the window hands it to the tray icon, which hides it there.
void TForm1::mnuMinimize1Click() { showMinimized(); }
void TForm1::pitShowClick() { TrayIcon->RestoreFromTray(); }
void TForm1::pitHideClick() { TrayIcon->MinimizeToTray(); }

TAutostartEntry ProgramAutostartEntry() {
  return {kApplicationId, text::kApplicationTitle, text::kAutostartComment, ExecutablePath()};
}

void TForm1::mnuStartWithSessionClick() {
  try {
    autostart_->SetEnabled(mnuStartWithSession->isChecked());
  } catch (...) {
    ShowStartWithSession();  // the mark shows the entry as it is, also after a failure
    throw;
  }
  ShowStartWithSession();
}

void TForm1::ShowStartWithSession() { mnuStartWithSession->setChecked(autostart_->Enabled()); }

void TForm1::RemoteCommand(TInstanceCommand command) {
  switch (command) {
    case TInstanceCommand::Show: return pitShowClick();
    case TInstanceCommand::ChangeNow: return pupChangeWallpapernowClick();
    case TInstanceCommand::Quit: return pitExitClick();
  }
}

void TForm1::mnuAbout1Click() {
  if (frmAbout == nullptr) {
    aboutBox_ = std::make_unique<TfrmAbout>();
    frmAbout = aboutBox_.get();
  }
  // Not modal: the main window stays usable. The one box comes back as it was left.
  if (frmAbout->isMinimized())
    frmAbout->showNormal();
  else
    frmAbout->show();
  frmAbout->raise();
  frmAbout->activateWindow();
}

void TForm1::Donatetoauthor1Click() { OpenPage(kDonationPage); }
void TForm1::mnuVisitTapestroHomepageClick() { OpenPage(kHomePage); }

bool TForm1::FormCloseQuery() { return true; }
void TForm1::mnuExit1Click() { close(); }
void TForm1::pitExitClick() { close(); }

void TForm1::closeEvent(QCloseEvent* event) {
  if (!FormCloseQuery()) {
    event->ignore();
    return;
  }
  event->accept();
  emit Closed();
}

}  // namespace tapestro
