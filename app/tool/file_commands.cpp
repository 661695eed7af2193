// The tool's commands that read files only: list, info and convert.
//
// convert IN OUT.bmp writes, as a BMP file, the picture the desktop would get for IN.
// IN takes the route wallpaper preparation gives it: a JPEG image is decoded and a GIF
// gives its first frame, as the two conversions do; a file that goes to the desktop as
// it is (".BMP" or ".PNG" in its name) is read by its own extension, so a bitmap is
// read and written back and a PNG, which the program never decodes, fails. OUT must
// end in ".bmp", so that no other kind of file ever holds BMP data; it is replaced
// atomically: a failed conversion leaves it as it was.
#include <cstdio>
#include <string>

#include "app/tool/command.h"
#include "base/atomic_file.h"
#include "base/errors.h"
#include "base/path.h"
#include "base/text.h"
#include "controls/file_listing.h"
#include "core/wallpaper_conversions.h"
#include "gif/gif_image.h"
#include "imaging/bitmap.h"
#include "imaging/jpeg/jpeg_image.h"
#include "imaging/picture.h"
#include "imaging/png_header.h"

namespace tapestro::tool {

namespace {

// list FOLDER [MASK]: the image file list of a folder in rotation order, one bare name
// a line.
int RunList(const TCommandLine& line) {
  const std::vector<std::string>& args = line.Operands;
  if (args.empty() || args.size() > 2) return kUsageError;
  const std::string& folder = args[0];
  if (!DirectoryExists(folder)) {
    std::fprintf(stderr, "%s\n", Format(msg::kDirectoryDoesNotExist, folder).c_str());
    return 1;
  }
  const std::string mask = args.size() == 2 ? args[1] : kDefaultImageMask;
  std::string out;
  for (const TRzFileInfo& entry : ListFolder(folder, mask)) {
    out += entry.Name;
    out += '\n';
  }
  std::fwrite(out.data(), 1, out.size(), stdout);
  return std::fflush(stdout) == 0 ? 0 : 1;
}

// A GIF's screen size is its size; the pixel format is that of the first image's
// bitmap (what a conversion writes), "none" without one, then the number of images.
std::string DescribeGif(TGIFImage& gif) {
  int images = 0;
  for (int i = 0; i < gif.SubImageCount(); ++i)
    if (!gif.SubImage(i).Empty()) ++images;
  const TBitmap* first = gif.SubImageCount() > 0 ? gif.SubImage(0).FrameBitmap() : nullptr;
  return std::string(first != nullptr ? PixelFormatName(first->PixelFormat()) : "none") + " " + std::to_string(images);
}

// "TBitmap 127 64 pf8bit": the class, the size, then what the class adds. A JPEG image
// tells its size and the format it decodes to from its header, without decoding.
std::string Describe(TGraphic& graphic) {
  std::string line =
      graphic.ClassName() + " " + std::to_string(graphic.Width()) + " " + std::to_string(graphic.Height());
  if (const auto* bitmap = dynamic_cast<const TBitmap*>(&graphic))
    line += std::string(" ") + PixelFormatName(bitmap->PixelFormat());
  if (const auto* jpeg = dynamic_cast<const TJPEGImage*>(&graphic))
    line += std::string(" ") + PixelFormatName(jpeg->PixelFormat());
  if (auto* gif = dynamic_cast<TGIFImage*>(&graphic)) line.append(" ").append(DescribeGif(*gif));
  return line;
}

// "PNG 640 480 RGBA 8-bit": what the header says the desktop gets.
std::string DescribePng(const std::string& path) {
  const TPngHeader header = ReadPngHeader(path);
  return "PNG " + std::to_string(header.Width) + " " + std::to_string(header.Height) + " " +
         PngColorTypeName(header.ColorType) + " " + std::to_string(header.BitDepth) + "-bit" +
         (header.Interlaced ? " interlaced" : "");
}

// info FILE: what the desktop is given for the file. A PNG file goes to it as it is,
// so its header speaks for it; every other file is what the picture registry loads.
int RunInfo(const TCommandLine& line) {
  if (line.Operands.size() != 1) return kUsageError;
  const std::string& path = line.Operands[0];
  return ReportErrors([&] {
    if (SameText(PictureFileExtension(path), "png")) {
      std::printf("%s\n", DescribePng(path).c_str());
      return 0;
    }
    TPicture picture;
    picture.LoadFromFile(path);
    std::printf("%s\n", Describe(*picture.Graphic()).c_str());
    return 0;
  });
}

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

int RunConvert(const TCommandLine& line) {
  const std::vector<std::string>& args = line.Operands;
  if (args.size() != 2) return kUsageError;
  if (!SameText(PictureFileExtension(args[1]), "bmp")) {
    std::fprintf(stderr, "tapestro-tool convert: the output name must end in .bmp: %s\n", args[1].c_str());
    return kUsageError;
  }
  return ReportErrors([&] {
    // An output that cannot be replaced is refused before the input is decoded.
    CheckReplaceable(args[1]);
    Convert(args[0], args[1]);
    return 0;
  });
}

}  // namespace

Command ListCommand() {
  return {"list", "FOLDER [MASK]", "print the image files of FOLDER in rotation order, one a line", {}, RunList};
}
Command InfoCommand() {
  return {"info", "FILE", "describe what the desktop is given for FILE: kind, size and format", {}, RunInfo};
}
Command ConvertCommand() {
  return {"convert", "IN OUT.bmp", "write the wallpaper conversion of IN as a BMP file", {}, RunConvert};
}

}  // namespace tapestro::tool
