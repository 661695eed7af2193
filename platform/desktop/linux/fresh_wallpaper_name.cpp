#include "platform/desktop/linux/fresh_wallpaper_name.h"

#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string_view>

#include "base/atomic_file.h"
#include "base/path.h"
#include "base/stream.h"
#include "base/text.h"
#include "platform/desktop/desktop_messages.h"

namespace tapestro::desktop {

namespace {

constexpr char kNamePrefix[] = "tapestro-desktop-";
// The extensions a fresh name may carry. Only these are ever removed, so a file of the
// user's that happens to share the prefix is never touched.
constexpr std::array<std::string_view, 5> kExtensions{".bmp", ".png", ".jpg", ".gif", ""};

std::string SlotPath(const std::string& folder, char slot, std::string_view extension) {
  return IncludeTrailingPathDelimiter(folder) + kNamePrefix + slot + std::string(extension);
}

bool SlotExists(const std::string& folder, char slot) {
  for (std::string_view extension : kExtensions)
    if (FileExists(SlotPath(folder, slot, extension))) return true;
  return false;
}

void RemoveSlot(const std::string& folder, char slot) {
  for (std::string_view extension : kExtensions) ::unlink(SlotPath(folder, slot, extension).c_str());
}

// The desktops pick the decoder by the extension, so the fresh name keeps it.
std::string_view ExtensionFor(const std::string& file) {
  const std::string extension = LowerCase(ExtractFileExt(file));
  for (std::string_view known : kExtensions)
    if (extension == known) return known;
  return "";
}

void CopyFile(const std::string& from, const std::string& to) {
  TFileStream source(from, FileMode::OpenRead);
  TAtomicFileWriter target(to, TAtomicFileWriter::Durability::VisibleOnly);
  target.Stream().CopyFrom(source, 0);
  target.Commit();
}

}  // namespace

TFreshWallpaperName::TFreshWallpaperName(const std::string& folder, const std::string& file) : folder_(folder) {
  const char slot = SlotExists(folder, 'a') ? 'b' : 'a';
  previousSlot_ = slot == 'a' ? 'b' : 'a';
  const std::string_view extension = ExtensionFor(file);
  path_ = SlotPath(folder, slot, extension);
  for (std::string_view other : kExtensions)
    if (other != extension) ::unlink(SlotPath(folder, slot, other).c_str());
  std::error_code ignored;
  std::filesystem::create_directories(folder, ignored);
  // Linked under a passing name and renamed into place, so the slot never names a
  // half-made file.
  const std::string passing = path_ + ".new";
  ::unlink(passing.c_str());
  const bool linked = ::link(file.c_str(), passing.c_str()) == 0;
  const int linkError = errno;
  if (linked) {
    const bool renamed = ::rename(passing.c_str(), path_.c_str()) == 0;
    ::unlink(passing.c_str());
    if (renamed) return;
  }
  try {
    CopyFile(file, path_);
  } catch (const Exception&) {
    ThrowReloadError(Format(msg::kCannotMakeFreshName, file, std::strerror(linkError)));
  }
}

std::string TFreshWallpaperName::PreviousPath() const {
  for (std::string_view extension : kExtensions)
    if (const std::string path = SlotPath(folder_, previousSlot_, extension); FileExists(path)) return path;
  return "";
}

TFreshWallpaperName::~TFreshWallpaperName() {
  if (!committed_) ::unlink(path_.c_str());
}

void TFreshWallpaperName::Commit() {
  committed_ = true;
  RemoveSlot(folder_, previousSlot_);
}

}  // namespace tapestro::desktop
