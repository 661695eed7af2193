#pragma once
// The X11 notification area is the owner of the selection _NET_SYSTEM_TRAY_S0. A new
// owner announces itself with a MANAGER message on the root window; an owner that
// quits destroys its window. Both arrive as events, so watching costs no wake-ups.
#include <xcb/xcb.h>

#include <QAbstractNativeEventFilter>

#include "platform/tray_host.h"

namespace tapestro {

class TX11TrayHost final : public TTrayHost, private QAbstractNativeEventFilter {
  Q_OBJECT

 public:
  // connection: the toolkit's own, whose events this host reads as they pass.
  explicit TX11TrayHost(xcb_connection_t* connection);
  ~TX11TrayHost() override;

  bool Available() const override { return manager_ != XCB_NONE; }
  void Flush() override { xcb_flush(connection_); }

 private:
  bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;
  // Finds the current owner and listens for its end.
  void FollowOwner();
  void AddStructureEvents(xcb_window_t window);
  void ReportLater();

  xcb_connection_t* connection_;
  xcb_window_t root_ = XCB_NONE;
  xcb_atom_t selection_ = XCB_NONE;
  xcb_atom_t managerMessage_ = XCB_NONE;
  xcb_window_t manager_ = XCB_NONE;
};

}  // namespace tapestro
