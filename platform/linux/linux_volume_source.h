#pragma once
// Top-level folders on Linux: the root, the home folder, then each mounted volume that
// the desktop shows the user (gio_mounts.h), by mount point, read again when GIO's
// monitor tells of a mount or unmount. GIO is first touched when the volumes are first
// asked for or Changed gets its first listener, not when the source is made: the
// window makes it long before its tree is shown, if ever.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/linux/gio_mounts.h"
#include "platform/volume_source.h"

namespace tapestro {

// How a top-level folder is captioned: the label lower-cased with its first letter
// upper-cased (a label PHOTOS becomes Photos), a blank and the place in brackets:
// "Photos (/media/usb)". An empty label keeps the blank: " (/)".
std::string VolumeCaption(std::string_view label, std::string_view place);
// "(/mnt/x)": a volume whose file system cannot be read.
std::string UnreadableVolumeCaption(std::string_view place);

class TLinuxVolumeSource final : public TVolumeSource {
  Q_OBJECT

 public:
  // Where desktops and administrators mount volumes.
  static constexpr std::string_view kMountPlaces[] = {"/media", "/run/media", "/mnt"};

  TLinuxVolumeSource();
  ~TLinuxVolumeSource() override;
  std::vector<TVolumeInfo> TopLevelFolders() override;
  TVolumeInfo Describe(const std::string& path) override;
  std::vector<std::string> MountPlaces() const override;

 protected:
  // Starts the monitor when Changed is first connected, on the thread that connects it,
  // whose GLib main context then brings the notices.
  void connectNotify(const QMetaMethod& signal) override;

 private:
  std::string home_;  // without trailing delimiter; empty when it is the root or absent
  std::unique_ptr<TMountMonitor> monitor_;
};

}  // namespace tapestro
