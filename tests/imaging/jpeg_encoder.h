#pragma once
// Makes JPEG files for the tests with the library's own compressor, so that every
// coding variant (sampling, progressive, arithmetic, restart markers, CMYK, YCCK) can be
// produced at any size without keeping files around.
#include <array>
#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

namespace tapestro::test {

enum class TJpegKind {
  Rgb,   // stored as YCbCr
  Grey,
  Cmyk,  // stored as CMYK
  Ycck,  // CMYK stored as YCCK
};

struct TJpegRecipe {
  int Width = 32;
  int Height = 24;
  TJpegKind Kind = TJpegKind::Rgb;
  int Quality = 90;
  // Horizontal and vertical sampling factor of each component; empty: the library's
  // default (2x2 luma for colour files).
  std::vector<std::pair<int, int>> Sampling;
  bool Progressive = false;
  bool Arithmetic = false;
  int RestartRows = 0;      // a restart marker every so many MCU rows
  // Greyscale only: progressive, with every AC coefficient refined bit by bit in a scan
  // of its own: 1 + 63 x (1 + RefinedBits) scans, 631 by default.
  bool ScanPerCoefficientBit = false;
  int RefinedBits = 9;
  bool AdobeMarker = true;  // CMYK and YCCK only: written by default, as image editors do
  // The input samples of pixel (x, y): red, green, blue; grey; or the four CMYK values
  // exactly as they are to be stored.
  std::function<std::array<uint8_t, 4>(int x, int y)> Pixel;
};

// A smooth colour picture with some detail, different in every row and column.
std::array<uint8_t, 4> GradientPixel(int x, int y);

std::vector<uint8_t> EncodeJpeg(const TJpegRecipe& recipe);

// The bytes of a file up to (not including) its first marker of this code, such as
// 0xDA for the first scan; the whole file when there is none.
std::vector<uint8_t> CutBeforeMarker(const std::vector<uint8_t>& file, uint8_t marker);

// The file with its frame header announcing another size.
std::vector<uint8_t> WithFrameSize(std::vector<uint8_t> file, uint16_t width, uint16_t height);

}  // namespace tapestro::test
