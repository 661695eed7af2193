#include "platform/desktop/linux/xfce/xfce_backdrops.h"

#include <string_view>

namespace tapestro::desktop {

namespace {

constexpr std::string_view kLastImage = "/last-image";

// Takes "/<word><rest of segment>" off the front of path; false unless the segment
// starts with word and has something after it.
bool TakeSegment(std::string_view& path, std::string_view word) {
  if (path.size() < word.size() + 2 || path[0] != '/' || path.substr(1, word.size()) != word) return false;
  const size_t end = path.find('/', 1);
  const size_t length = end == std::string_view::npos ? path.size() : end;
  if (length <= word.size() + 1) return false;
  path.remove_prefix(length);
  return true;
}

}  // namespace

int XfceImageStyle(TWallpaperLayout layout) {
  switch (layout) {
    case TWallpaperLayout::Tile:
      return 1;
    case TWallpaperLayout::Stretch:
      return 3;
    case TWallpaperLayout::Center:
    case TWallpaperLayout::Origin:
      break;
  }
  return 2;
}

std::vector<std::string> XfceBackdrops(const std::vector<std::string>& propertyNames) {
  std::vector<std::string> backdrops;
  for (const std::string& name : propertyNames) {
    std::string_view rest = name;
    if (!rest.starts_with(kXfceBackdropRoot)) continue;
    rest.remove_prefix(std::string_view(kXfceBackdropRoot).size());
    if (TakeSegment(rest, "screen") && TakeSegment(rest, "monitor") && TakeSegment(rest, "workspace") &&
        rest == kLastImage) {
      backdrops.push_back(name.substr(0, name.size() - kLastImage.size()));
    }
  }
  return backdrops;
}

}  // namespace tapestro::desktop
