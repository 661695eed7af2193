// The Help menu: the about box and the two web pages.
#include <QAction>

#include "core/about_box.h"
#include "core/application.h"
#include "core/main_window.h"
#include "core/program_texts.h"

namespace tapestro {

void TForm1::ConnectAboutHandlers() {
  connect(mnuAbout1, &QAction::triggered, this, Guarded([this] { mnuAbout1Click(); }));
  connect(Donatetoauthor1, &QAction::triggered, this, Guarded([this] { Donatetoauthor1Click(); }));
  connect(mnuVisitTapestroHomepage, &QAction::triggered, this, Guarded([this] { mnuVisitTapestroHomepageClick(); }));
}

void TForm1::mnuAbout1Click() {
  // A window made without the program's entry has no about box to show.
  if (frmAbout == nullptr) return;
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

}  // namespace tapestro
