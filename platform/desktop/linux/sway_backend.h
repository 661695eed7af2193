#pragma once
// sway: "output * bg FILE MODE" over its IPC socket ($SWAYSOCK), for every output.
// The message framing is small enough to speak ourselves: the magic "i3-ipc", the
// payload's length and the message type (both 32-bit, in this machine's byte order),
// then the payload; the reply is framed the same way and holds a JSON list of results.
// The file gets a fresh name made only of plain characters: sway expands the path as
// a shell word would.
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/desktop/linux/wallpaper_request.h"

namespace tapestro::desktop {

inline constexpr uint32_t kSwayRunCommand = 0;

// True when $SWAYSOCK is set and sway listens there.
bool SwayAnswers();
// sway's background mode, which swaybg takes too: an origin centres.
const char* SwayMode(TWallpaperLayout layout);
std::string SwayBackgroundCommand(const std::string& file, TWallpaperLayout layout);
// One framed message.
std::string SwayMessage(uint32_t type, std::string_view payload);
// The first error in a RUN_COMMAND reply's JSON; empty when every command succeeded.
std::string SwayReplyError(const std::string& json);

class TSwayDesktopBackend final : public TCollectingDesktopBackend {
 public:
  explicit TSwayDesktopBackend(std::string freshNameFolder) : freshNameFolder_(std::move(freshNameFolder)) {}
  std::string Name() const override { return "sway"; }
  // Set over IPC only: sway's own configuration comes back at its next start.
  bool ForgetsWallpaper() const override { return true; }

 protected:
  void Apply(const TWallpaperRequest& request) override;

 private:
  std::string freshNameFolder_;
};

}  // namespace tapestro::desktop
