#include "tests/imaging/jpeg_references.h"

#ifndef _WIN32
#include <sys/wait.h>
#endif

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "base/stream.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_data.h"

namespace tapestro::test {

namespace {

#ifdef _WIN32
// The djpeg of the libjpeg-turbo build this program links, run through cmd.exe.
bool FindDjpeg() { return std::filesystem::is_regular_file(TAPESTRO_DJPEG); }
std::string DjpegCommand(const std::string& options, const std::string& in, const std::string& out) {
  return "\"\"" TAPESTRO_DJPEG "\" -bmp " + options + " -outfile \"" + out + "\" \"" + in + "\" 2>NUL\"";
}
int ExitCode(int status) { return status; }
#else
bool FindDjpeg() { return std::system("command -v djpeg >/dev/null 2>&1") == 0; }
std::string DjpegCommand(const std::string& options, const std::string& in, const std::string& out) {
  return "djpeg -bmp " + options + " -outfile '" + out + "' '" + in + "' 2>/dev/null";
}
int ExitCode(int status) { return WIFEXITED(status) ? WEXITSTATUS(status) : -1; }
#endif

}  // namespace

bool HaveDjpeg() { return FindDjpeg(); }

std::vector<uint8_t> DjpegBmp(const std::vector<uint8_t>& jpeg, const std::string& options) {
  TempDir dir;
  const std::string in = dir.File("in.jpg");
  const std::string out = dir.File("out.bmp");
  WriteAll(in, jpeg);
  // Exit code 2: done, with warnings (a cut file, say).
  const int code = ExitCode(std::system(DjpegCommand(options, in, out).c_str()));
  if (code != 0 && code != 2) return {};
  const std::vector<unsigned char> bytes = ReadAll(out);
  return {bytes.begin(), bytes.end()};
}

std::unique_ptr<TBitmap> BitmapOfBmp(const std::vector<uint8_t>& bmp) {
  auto bitmap = std::make_unique<TBitmap>();
  TSpanStream stream(bmp);
  bitmap->LoadFromStream(stream);
  return bitmap;
}

std::unique_ptr<TJPEGImage> JpegOf(const std::vector<uint8_t>& file) {
  auto jpeg = std::make_unique<TJPEGImage>();
  TSpanStream stream(file);
  jpeg->LoadFromStream(stream);
  return jpeg;
}

TPpm ReadPpm(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::string magic;
  int maxValue = 0;
  TPpm ppm;
  in >> magic >> ppm.Width >> ppm.Height >> maxValue;
  in.get();
  if (magic != "P6" || maxValue != 255 || ppm.Width <= 0 || ppm.Height <= 0) return {};
  ppm.Rgb.resize(static_cast<size_t>(ppm.Width) * static_cast<size_t>(ppm.Height) * 3);
  in.read(reinterpret_cast<char*>(ppm.Rgb.data()), static_cast<std::streamsize>(ppm.Rgb.size()));
  return in ? ppm : TPpm{};
}

int MaxChannelDifference(const TBitmap& a, const TBitmap& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height() || a.BitsPerPixel() != 24 || b.BitsPerPixel() != 24)
    return -1;
  const TPixelView left = a.Pixels();
  const TPixelView right = b.Pixels();
  int worst = 0;
  for (int32_t y = 0; y < a.Height(); ++y)
    for (size_t i = 0; i < static_cast<size_t>(a.Width()) * 3; ++i)
      worst = std::max(worst, std::abs(left.Row(y)[i] - right.Row(y)[i]));
  return worst;
}

int MaxChannelDifference(const TBitmap& bitmap, const TPpm& ppm) {
  if (bitmap.Width() != ppm.Width || bitmap.Height() != ppm.Height || bitmap.BitsPerPixel() != 24) return -1;
  const TPixelView view = bitmap.Pixels();
  int worst = 0;
  for (int32_t y = 0; y < ppm.Height; ++y) {
    const uint8_t* bgr = view.Row(y);
    const uint8_t* rgb = ppm.Rgb.data() + static_cast<size_t>(y) * static_cast<size_t>(ppm.Width) * 3;
    for (int32_t x = 0; x < ppm.Width; ++x, bgr += 3, rgb += 3)
      for (int c = 0; c < 3; ++c) worst = std::max(worst, std::abs(bgr[2 - c] - rgb[c]));
  }
  return worst;
}

bool SameIndexedColors(const TBitmap& a, const TBitmap& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height() || a.BitsPerPixel() != 8 || b.BitsPerPixel() != 8)
    return false;
  const TPixelView left = a.Pixels();
  const TPixelView right = b.Pixels();
  for (int32_t y = 0; y < a.Height(); ++y)
    for (int32_t x = 0; x < a.Width(); ++x)
      if (a.ColorTable()[left.Row(y)[x]] != b.ColorTable()[right.Row(y)[x]]) return false;
  return true;
}

size_t DistinctIndices(const TBitmap& bitmap) {
  const TPixelView view = bitmap.Pixels();
  std::set<uint8_t> seen;
  for (int32_t y = 0; y < bitmap.Height(); ++y) seen.insert(view.Row(y), view.Row(y) + bitmap.Width());
  return seen.size();
}

}  // namespace tapestro::test
