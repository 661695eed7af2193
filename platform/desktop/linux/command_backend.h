#pragma once
// The user's own command ("WallpaperCommand" in the settings), for desktops we do not
// drive: split into words as a shell would split plain words and quotes, but run
// without a shell, so no file name is ever read as shell syntax. In the words, %f is
// the file, %m the placement word (tile, center, stretch, fill, fit, or X,Y for an
// origin) and %% a percent sign; without %f the file goes last. Its exit status is
// the outcome.
#include <optional>
#include <string>
#include <vector>

#include "platform/desktop/linux/wallpaper_request.h"

namespace tapestro::desktop {

// The words of command; null when a quote is not closed. Outside quotes a backslash
// keeps the next character; inside "..." it keeps a following " or \.
std::optional<std::vector<std::string>> CommandWords(const std::string& command);
// The arguments run for request; EDesktopReloadError for a command that names nothing
// or has an unclosed quote.
std::vector<std::string> CommandArguments(const std::string& command, const TWallpaperRequest& request);

class TCommandDesktopBackend final : public TCollectingDesktopBackend {
 public:
  explicit TCommandDesktopBackend(std::string command) : command_(std::move(command)) {}
  std::string Name() const override { return "command"; }
  // What the command does is not known: it runs again at start, which is harmless.
  bool ForgetsWallpaper() const override { return true; }

 protected:
  void Apply(const TWallpaperRequest& request) override;

 private:
  std::string command_;
};

}  // namespace tapestro::desktop
