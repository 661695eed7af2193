#include "platform/linux/gio_mounts.h"

#include <gio/gunixmounts.h>

#include <algorithm>

namespace tapestro {

namespace {

void FreeMountEntry(gpointer entry) { g_unix_mount_free(static_cast<GUnixMountEntry*>(entry)); }

}  // namespace

std::vector<std::string> ShownMountPoints(const std::string& homeFolder) {
  std::vector<std::string> points;
  GList* mounts = g_unix_mounts_get(nullptr);
  for (const GList* item = mounts; item != nullptr; item = item->next) {
    auto* entry = static_cast<GUnixMountEntry*>(item->data);
    const std::string point = g_unix_mount_get_mount_path(entry);
    if (point != "/" && point != homeFolder && g_unix_mount_guess_should_display(entry)) points.push_back(point);
  }
  g_list_free_full(mounts, FreeMountEntry);
  std::sort(points.begin(), points.end());
  points.erase(std::unique(points.begin(), points.end()), points.end());
  return points;
}

struct TMountMonitor::TGio {
  GUnixMountMonitor* monitor = g_unix_mount_monitor_get();
  gulong handler = 0;
};

TMountMonitor::TMountMonitor(std::function<void()> changed)
    : changed_(std::move(changed)), gio_(std::make_unique<TGio>()) {
  const auto onChange = +[](GUnixMountMonitor*, gpointer self) { static_cast<TMountMonitor*>(self)->changed_(); };
  gio_->handler = g_signal_connect(gio_->monitor, "mounts-changed", G_CALLBACK(onChange), this);
}

TMountMonitor::~TMountMonitor() {
  g_signal_handler_disconnect(gio_->monitor, gio_->handler);
  g_object_unref(gio_->monitor);
}

}  // namespace tapestro
