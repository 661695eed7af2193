// tapestro-tool apply FILE [tile|center|fit|X,Y] [--backend NAME]: one file as the
// desktop wallpaper, through the back end this session would use or the one named.
#include <unistd.h>

#include <QCoreApplication>
#include <cstdio>
#include <cstdlib>
#include <optional>

#include "app/tool/command.h"
#include "base/errors.h"
#include "base/format.h"
#include "base/path.h"
#include "base/text.h"
#include "core/desktop_wallpaper.h"
#include "platform/desktop/desktop_factory.h"

namespace tapestro::tool {

namespace {

constexpr char kUsage[] = "FILE [tile|center|fit|X,Y] [--backend x11|gnome|cinnamon|mate|kde|xfce]";
constexpr char kNotSupported[] = "%s: only BMP and PNG files can be applied by the tool so far";
constexpr char kUnknownBackend[] = "no desktop back end named %s here";

struct TPlacement {
  PlacementCode Code = PlacementCode::Center;
  int32_t X = 0;
  int32_t Y = 0;
};

// The tool does not know the stored placement; without one it centres, as the program
// does for an unknown setting.
std::optional<TPlacement> ParsePlacement(const std::string& word) {
  if (word == "tile") return TPlacement{PlacementCode::Tile};
  if (word == "center") return TPlacement{PlacementCode::Center};
  if (word == "fit") return TPlacement{PlacementCode::SizeToFit};
  const size_t comma = word.find(',');
  if (comma == std::string::npos) return std::nullopt;
  return TPlacement{PlacementCode::ExplicitOrigin, StrToInt(word.substr(0, comma)), StrToInt(word.substr(comma + 1))};
}

// Where the wallpaper preparation will plug in: JPEG and GIF files will be converted to
// a temporary BMP file here. BMP and PNG files go to the desktop as they are.
std::string PrepareForDesktop(const std::string& file) {
  const std::string extension = ExtractFileExt(file);
  if (!SameText(extension, ".bmp") && !SameText(extension, ".png")) throw EInvalidGraphic(Format(kNotSupported, file));
  return file;
}

// The program's own folder when it may write there (portable use), else the user's
// data folder, as for the program's temporary pictures.
std::string FreshNameFolder() {
  const std::string own = ExecutableDir();
  if (!own.empty() && ::access(own.c_str(), W_OK) == 0) return own;
  const char* data = std::getenv("XDG_DATA_HOME");
  const char* home = std::getenv("HOME");
  const std::string base = data != nullptr && *data != '\0' ? data : std::string(home != nullptr ? home : "") + "/.local/share";
  return IncludeTrailingPathDelimiter(base) + "tapestro";
}

std::unique_ptr<desktop::TDesktopBackend> ChooseBackend(const std::optional<std::string>& forced) {
  if (!forced) return desktop::CreateDesktopBackend(FreshNameFolder());
  const std::optional<desktop::TDesktopKind> kind = desktop::DesktopKindNamed(*forced);
  std::unique_ptr<desktop::TDesktopBackend> backend =
      kind ? desktop::CreateDesktopBackend(*kind, FreshNameFolder()) : nullptr;
  if (!backend) throw EConvertError(Format(kUnknownBackend, *forced));
  return backend;
}

int Usage() {
  std::fprintf(stderr, "usage: tapestro-tool apply %s\n", kUsage);
  return 2;
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
  // The D-Bus back ends need an application object; it opens no window.
  int argc = 1;
  char name[] = "tapestro-tool";
  char* argv[] = {name, nullptr};
  QCoreApplication application(argc, argv);
  try {
    const std::optional<TPlacement> placement = words.size() == 2 ? ParsePlacement(words[1]) : TPlacement{};
    if (!placement) return Usage();
    const std::string file = PrepareForDesktop(words[0]);
    const std::unique_ptr<desktop::TDesktopBackend> backend = ChooseBackend(forced);
    SetDesktopWallpaper(*backend, file, placement->Code, placement->X, placement->Y);
    std::printf("backend: %s\n", backend->Name().c_str());
    return 0;
  } catch (const Exception& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return 1;
  }
}

}  // namespace

extern const Command kApplyCommand{"apply", kUsage, Apply};

}  // namespace tapestro::tool
