// tapestro-tool apply FILE [tile|center|fit|X,Y] [--backend NAME]: one file prepared as
// the program prepares it (JPEG and GIF files converted) and made the desktop
// wallpaper, through the back end this session would use or the one named.
#include <QCoreApplication>
#include <cstdio>
#include <optional>

#include "app/tool/command.h"
#include "app/tool/console_preparation_context.h"
#include "base/errors.h"
#include "base/text.h"
#include "core/program_values.h"
#include "core/program_wallpaper_conversions.h"
#include "core/settings.h"
#include "core/wallpaper_preparation.h"
#include "platform/app_folders.h"
#include "platform/desktop/desktop_factory.h"

namespace tapestro::tool {

namespace {

constexpr char kUsage[] = "FILE [tile|center|fit|X,Y] [--backend x11|gnome|cinnamon|mate|kde|xfce]";
constexpr char kUnknownBackend[] = "no desktop back end named %s here";
// Stands for the stored placement when none is given: the program centres then too.
constexpr char kNoPlacement[] = "n/a";

// The placement word as the program stores it; an origin goes as written, so that it
// is checked exactly as a stored one is.
std::optional<std::string> PlacementSetting(const std::string& word) {
  if (word == "tile") return "0";
  if (word == "center") return "1";
  if (word == "fit") return "2";
  if (word.find(',') != std::string::npos) return word;
  return std::nullopt;
}

std::unique_ptr<desktop::TDesktopBackend> ChooseBackend(const std::optional<std::string>& forced,
                                                        const std::string& freshNameFolder) {
  if (!forced) return desktop::CreateDesktopBackend(freshNameFolder);
  const std::optional<desktop::TDesktopKind> kind = desktop::DesktopKindNamed(*forced);
  std::unique_ptr<desktop::TDesktopBackend> backend =
      kind ? desktop::CreateDesktopBackend(*kind, freshNameFolder) : nullptr;
  if (!backend) throw EConvertError(Format(kUnknownBackend, *forced));
  return backend;
}

int Usage() {
  std::fprintf(stderr, "usage: tapestro-tool apply %s\n", kUsage);
  return 2;
}

// Prepares and applies file; 0 when the desktop took it, 1 when the preparation left
// the wallpaper alone (its messages say why).
int PrepareAndApply(const std::string& file, const std::string& placement, const std::optional<std::string>& forced) {
  const TAppFolders folders = ProgramFolders();
  const std::unique_ptr<desktop::TDesktopBackend> backend = ChooseBackend(forced, folders.Data);
  // The placement comes from the command line: the program's settings are not read.
  TSettings settings(folders.SettingsFile());
  TProgramValues values;
  values.CurrentFile = file;
  TConsolePreparationContext context(folders.Data);
  TWallpaperPreparation preparation(settings, values, context, *backend, ProgramWallpaperConversions(),
                                    [&placement](TSettings& read) { read.SettingValue = placement; });
  if (!preparation.do_wallpaper()) return 1;
  std::printf("backend: %s\n", backend->Name().c_str());
  return 0;
}

int Apply(const Arguments& args) {
  std::vector<std::string> words;
  std::optional<std::string> forced;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] != "--backend") {
      words.push_back(args[i]);
    } else if (++i < args.size()) {
      forced = args[i];
    } else {
      return Usage();
    }
  }
  if (words.empty() || words.size() > 2) return Usage();
  const std::optional<std::string> placement = words.size() == 2 ? PlacementSetting(words[1]) : kNoPlacement;
  if (!placement) return Usage();
  // The D-Bus back ends need an application object; it opens no window.
  int argc = 1;
  char name[] = "tapestro-tool";
  char* argv[] = {name, nullptr};
  QCoreApplication application(argc, argv);
  try {
    return PrepareAndApply(words[0], *placement, forced);
  } catch (const Exception& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return 1;
  }
}

}  // namespace

extern const Command kApplyCommand{"apply", kUsage, Apply};

}  // namespace tapestro::tool
