#include "platform/linux/gio_mounts.h"

#include <algorithm>

#include "platform/linux/gio_library.h"

namespace tapestro {

std::vector<std::string> ShownMountPoints(const std::string& homeFolder) {
  std::vector<std::string> points;
  const TGioLibrary* gio = GioLibrary();
  if (gio == nullptr) return points;
  GList* mounts = gio->UnixMountsGet(nullptr);
  for (const GList* item = mounts; item != nullptr; item = item->next) {
    auto* entry = static_cast<GUnixMountEntry*>(item->data);
    const std::string point = gio->UnixMountGetMountPath(entry);
    if (point != "/" && point != homeFolder && gio->UnixMountGuessShouldDisplay(entry)) points.push_back(point);
    gio->UnixMountFree(entry);
  }
  g_list_free(mounts);
  std::sort(points.begin(), points.end());
  points.erase(std::unique(points.begin(), points.end()), points.end());
  return points;
}

struct TMountMonitor::TGio {
  const TGioLibrary* library = GioLibrary();
  GUnixMountMonitor* monitor = library != nullptr ? library->UnixMountMonitorGet() : nullptr;
  gulong handler = 0;
};

TMountMonitor::TMountMonitor(std::function<void()> changed)
    : changed_(std::move(changed)), gio_(std::make_unique<TGio>()) {
  if (gio_->monitor == nullptr) return;
  const auto onChange = +[](GUnixMountMonitor*, gpointer self) { static_cast<TMountMonitor*>(self)->changed_(); };
  gio_->handler = gio_->library->SignalConnectData(gio_->monitor, "mounts-changed", G_CALLBACK(onChange), this, nullptr,
                                                   GConnectFlags{});
}

TMountMonitor::~TMountMonitor() {
  if (gio_->monitor == nullptr) return;
  gio_->library->SignalHandlerDisconnect(gio_->monitor, gio_->handler);
  gio_->library->ObjectUnref(gio_->monitor);
}

}  // namespace tapestro
