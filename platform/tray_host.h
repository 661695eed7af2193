#pragma once
// The notification area that holds tray icons: whether one is there, and the notice
// when it comes or goes (a panel started late, restarted or quit).
#include <QObject>
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

// Watches the X11 notification area where there is one; elsewhere asks the toolkit
// whenever asked and never signals.
std::unique_ptr<TTrayHost> CreateTrayHost();

}  // namespace tapestro
