#include "platform/linux/x11_tray_host.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace tapestro {

namespace {

template <typename T>
using XcbReply = std::unique_ptr<T, decltype(&std::free)>;

xcb_atom_t InternAtom(xcb_connection_t* connection, const char* name) {
  XcbReply<xcb_intern_atom_reply_t> reply(
      xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, static_cast<uint16_t>(strlen(name)), name),
                            nullptr),
      &std::free);
  return reply ? reply->atom : XCB_NONE;
}

}  // namespace

std::unique_ptr<TTrayHost> CreateTrayHost() {
  auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  if (x11 != nullptr && x11->connection() != nullptr) return std::make_unique<TX11TrayHost>(x11->connection());
  return std::make_unique<TQtTrayHost>();
}

TX11TrayHost::TX11TrayHost(xcb_connection_t* connection) : connection_(connection) {
  // Screen 0: the screen a single-display desktop and its panel live on.
  root_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
  selection_ = InternAtom(connection_, "_NET_SYSTEM_TRAY_S0");
  managerMessage_ = InternAtom(connection_, "MANAGER");
  AddStructureEvents(root_);
  FollowOwner();
  QCoreApplication::instance()->installNativeEventFilter(this);
}

TX11TrayHost::~TX11TrayHost() { QCoreApplication::instance()->removeNativeEventFilter(this); }

void TX11TrayHost::AddStructureEvents(xcb_window_t window) {
  // Keep what the toolkit already listens for on the same window.
  XcbReply<xcb_get_window_attributes_reply_t> attributes(
      xcb_get_window_attributes_reply(connection_, xcb_get_window_attributes(connection_, window), nullptr),
      &std::free);
  if (!attributes) return;
  const uint32_t mask = attributes->your_event_mask | XCB_EVENT_MASK_STRUCTURE_NOTIFY;
  xcb_change_window_attributes(connection_, window, XCB_CW_EVENT_MASK, &mask);
}

void TX11TrayHost::FollowOwner() {
  manager_ = XCB_NONE;
  if (selection_ == XCB_NONE) return;
  for (;;) {
    XcbReply<xcb_get_selection_owner_reply_t> owner(
        xcb_get_selection_owner_reply(connection_, xcb_get_selection_owner(connection_, selection_), nullptr),
        &std::free);
    const xcb_window_t found = owner ? owner->owner : XCB_NONE;
    if (found == manager_) break;
    manager_ = found;
    // An owner that quit before it was watched is caught by asking once more.
    if (manager_ != XCB_NONE) AddStructureEvents(manager_);
  }
  xcb_flush(connection_);
}

bool TX11TrayHost::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
  if (eventType != "xcb_generic_event_t") return false;
  const auto* event = static_cast<const xcb_generic_event_t*>(message);
  const uint8_t type = event->response_type & 0x7f;
  if (type == XCB_CLIENT_MESSAGE) {
    const auto* client = static_cast<const xcb_client_message_event_t*>(message);
    if (client->type == managerMessage_ && client->data.data32[1] == selection_) {
      FollowOwner();
      ReportLater();
    }
  } else if (type == XCB_DESTROY_NOTIFY) {
    const auto* destroyed = static_cast<const xcb_destroy_notify_event_t*>(message);
    if (manager_ != XCB_NONE && destroyed->window == manager_) {
      FollowOwner();
      ReportLater();
    }
  }
  return false;  // the toolkit handles the same events for its own icons
}

void TX11TrayHost::ReportLater() {
  // Queued, so the toolkit has taken the event in before the tray icon reacts to it.
  QMetaObject::invokeMethod(
      this, [this] { emit AvailabilityChanged(Available()); }, Qt::QueuedConnection);
}

}  // namespace tapestro
