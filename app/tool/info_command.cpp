// tapestro-tool info FILE: what the picture registry loads from the file.
#include <cstdio>
#include <string>

#include "app/tool/command.h"
#include "app/tool/report_errors.h"
#include "imaging/bitmap.h"
#include "imaging/jpeg_image.h"
#include "imaging/picture.h"

namespace tapestro::tool {

namespace {

// "TBitmap 127 64 pf8bit": the class, the size, then what the class adds. A JPEG image
// tells its size and the format it decodes to from its header, without decoding.
std::string Describe(TGraphic& graphic) {
  std::string line =
      graphic.ClassName() + " " + std::to_string(graphic.Width()) + " " + std::to_string(graphic.Height());
  if (const auto* bitmap = dynamic_cast<const TBitmap*>(&graphic))
    line += std::string(" ") + PixelFormatName(bitmap->PixelFormat());
  if (const auto* jpeg = dynamic_cast<const TJPEGImage*>(&graphic))
    line += std::string(" ") + PixelFormatName(jpeg->PixelFormat());
  return line;
}

}  // namespace

constexpr char kUsage[] = "FILE";

static int RunInfo(const Arguments& args) {
  if (args.size() != 1) {
    std::fprintf(stderr, "usage: tapestro-tool info %s\n", kUsage);
    return 2;
  }
  return ReportErrors([&] {
    TPicture picture;
    picture.LoadFromFile(args[0]);
    std::printf("%s\n", Describe(*picture.Graphic()).c_str());
  });
}

extern const Command kInfoCommand{"info", kUsage, RunInfo};

}  // namespace tapestro::tool
