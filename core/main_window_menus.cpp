// Builds the main menu, the tray icon's menu and the file list's menu.
#include <QMenu>
#include <QMenuBar>

#include "core/main_window.h"
#include "core/program_texts.h"

namespace tapestro {

namespace {

QAction* Item(QMenu* menu, const char* name, const char* text) {
  QAction* action = menu->addAction(text);
  action->setObjectName(name);
  return action;
}

QMenu* Menu(QWidget* owner, const char* name, const char* title = "") {
  auto* menu = new QMenu(title, owner);
  menu->setObjectName(name);
  return menu;
}

}  // namespace

void TForm1::BuildMenus() {
  mnuFile = menuBar()->addMenu(text::kFileMenu);
  mnuFile->setObjectName("mnuFile");
  mnuMinimize1 = Item(mnuFile, "mnuMinimize1", text::kMinimize);
  mnuFile->addSeparator();
  mnuExit1 = Item(mnuFile, "mnuExit1", text::kExit);

  mnuHelp = menuBar()->addMenu(text::kHelpMenu);
  mnuHelp->setObjectName("mnuHelp");
  mnuAbout1 = Item(mnuHelp, "mnuAbout1", text::kAbout);
  mnuHelp->addSeparator();
  Donatetoauthor1 = Item(mnuHelp, "Donatetoauthor1", text::kDonate);
  mnuVisitTapestroHomepage = Item(mnuHelp, "mnuVisitTapestroHomepage", text::kVisitHomepage);

  pmnRight = Menu(this, "pmnRight");
  pitShow = Item(pmnRight, "pitShow", text::kShowWindow);
  pitHide = Item(pmnRight, "pitHide", text::kHideWindow);
  pupChangeWallpapernow = Item(pmnRight, "pupChangeWallpapernow", text::kChangeWallpaperNow);
  pmnRight->addSeparator();
  pitExit = Item(pmnRight, "pitExit", text::kExit);

  pmnFileList = Menu(this, "pmnFileList");
  pupPreviewimage1 = Item(pmnFileList, "pupPreviewimage1", text::kPreviewImage);
  pmnFileList->addSeparator();
  pupUpdatewallpaper = Item(pmnFileList, "pupUpdatewallpaper", text::kUpdateWallpaper);
}

}  // namespace tapestro
