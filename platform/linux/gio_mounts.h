#pragma once
// The volumes a desktop shows the user, by GIO's rules (g_unix_mount_guess_should_display:
// what the desktop mounts under /media or /run/media/$USER and mounts in the home
// folder, never the system's own), and GIO's monitor of the mount table. GIO keeps
// these rules as desktops change, so the tree shows what the file manager shows. GIO
// is loaded by the first call (gio_library.h); without it no volume is shown and
// nothing is watched.
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace tapestro {

// The mount points of the volumes shown, other than the root and homeFolder
// themselves: once each, in byte order.
std::vector<std::string> ShownMountPoints(const std::string& homeFolder);

// Calls changed at every mount and unmount. GIO watches the kernel's mount table,
// which marks each change, so nothing wakes while nothing happens. The calls come
// through the GLib main context of the thread that made the monitor, which the
// toolkit's event loop runs on the user-interface thread.
class TMountMonitor {
 public:
  explicit TMountMonitor(std::function<void()> changed);
  ~TMountMonitor();
  TMountMonitor(const TMountMonitor&) = delete;
  TMountMonitor& operator=(const TMountMonitor&) = delete;

 private:
  struct TGio;
  std::function<void()> changed_;
  std::unique_ptr<TGio> gio_;
};

}  // namespace tapestro
