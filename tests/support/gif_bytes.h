#pragma once
// Building GIF inputs for tests: a small LZW encoder that follows the decoder's code
// widths exactly, a builder that appends blocks byte by byte, small animations, and
// reading the bytes into an image that records its warnings.
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "gif/gif_image.h"
#include "gif/reader.h"
#include "gif/sub_image.h"
#include "imaging/color.h"

namespace tapestro::test {

using Bytes = std::vector<uint8_t>;

struct LzwOptions {
  bool startWithClear = true;
  bool endWithEndCode = true;
  // When the table reaches 4096 entries: a clear code, or go on with 12-bit codes and
  // no new entries.
  bool clearWhenFull = true;
};

// The LZW code stream (without sub-blocks) for the values, each below 2^minimumCodeSize.
Bytes EncodeLzw(std::span<const uint8_t> values, int minimumCodeSize, const LzwOptions& options = {});
// Codes given as (value, width in bits) packed least significant bit first, for data
// that no sound encoder writes.
Bytes PackCodes(std::initializer_list<std::pair<int, int>> codes);
// Cuts data into sub-blocks of at most blockSize bytes, then a zero terminator.
Bytes SubBlocks(std::span<const uint8_t> data, size_t blockSize = 255, bool terminator = true);
// Rows reordered into the order an interlaced image stores them.
Bytes InterlacedOrder(std::span<const uint8_t> pixels, int width, int height);

struct ImageOptions {
  int left = 0;
  int top = 0;
  bool interlaced = false;
  int localColors = 0;  // 0: no local table; else 2..256 (a power of two)
  // When not empty: the local table's colours instead (padded with black to a power of two).
  std::vector<TGIFColor> localTable;
  int minimumCodeSize = 8;
  size_t subBlockSize = 255;
  LzwOptions lzw;
};

class GifBuilder {
 public:
  // "GIF89a", screen size, and a global table of colours entries (0: none).
  GifBuilder& Header(int width, int height, int colors = 0, const std::string& signature = "GIF89a");
  // "GIF89a", screen size, and a global table of these colours (padded with black to a
  // power of two; none when empty).
  GifBuilder& Header(int width, int height, const std::vector<TGIFColor>& colors);
  GifBuilder& GraphicControl(int transparentIndex = -1, int delay = 0, int disposal = 0);
  GifBuilder& Comment(const std::string& text);
  GifBuilder& Application(const std::string& identifier, const std::vector<Bytes>& blocks);
  GifBuilder& Image(int width, int height, std::span<const uint8_t> pixels, const ImageOptions& options = {});
  GifBuilder& Raw(std::initializer_list<int> bytes);
  GifBuilder& Raw(std::span<const uint8_t> bytes);
  GifBuilder& Trailer() { return Raw({0x3B}); }
  const Bytes& Get() const { return bytes_; }

 private:
  void ColorTable(int colors);
  void ColorTable(const std::vector<TGIFColor>& colors);
  Bytes bytes_;
};

struct Warning {
  const void* sender;
  int severity;
  std::string text;
};

// A GIF image that records its warnings.
struct RecordingGif {
  RecordingGif();
  std::unique_ptr<TGIFImage> image;
  std::shared_ptr<std::vector<Warning>> warnings;
  std::vector<std::string> WarningTexts() const;
};

// Reads bytes into a fresh recording image.
RecordingGif ReadGif(const Bytes& bytes);
// Runs the read and returns the exact text of the GIFException it raised ("" if none).
std::string GifErrorOf(const Bytes& bytes);

// A sub-image's colour indices, rows top to bottom, without the rows' padding.
Bytes IndicesOf(const TGIFSubImage& sub);
// Each data sub-block of an extension as bytes, and as a line of text.
std::vector<Bytes> BlocksOf(const TGIFSubBlocks& blocks);
std::vector<std::string> LinesOf(const TGIFSubBlocks& blocks);

// Pseudo-random values below limit, the same for the same seed.
Bytes NoisePixels(size_t count, int limit, uint32_t seed);

inline constexpr int kNoLoopExtension = -1;
inline constexpr int kNoGraphicControl = -1;

// Frame i's colour: red, blue, green, white, black, then again.
TColor FrameColor(int index);
// A 2 x 2 screen with one solid 2 x 2 frame per delay, frame i in FrameColor(i), each
// left in place (disposal 1). A delay of kNoGraphicControl gives that frame no graphic
// control extension. The looping extension, with that count, comes before frame loopFrame.
Bytes SolidAnimation(const std::vector<int>& delays, int loopCount, size_t loopFrame = 0);

}  // namespace tapestro::test
