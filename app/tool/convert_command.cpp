// tapestro-tool convert IN OUT.bmp: the picture the desktop would get for IN, written
// as a BMP file. IN takes the route wallpaper preparation gives it: a JPEG image is
// decoded and a GIF gives its first frame, as the two conversions do; a file that goes
// to the desktop as it is (".BMP" or ".PNG" in its name) is read by its own extension,
// so a bitmap is read and written back and a PNG, which the program never decodes,
// fails. The output replaces OUT atomically: a failed conversion leaves it as it was.
#include <cstdio>
#include <string>

#include "app/tool/command.h"
#include "app/tool/report_errors.h"
#include "core/wallpaper_conversions.h"
#include "gif/gif_image.h"
#include "imaging/bitmap.h"
#include "imaging/jpeg_image.h"
#include "imaging/picture.h"

namespace tapestro::tool {

namespace {

void Convert(const std::string& input, const std::string& output) {
  switch (WallpaperRouteOf(input)) {
    case TWallpaperRoute::Jpeg: {
      TJPEGImage jpeg;
      jpeg.LoadFromFile(input);
      TBitmap bitmap;
      bitmap.Assign(&jpeg);
      return SaveBitmapReplacing(bitmap, output);
    }
    case TWallpaperRoute::Gif: {
      TGIFImage gif;
      gif.ReadFromFile(input);
      return SaveBitmapReplacing(GifFirstFrame(gif, input), output);
    }
    case TWallpaperRoute::AsItIs: {
      TPicture picture;
      picture.LoadFromFile(input);
      TBitmap bitmap;
      bitmap.Assign(picture.Graphic());
      return SaveBitmapReplacing(bitmap, output);
    }
  }
}

}  // namespace

constexpr char kUsage[] = "IN OUT.bmp";

static int RunConvert(const Arguments& args) {
  if (args.size() != 2) {
    std::fprintf(stderr, "usage: tapestro-tool convert %s\n", kUsage);
    return 2;
  }
  return ReportErrors([&] { Convert(args[0], args[1]); });
}

extern const Command kConvertCommand{"convert", kUsage, RunConvert};

}  // namespace tapestro::tool
