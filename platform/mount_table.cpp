#include "platform/mount_table.h"

#include <algorithm>
#include <array>

namespace tapestro {

namespace {

// Kernel interfaces and helper mounts: nothing a user stores pictures on.
constexpr std::array<std::string_view, 22> kPseudoFileSystems = {
    "proc",       "sysfs",      "devtmpfs",  "devpts",      "cgroup",          "cgroup2",
    "securityfs", "pstore",     "bpf",       "debugfs",     "tracefs",         "configfs",
    "fusectl",    "mqueue",     "hugetlbfs", "autofs",      "binfmt_misc",     "nsfs",
    "rpc_pipefs", "efivarfs",   "selinuxfs", "fuse.portal"};

// Trees that belong to the system; their mounts are not volumes of the user's.
constexpr std::array<std::string_view, 17> kSystemTrees = {
    "/boot", "/dev", "/proc", "/sys", "/run", "/var", "/usr", "/etc",  "/tmp",
    "/snap", "/efi", "/lib",  "/lib32", "/lib64", "/bin", "/sbin", "/opt"};

// Trees whose mounts are the user's even where a system tree holds them.
constexpr std::array<std::string_view, 3> kVolumeTrees = {"/media", "/mnt", "/run/media"};

bool IsOctal(char c) { return c >= '0' && c <= '7'; }

// The table writes blanks, tabs, newlines and backslashes in names as \ooo.
std::string Unescape(std::string_view field) {
  std::string out;
  out.reserve(field.size());
  for (size_t i = 0; i < field.size(); ++i) {
    if (field[i] == '\\' && i + 3 < field.size() && IsOctal(field[i + 1]) && IsOctal(field[i + 2]) &&
        IsOctal(field[i + 3])) {
      out.push_back(static_cast<char>((field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 + (field[i + 3] - '0')));
      i += 3;
    } else {
      out.push_back(field[i]);
    }
  }
  return out;
}

std::vector<std::string_view> SplitFields(std::string_view line) {
  std::vector<std::string_view> fields;
  size_t start = 0;
  while (start < line.size()) {
    const size_t end = std::min(line.find_first_of(" \t", start), line.size());
    if (end > start) fields.push_back(line.substr(start, end - start));
    start = end + 1;
  }
  return fields;
}

bool IsInside(std::string_view path, std::string_view tree) {
  if (tree == "/") return true;
  return path.size() >= tree.size() && path.substr(0, tree.size()) == tree &&
         (path.size() == tree.size() || path[tree.size()] == '/');
}

bool IsStrictlyInside(std::string_view path, std::string_view tree) {
  return path != tree && IsInside(path, tree);
}

bool InAny(std::string_view path, auto trees, bool strictly) {
  return std::any_of(trees.begin(), trees.end(), [&](std::string_view tree) {
    return strictly ? IsStrictlyInside(path, tree) : IsInside(path, tree);
  });
}

bool IsUserVolume(const TMountEntry& entry, const std::string& homeFolder) {
  const std::string_view point = entry.mountPoint;
  if (point.empty() || point.front() != '/' || point == "/") return false;
  if (std::find(kPseudoFileSystems.begin(), kPseudoFileSystems.end(), entry.fileSystem) !=
      kPseudoFileSystems.end())
    return false;
  // The home folder has a node of its own, and what is mounted inside it is reached there.
  if (!homeFolder.empty() && IsInside(point, homeFolder)) return false;
  if (InAny(point, kVolumeTrees, true)) return true;
  return !InAny(point, kSystemTrees, false);
}

}  // namespace

std::vector<TMountEntry> ParseMountTable(std::string_view text) {
  std::vector<TMountEntry> table;
  size_t start = 0;
  while (start < text.size()) {
    const size_t end = std::min(text.find('\n', start), text.size());
    const std::vector<std::string_view> fields = SplitFields(text.substr(start, end - start));
    if (fields.size() >= 3) table.push_back({Unescape(fields[0]), Unescape(fields[1]), std::string(fields[2])});
    start = end + 1;
  }
  return table;
}

std::vector<std::string> UserVolumeMountPoints(const std::vector<TMountEntry>& table,
                                               const std::string& homeFolder) {
  std::vector<std::string> points;
  for (const TMountEntry& entry : table)
    if (IsUserVolume(entry, homeFolder)) points.push_back(entry.mountPoint);
  std::sort(points.begin(), points.end());
  points.erase(std::unique(points.begin(), points.end()), points.end());
  return points;
}

}  // namespace tapestro
