// tapestro-tool convert IN OUT.bmp: the wallpaper conversion of one file, written as a
// BMP file. The output replaces OUT atomically: a failed conversion leaves it as it was.
#include <cstdio>
#include <string>

#include "app/tool/command.h"
#include "app/tool/report_errors.h"
#include "base/atomic_file.h"
#include "base/errors.h"
#include "base/path.h"
#include "base/text.h"
#include "gif/gif_image.h"
#include "imaging/bitmap.h"
#include "imaging/graphic.h"
#include "imaging/jpeg/jpeg_image.h"
#include "imaging/picture.h"

namespace tapestro::tool {

namespace {

// How each kind of input becomes the bitmap that is written; by upper-cased extension
// as the wallpaper preparation routes files. Another kind of input is one more line.
struct TBitmapSource {
  const char* Extension;
  void (*Load)(const std::string& path, TBitmap& bitmap);
};

constexpr char kNoFirstImage[] = "%s: the GIF file has no first image";

void LoadBmp(const std::string& path, TBitmap& bitmap) { bitmap.LoadFromFile(path); }

// As the wallpaper conversion does it: the bitmap shares the decoded pixels.
void LoadJpeg(const std::string& path, TBitmap& bitmap) {
  TJPEGImage jpeg;
  jpeg.LoadFromFile(path);
  bitmap.Assign(&jpeg);
}

// The first frame at its own size, as the wallpaper conversion writes it.
void LoadGifFirstFrame(const std::string& path, TBitmap& bitmap) {
  TGIFImage gif;
  gif.ReadFromFile(path);
  TBitmap* frame = gif.SubImageCount() > 0 ? gif.SubImage(0).FrameBitmap() : nullptr;
  if (frame == nullptr) throw EInvalidGraphic(Format(kNoFirstImage, path));
  bitmap.Assign(frame);
}

constexpr TBitmapSource kSources[] = {
    {".BMP", LoadBmp},
    {".JPG", LoadJpeg},
    {".JPEG", LoadJpeg},
    {".GIF", LoadGifFirstFrame},
};

void Convert(const std::string& input, const std::string& output) {
  const std::string extension = UpperCase(ExtractFileExt(input));
  for (const TBitmapSource& source : kSources) {
    if (extension != source.Extension) continue;
    TBitmap bitmap;
    source.Load(input, bitmap);
    TAtomicFileWriter writer(output, TAtomicFileWriter::Durability::VisibleOnly);
    bitmap.SaveToStream(writer.Stream());
    writer.Commit();
    return;
  }
  throw EInvalidGraphic(Format(msg::kUnknownExtension, PictureFileExtension(input)));
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
