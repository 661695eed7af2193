#include "platform/desktop/linux/kde/plasma_script.h"

#include <cctype>

namespace tapestro::desktop {

int PlasmaFillMode(TWallpaperLayout layout) {
  switch (layout) {
    case TWallpaperLayout::Stretch:
      return 0;
    case TWallpaperLayout::Tile:
      return 3;
    case TWallpaperLayout::Center:
    case TWallpaperLayout::Origin:
      break;
  }
  return 6;
}

std::string FileUrl(std::string_view absolutePath) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string url = "file://";
  for (const char c : absolutePath) {
    const auto byte = static_cast<unsigned char>(c);
    if (std::isalnum(byte) != 0 || byte == '-' || byte == '.' || byte == '_' || byte == '~' || byte == '/') {
      url += c;
    } else {
      url += '%';
      url += kHex[byte >> 4];
      url += kHex[byte & 0xf];
    }
  }
  return url;
}

std::string PlasmaWallpaperScript(std::string_view absolutePath, TWallpaperLayout layout) {
  return "var all = desktops();\n"
         "for (var i = 0; i < all.length; i++) {\n"
         "  var d = all[i];\n"
         "  d.wallpaperPlugin = \"org.kde.image\";\n"
         "  d.currentConfigGroup = [\"Wallpaper\", \"org.kde.image\", \"General\"];\n"
         "  d.writeConfig(\"Image\", \"" +
         FileUrl(absolutePath) +
         "\");\n"
         "  d.writeConfig(\"FillMode\", " +
         std::to_string(PlasmaFillMode(layout)) +
         ");\n"
         "}\n";
}

}  // namespace tapestro::desktop
