#pragma once
// What the five desktop values ask for, as the Linux desktops need it: a file and a
// layout. The values arrive one by one; each is checked as it comes, so a value no
// desktop could show is refused by the store instead of half applied.
#include <cstdint>
#include <string>

namespace tapestro::desktop {

enum class TWallpaperLayout {
  Tile,     // repeated from the top left corner
  Center,   // once, in the middle; the rest black
  Stretch,  // scaled to the whole screen
  Origin,   // once, its top left corner at the origin; the rest black
};

struct TWallpaperRequest {
  std::string File;
  TWallpaperLayout Layout = TWallpaperLayout::Center;
  int32_t OriginX = 0;
  int32_t OriginY = 0;
};

class TWallpaperValues {
 public:
  void Clear() { *this = TWallpaperValues(); }
  // false for a name the desktop settings do not have or a value outside its range.
  bool Set(const std::string& name, const std::string& value);
  // Tiling wins over the style, as on the system the values come from; an origin of
  // 0,0 cannot be told from centring and centres.
  TWallpaperRequest Request() const;

 private:
  std::string file_;
  bool tile_ = false;
  bool stretch_ = false;
  int32_t originX_ = 0;
  int32_t originY_ = 0;
};

}  // namespace tapestro::desktop
