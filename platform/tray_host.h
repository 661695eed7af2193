#pragma once
// The notification area that holds tray icons: whether one is there, and the notice
// when it comes or goes (a panel started late, restarted or quit).
#include <QObject>
#include <QSystemTrayIcon>
#include <memory>

namespace tapestro {

class TTrayHost : public QObject {
  Q_OBJECT

 public:
  using QObject::QObject;
  virtual bool Available() const = 0;
  // Sends what the toolkit has queued for the notification area (a new icon's request
  // to dock) now rather than when the message loop next runs, so the icon docks while
  // the program goes on starting.
  virtual void Flush() {}

 signals:
  // Emitted on the user-interface thread, after the toolkit has seen the change too.
  void AvailabilityChanged(bool available);
};

// A notification area known only through the toolkit's own test, made where it cannot
// be watched: it asks the toolkit whenever asked and never signals.
class TQtTrayHost final : public TTrayHost {
  Q_OBJECT

 public:
  using TTrayHost::TTrayHost;
  bool Available() const override { return QSystemTrayIcon::isSystemTrayAvailable(); }
};

// Watches the X11 notification area where there is one (platform/linux/); elsewhere a
// TQtTrayHost.
std::unique_ptr<TTrayHost> CreateTrayHost();

}  // namespace tapestro
