#pragma once
// Top-level folders on Linux: the root, the home folder, then each mounted user
// volume by mount point; refreshed when the mount table changes.
#include <string>
#include <vector>

#include "platform/linux/mount_watcher.h"
#include "platform/volume_source.h"

namespace tapestro {

class TLinuxVolumeSource final : public TVolumeSource {
  Q_OBJECT

 public:
  // The mount table can list thousands of container mounts, but not more than this.
  static constexpr size_t kMaxMountTableSize = 4 * 1024 * 1024;

  TLinuxVolumeSource();
  std::vector<TVolumeInfo> TopLevelFolders() override;
  TVolumeInfo Describe(const std::string& path) override;

 private:
  std::string home_;  // without trailing delimiter; empty when it is the root or absent
  TMountWatcher watcher_;
};

}  // namespace tapestro
