// tapestro-tool restore [--backend NAME]: the wallpaper the program or the tool set
// last, set again once, for session scripts on desktops that forget it when the
// session ends (as the program does at its start). Without --backend only where the
// session's desktop forgets it; with it, always. Prints the back end and what was done.
#include <cstdio>
#include <optional>

#include "app/tool/command.h"
#include "core/settings.h"
#include "core/wallpaper_restore.h"
#include "platform/app_folders.h"

namespace tapestro::tool {

namespace {

int RunRestore(const TCommandLine& line) {
  const std::optional<std::string> forced = line.Value(kBackendOption.Long);
  if (!line.Operands.empty()) return kUsageError;
  return RunWithDesktop([&forced] {
    const TAppFolders folders = ProgramFolders();
    TSettings settings(folders.SettingsFile());
    const auto backend = ChooseDesktopBackend(forced, DesktopSetupOf(settings, folders));
    const char* done = "restored";
    switch (RestoreLastWallpaper(settings, *backend, forced.has_value())) {
      case TRestoreOutcome::NothingKept: done = "nothing to restore"; break;
      case TRestoreOutcome::DesktopKeepsIt: done = "the desktop keeps its wallpaper"; break;
      case TRestoreOutcome::Restored: break;
    }
    std::printf("backend: %s\n%s\n", backend->Name().c_str(), done);
    return 0;
  });
}

}  // namespace

Command RestoreCommand() {
  return {"restore",
          "[--backend NAME]",
          "set the wallpaper the program or the tool set last once more",
          {kBackendOption},
          RunRestore};
}

}  // namespace tapestro::tool
