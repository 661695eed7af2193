// The tray icon and the commands that show, hide and minimise the window through it.
#include <QAction>

#include "controls/tray_icon.h"
#include "core/application.h"
#include "core/main_window.h"
#include "core/program_texts.h"

namespace tapestro {

void TForm1::BuildTrayIcon(std::unique_ptr<TTrayHost> host) {
  TrayIcon = new TRzTrayIcon(this, std::move(host));
  TrayIcon->setObjectName("TrayIcon");
  TrayIcon->SetHint(text::kTrayHint);
  TrayIcon->SetRestoreOn(ticLeftClickUp);
}

void TForm1::ConnectTrayCommands() {
  TrayIcon->SetPopupMenu(pmnRight);
  connect(mnuMinimize1, &QAction::triggered, this, Guarded([this] { mnuMinimize1Click(); }));
  connect(pitShow, &QAction::triggered, this, Guarded([this] { pitShowClick(); }));
  connect(pitHide, &QAction::triggered, this, Guarded([this] { pitHideClick(); }));
}

// Minimising the window hands it to the tray icon, which hides it there.
void TForm1::mnuMinimize1Click() { showMinimized(); }
void TForm1::pitShowClick() { TrayIcon->RestoreFromTray(); }
void TForm1::pitHideClick() { TrayIcon->MinimizeToTray(); }

}  // namespace tapestro
