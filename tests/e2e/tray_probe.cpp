// A window with the program's tray icon and tray menu, for the end-to-end tests and the
// idle benchmark. Tells on standard output what happens, one line each.
//   tapestro-tray-probe [--minimized]
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QWidget>
#include <cstdio>
#include <cstring>

#include "controls/tray_icon.h"

namespace {

void Say(const char* line) {
  std::printf("%s\n", line);
  std::fflush(stdout);
}

QIcon ProbeIcon() {
  QPixmap pixmap(22, 22);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setBrush(QColor(200, 120, 40));
  painter.drawRect(2, 4, 18, 14);
  return QIcon(pixmap);
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  app.setQuitOnLastWindowClosed(false);
  app.setWindowIcon(ProbeIcon());

  QWidget window;
  window.setWindowTitle("Tapestro tray probe");
  window.resize(400, 300);
  auto* tray = new tapestro::TRzTrayIcon(&window);  // owned by the window
  QMenu menu;
  menu.addAction("&Show Window", tray, &tapestro::TRzTrayIcon::RestoreFromTray);
  menu.addAction("&Hide Window", tray, &tapestro::TRzTrayIcon::MinimizeToTray);
  menu.addAction("&Change wallpaper now", [] { Say("change"); });
  menu.addAction("E&xit", &app, &QApplication::quit);
  tray->SetHint("Tapestro");
  tray->SetPopupMenu(&menu);
  tray->SetRestoreOn(tapestro::ticLeftClickUp);
  QObject::connect(tray, &tapestro::TRzTrayIcon::OnMinimizeApp, [] { Say("minimized"); });
  QObject::connect(tray, &tapestro::TRzTrayIcon::OnRestoreApp, [] { Say("restored"); });

  if (argc > 1 && std::strcmp(argv[1], "--minimized") == 0) tray->MinimizeToTray();
  else window.show();
  Say(tray->Enabled() ? "ready enabled=1" : "ready enabled=0");
  return app.exec();
}
