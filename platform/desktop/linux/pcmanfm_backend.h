#pragma once
// LXQt and LXDE: their desktops are drawn by a file manager, pcmanfm-qt and pcmanfm,
// whose running copy takes a new wallpaper from "--set-wallpaper FILE --wallpaper-mode
// MODE". The file gets a fresh name each time, so a rewritten file always shows.
#include <string>
#include <vector>

#include "platform/desktop/linux/wallpaper_request.h"

namespace tapestro::desktop {

enum class TPcmanfmDesktop { Lxqt, Lxde };

const char* PcmanfmProgram(TPcmanfmDesktop desktop);
// The nearest wallpaper mode: an origin centres; pcmanfm-qt calls filling "zoom",
// pcmanfm "crop".
const char* PcmanfmMode(TPcmanfmDesktop desktop, TWallpaperLayout layout);
std::vector<std::string> PcmanfmArguments(TPcmanfmDesktop desktop, const std::string& file, TWallpaperLayout layout);

class TPcmanfmDesktopBackend final : public TCollectingDesktopBackend {
 public:
  TPcmanfmDesktopBackend(TPcmanfmDesktop desktop, std::string freshNameFolder)
      : desktop_(desktop), freshNameFolder_(std::move(freshNameFolder)) {}
  std::string Name() const override;

 protected:
  void Apply(const TWallpaperRequest& request) override;

 private:
  TPcmanfmDesktop desktop_;
  std::string freshNameFolder_;
};

}  // namespace tapestro::desktop
