#include "platform/desktop/linux/swaybg_backend.h"

#include <sys/types.h>

#include <QFile>
#include <QImageReader>
#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <fstream>

#include "base/atomic_file.h"
#include "base/errors.h"
#include "base/text.h"
#include "platform/desktop/desktop_messages.h"
#include "platform/desktop/linux/external_process.h"
#include "platform/desktop/linux/sway_backend.h"

namespace tapestro::desktop {

namespace {

constexpr char kInstallHint[] = "; install the package swaybg";

std::string RuntimeFolder() {
  const char* folder = std::getenv("XDG_RUNTIME_DIR");
  if (folder == nullptr || *folder == '\0') ThrowReloadError(msg::kNoRuntimeFolder);
  return folder;
}

std::string FirstLineOf(const std::string& path) {
  std::ifstream file(path);
  std::string line;
  std::getline(file, line);
  return line;
}

// The swaybg started last by the program or the tool, or -1 when it is gone (a
// process id the system has since given to another program does not count).
pid_t PreviousSwaybg(const std::string& pidFile) {
  const std::string text = Trim(FirstLineOf(pidFile));
  pid_t pid = -1;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), pid);
  if (text.empty() || error != std::errc() || end != text.data() + text.size() || pid <= 0) return -1;
  return FirstLineOf("/proc/" + text + "/comm") == kSwaybgProgram ? pid : -1;
}

void KeepPid(const std::string& pidFile, pid_t pid) {
  try {
    ReplaceFileContents(pidFile, std::to_string(pid) + "\n");
  } catch (const Exception&) {
    // The new swaybg shows; only the next change cannot end it.
  }
}

}  // namespace

std::vector<std::string> SwaybgArguments(const std::string& file, TWallpaperLayout layout) {
  return {kSwaybgProgram, "--output", "*", "--image", file, "--mode", SwayMode(layout)};
}

void TSwaybgDesktopBackend::Apply(const TWallpaperRequest& request) {
  // swaybg shows its background colour alone when it cannot read the picture.
  QImageReader reader(QFile::decodeName(request.File.c_str()));
  reader.setDecideFormatFromContent(true);
  if (!reader.canRead()) ThrowReloadError(Format(msg::kCannotReadPicture, request.File));
  const std::string folder = RuntimeFolder();
  const std::string pidFile = folder + "/" + kSwaybgPidFile;
  const std::string errorLog = folder + "/" + kSwaybgErrorLog;
  const pid_t previous = PreviousSwaybg(pidFile);
  TProcessOutcome outcome;
  const pid_t started = StartDetached(SwaybgArguments(request.File, request.Layout), errorLog);
  if (started < 0) {
    outcome.StartError = errno;
    ThrowReloadError(ProcessFailure(kSwaybgProgram, outcome) + (outcome.StartError == ENOENT ? kInstallHint : ""));
  }
  if (!StillRunningAfter(started, kSwaybgSettleMs, errorLog, outcome))
    ThrowReloadError(ProcessFailure(kSwaybgProgram, outcome));
  KeepPid(pidFile, started);
  if (previous > 0 && previous != started) EndProcess(previous);
}

}  // namespace tapestro::desktop
