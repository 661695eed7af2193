// tapestro-tool apply FILE [tile|center|fit|fill|fit-borders|X,Y] [--backend NAME]: one
// file prepared as the program prepares it (JPEG and GIF files converted) and made the
// desktop wallpaper, through the back end this session would use or the one named.
// "fit" is Size to Fit, the stretch; "fit-borders" fits the picture whole with bars.
// Every text the preparation shows goes to standard error; there is no preview and no
// pause. Also what the commands that reach the desktop share (apply, restore).
#include <cstdio>
#include <optional>

#include "app/tool/command.h"
#include "app/tool/desktop_session.h"
#include "base/errors.h"
#include "base/text.h"
#include "core/desktop_wallpaper.h"
#include "core/program_texts.h"
#include "core/rotation.h"
#include "core/settings.h"
#include "core/wallpaper_preparation.h"
#include "core/wallpaper_restore.h"
#include "platform/app_folders.h"
#include "platform/desktop/desktop_factory.h"
#include "platform/system_services.h"

namespace tapestro::tool {

namespace {

constexpr char kUnknownBackend[] = "no desktop back end named %s here";

class TConsolePreparationContext final : public TPreparationContext {
 public:
  explicit TConsolePreparationContext(std::string temporaryFolder) : temporaryFolder_(std::move(temporaryFolder)) {}

  void ShowMessage(const std::string& text) override { std::fprintf(stderr, "%s\n", text.c_str()); }
  void Beep() override {}
  void Pause(int) override {}
  std::string TemporaryFolder() const override { return temporaryFolder_; }
  void LoadPreview(const std::string&) override {}
  void ShowMessageBox(const std::string& text) override { ShowMessage(text); }
  std::string WindowsDirectory() override { return SystemFolder(); }
  std::string LocalTimeText() override { return CurrentLocalTimeText(); }

 private:
  std::string temporaryFolder_;
};

// Prepares and applies file; 0 when the desktop took it, 1 when the preparation left
// the wallpaper alone (its messages say why).
int PrepareAndApply(const std::string& file, const std::string& placement, const std::optional<std::string>& forced) {
  const TAppFolders folders = ProgramFolders();
  // The placement comes from the command line; of the settings only the user's own
  // command counts (and the change is kept for restore).
  TSettings settings(folders.SettingsFile());
  const std::unique_ptr<desktop::TDesktopBackend> backend =
      ChooseDesktopBackend(forced, DesktopSetupOf(settings, folders));
  TProgramValues values;
  values.CurrentFile = file;
  TConsolePreparationContext context(folders.Data);
  TWallpaperPreparation preparation(settings, values, context, *backend, TWallpaperConversions{},
                                    [&placement](TSettings& read) { read.SettingValue = placement; });
  if (!preparation.do_wallpaper()) return 1;
  std::printf("backend: %s\n", backend->Name().c_str());
  return 0;
}

int RunApply(const TCommandLine& line) {
  const std::vector<std::string>& words = line.Operands;
  const std::optional<std::string> forced = line.Value(kBackendOption.Long);
  if (words.empty() || words.size() > 2) return kUsageError;
  // Without a word the placement reads as a missing setting does: the program centres then.
  const std::optional<std::string> placement =
      words.size() == 2 ? PlacementSettingOfWord(words[1]) : settings::kMissing;
  if (!placement) return kUsageError;
  return RunWithDesktop([&] { return PrepareAndApply(words[0], *placement, forced); });
}

}  // namespace

std::unique_ptr<desktop::TDesktopBackend> ChooseDesktopBackend(const std::optional<std::string>& forced,
                                                               const desktop::TDesktopSetup& setup) {
  if (!forced) return desktop::CreateDesktopBackend(setup);
  const std::optional<desktop::TDesktopKind> kind = desktop::DesktopKindNamed(*forced);
  std::unique_ptr<desktop::TDesktopBackend> backend = kind ? desktop::CreateDesktopBackend(*kind, setup) : nullptr;
  if (!backend) throw EConvertError(Format(kUnknownBackend, *forced));
  return backend;
}

int RunWithDesktop(const std::function<int()>& work) {
  const TDesktopSession session;
  return ReportErrors(work);
}

Command ApplyCommand() {
  std::string placements;
  for (const TNamedPlacement& placement : kNamedPlacements) placements += std::string(placement.Word) + "|";
  return {"apply",
          "FILE [" + placements + "X,Y] [--backend NAME]",
          "make FILE the desktop wallpaper, prepared as the program prepares it",
          {kBackendOption},
          RunApply};
}

}  // namespace tapestro::tool
