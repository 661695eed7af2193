#pragma once
// The mount table as the kernel lists it in /proc/self/mounts, and the choice of the
// mounts that the folder tree shows as top-level folders. Pure functions over text,
// so that any table can be tested without mounting anything.
#include <string>
#include <string_view>
#include <vector>

namespace tapestro {

struct TMountEntry {
  std::string device;
  std::string mountPoint;  // unescaped: "\040" in the table is a blank here
  std::string fileSystem;
};

// One entry per well-formed line, in table order; lines with fewer than three fields
// are skipped.
std::vector<TMountEntry> ParseMountTable(std::string_view text);

// The mount points a user keeps files on, besides the root and the home folder:
// every mount under /media, /mnt or /run/media, and any other mount outside the
// system's own trees, whose file system holds files (not proc, sysfs, cgroup and the
// like). A mount point listed twice counts once; sorted by byte order.
std::vector<std::string> UserVolumeMountPoints(const std::vector<TMountEntry>& table,
                                               const std::string& homeFolder);

}  // namespace tapestro
