#pragma once
// Stand-ins for the system's volumes, notification area and autostart entry, driven by
// the tests.
#include <algorithm>
#include <string>
#include <vector>

#include "base/errors.h"
#include "platform/autostart.h"
#include "platform/tray_host.h"
#include "platform/volume_source.h"

namespace tapestro::test {

class TFakeVolumeSource final : public TVolumeSource {
 public:
  explicit TFakeVolumeSource(std::vector<TVolumeInfo> volumes, std::vector<std::string> mountPlaces = {})
      : volumes_(std::move(volumes)), mountPlaces_(std::move(mountPlaces)) {}

  std::vector<TVolumeInfo> TopLevelFolders() override { return volumes_; }
  TVolumeInfo Describe(const std::string& path) override {
    for (const TVolumeInfo& volume : volumes_)
      if (volume.path == path) return volume;
    return {path, "(" + path + ")", -1};
  }
  std::vector<std::string> MountPlaces() const override { return mountPlaces_; }

  // Replaces the volumes and reports the change, as a mount or unmount would.
  void Mount(std::vector<TVolumeInfo> volumes) {
    volumes_ = std::move(volumes);
    emit Changed();
  }
  // Other media in the same place: a new serial, no notice.
  void SwapMedia(const std::string& path, int64_t serial, const std::string& caption) {
    for (TVolumeInfo& volume : volumes_)
      if (volume.path == path) volume = {path, caption, serial};
  }

 private:
  std::vector<TVolumeInfo> volumes_;
  std::vector<std::string> mountPlaces_;
};

class TFakeTrayHost final : public TTrayHost {
 public:
  explicit TFakeTrayHost(bool available) : available_(available) {}
  bool Available() const override { return available_; }
  void SetAvailable(bool available) {
    available_ = available;
    emit AvailabilityChanged(available);
  }

 private:
  bool available_;
};

// The session's autostart entry, as a flag; Refuse makes every change fail.
class TFakeAutostart final : public TAutostart {
 public:
  bool Enabled() const override { return On; }
  void SetEnabled(bool enabled) override {
    if (Refuse) throw EInOutError("Cannot create file \"autostart\".");
    On = enabled;
  }

  bool On = false;
  bool Refuse = false;
};

}  // namespace tapestro::test
