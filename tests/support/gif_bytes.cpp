#include "tests/support/gif_bytes.h"

#include <unordered_map>

#include "base/stream.h"
#include "gif/errors.h"

namespace tapestro::test {

namespace {
constexpr int kMaxCodes = 4096;

class BitWriter {
 public:
  void Put(int code, int size) {
    accumulator_ |= static_cast<uint32_t>(code) << filled_;
    filled_ += size;
    while (filled_ >= 8) {
      bytes_.push_back(static_cast<uint8_t>(accumulator_));
      accumulator_ >>= 8;
      filled_ -= 8;
    }
  }
  Bytes Finish() {
    if (filled_ > 0) bytes_.push_back(static_cast<uint8_t>(accumulator_));
    return bytes_;
  }

 private:
  Bytes bytes_;
  uint32_t accumulator_ = 0;
  int filled_ = 0;
};

// The encoder's table and the decoder's code width, kept in step: the decoder adds an
// entry for every code but the first after a clear, one code later than the encoder.
class LzwEncoder {
 public:
  LzwEncoder(int minimumCodeSize, const LzwOptions& options)
      : minimum_(minimumCodeSize), clear_(1 << minimumCodeSize), options_(options) {
    Reset();
  }

  Bytes Encode(std::span<const uint8_t> values) {
    if (options_.startWithClear) writer_.Put(clear_, size_);
    if (!values.empty()) {
      int prefix = values[0];
      for (size_t i = 1; i < values.size(); ++i) {
        const uint32_t key = (static_cast<uint32_t>(prefix) << 8) | values[i];
        const auto found = table_.find(key);
        if (found != table_.end()) {
          prefix = found->second;
          continue;
        }
        Emit(prefix);
        if (encoderNext_ < kMaxCodes) table_[key] = encoderNext_++;
        if (encoderNext_ == kMaxCodes && options_.clearWhenFull) {
          writer_.Put(clear_, size_);
          Reset();
        }
        prefix = values[i];
      }
      Emit(prefix);
    }
    if (options_.endWithEndCode) writer_.Put(clear_ + 1, size_);
    return writer_.Finish();
  }

 private:
  void Reset() {
    table_.clear();
    encoderNext_ = decoderNext_ = clear_ + 2;
    size_ = minimum_ + 1;
    sinceClear_ = 0;
  }
  void Emit(int code) {
    writer_.Put(code, size_);
    if (sinceClear_++ == 0 || decoderNext_ >= kMaxCodes) return;
    ++decoderNext_;
    if (decoderNext_ == (1 << size_) && size_ < 12) ++size_;
  }

  const int minimum_;
  const int clear_;
  const LzwOptions options_;
  BitWriter writer_;
  std::unordered_map<uint32_t, int> table_;
  int encoderNext_ = 0;
  int decoderNext_ = 0;
  int size_ = 0;
  int sinceClear_ = 0;
};

void PutLE16(Bytes& bytes, int value) {
  bytes.push_back(static_cast<uint8_t>(value));
  bytes.push_back(static_cast<uint8_t>(value >> 8));
}

// Written out here rather than taken from the decoder, so that a wrong pass table
// there cannot agree with itself.
constexpr int kPasses[4][2] = {{0, 8}, {4, 8}, {2, 4}, {1, 2}};

int SizeBits(int colors) {
  int bits = 0;
  while ((2 << bits) < colors) ++bits;
  return bits;
}

const std::vector<TGIFColor> kFrameColors = {{255, 0, 0}, {0, 0, 255}, {0, 255, 0}, {255, 255, 255}, {0, 0, 0}};
}  // namespace

Bytes EncodeLzw(std::span<const uint8_t> values, int minimumCodeSize, const LzwOptions& options) {
  return LzwEncoder(minimumCodeSize, options).Encode(values);
}

Bytes PackCodes(std::initializer_list<std::pair<int, int>> codes) {
  BitWriter writer;
  for (const auto& [code, size] : codes) writer.Put(code, size);
  return writer.Finish();
}

Bytes SubBlocks(std::span<const uint8_t> data, size_t blockSize, bool terminator) {
  Bytes out;
  for (size_t at = 0; at < data.size(); at += blockSize) {
    const size_t n = std::min(blockSize, data.size() - at);
    out.push_back(static_cast<uint8_t>(n));
    out.insert(out.end(), data.begin() + static_cast<long>(at), data.begin() + static_cast<long>(at + n));
  }
  if (terminator) out.push_back(0);
  return out;
}

Bytes InterlacedOrder(std::span<const uint8_t> pixels, int width, int height) {
  Bytes out;
  for (const auto& pass : kPasses)
    for (int row = pass[0]; row < height; row += pass[1])
      out.insert(out.end(), pixels.begin() + row * width, pixels.begin() + (row + 1) * width);
  return out;
}

GifBuilder& GifBuilder::Header(int width, int height, int colors, const std::string& signature) {
  bytes_.insert(bytes_.end(), signature.begin(), signature.end());
  PutLE16(bytes_, width);
  PutLE16(bytes_, height);
  bytes_.push_back(static_cast<uint8_t>(colors > 0 ? 0x80 | 0x70 | SizeBits(colors) : 0x70));
  bytes_.push_back(0);  // background colour index
  bytes_.push_back(0);  // aspect ratio
  if (colors > 0) ColorTable(colors);
  return *this;
}

GifBuilder& GifBuilder::Header(int width, int height, const std::vector<TGIFColor>& colors) {
  Header(width, height, 0);
  if (colors.empty()) return *this;
  // The packed byte, before background index and aspect ratio.
  bytes_[bytes_.size() - 3] = static_cast<uint8_t>(0x80 | 0x70 | SizeBits(static_cast<int>(colors.size())));
  ColorTable(colors);
  return *this;
}

void GifBuilder::ColorTable(const std::vector<TGIFColor>& colors) {
  const size_t entries = size_t{2} << SizeBits(static_cast<int>(colors.size()));
  for (size_t i = 0; i < entries; ++i) {
    const TGIFColor color = i < colors.size() ? colors[i] : TGIFColor{};
    Raw({color.Red, color.Green, color.Blue});
  }
}

void GifBuilder::ColorTable(int colors) {
  const int entries = 2 << SizeBits(colors);
  for (int i = 0; i < entries; ++i) {
    bytes_.push_back(static_cast<uint8_t>(i));
    bytes_.push_back(static_cast<uint8_t>(255 - i));
    bytes_.push_back(static_cast<uint8_t>(i * 7));
  }
}

GifBuilder& GifBuilder::GraphicControl(int transparentIndex, int delay, int disposal) {
  Raw({0x21, 0xF9, 0x04, (disposal << 2) | (transparentIndex >= 0 ? 1 : 0)});
  PutLE16(bytes_, delay);
  return Raw({transparentIndex >= 0 ? transparentIndex : 0, 0x00});
}

GifBuilder& GifBuilder::Comment(const std::string& text) {
  Raw({0x21, 0xFE});
  const Bytes data(text.begin(), text.end());
  return Raw(SubBlocks(data));
}

GifBuilder& GifBuilder::Application(const std::string& identifier, const std::vector<Bytes>& blocks) {
  Raw({0x21, 0xFF, static_cast<int>(identifier.size())});
  bytes_.insert(bytes_.end(), identifier.begin(), identifier.end());
  for (const Bytes& block : blocks) {
    bytes_.push_back(static_cast<uint8_t>(block.size()));
    Raw(block);
  }
  return Raw({0x00});
}

GifBuilder& GifBuilder::Image(int width, int height, std::span<const uint8_t> pixels, const ImageOptions& options) {
  bytes_.push_back(0x2C);
  PutLE16(bytes_, options.left);
  PutLE16(bytes_, options.top);
  PutLE16(bytes_, width);
  PutLE16(bytes_, height);
  int packed = options.interlaced ? 0x40 : 0;
  const int localColors =
      options.localTable.empty() ? options.localColors : static_cast<int>(options.localTable.size());
  if (localColors > 0) packed |= 0x80 | SizeBits(localColors);
  bytes_.push_back(static_cast<uint8_t>(packed));
  if (!options.localTable.empty())
    ColorTable(options.localTable);
  else if (options.localColors > 0)
    ColorTable(options.localColors);
  bytes_.push_back(static_cast<uint8_t>(options.minimumCodeSize));
  const Bytes order = options.interlaced ? InterlacedOrder(pixels, width, height) : Bytes(pixels.begin(), pixels.end());
  return Raw(SubBlocks(EncodeLzw(order, options.minimumCodeSize, options.lzw), options.subBlockSize));
}

GifBuilder& GifBuilder::Raw(std::initializer_list<int> bytes) {
  for (int b : bytes) bytes_.push_back(static_cast<uint8_t>(b));
  return *this;
}

GifBuilder& GifBuilder::Raw(std::span<const uint8_t> bytes) {
  bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
  return *this;
}

RecordingGif::RecordingGif()
    : image(std::make_unique<TGIFImage>()), warnings(std::make_shared<std::vector<Warning>>()) {
  image->WarningHandler = [list = warnings](const void* sender, int severity, const std::string& text) {
    list->push_back({sender, severity, text});
  };
}

std::vector<std::string> RecordingGif::WarningTexts() const {
  std::vector<std::string> texts;
  for (const Warning& w : *warnings) texts.push_back(w.text);
  return texts;
}

RecordingGif ReadGif(const Bytes& bytes) {
  RecordingGif gif;
  TMemoryStream stream(bytes);
  gif.image->ReadFromStream(stream);
  return gif;
}

std::string GifErrorOf(const Bytes& bytes) {
  try {
    ReadGif(bytes);
  } catch (const GIFException& e) {
    return e.what();
  }
  return "";
}

Bytes NoisePixels(size_t count, int limit, uint32_t seed) {
  Bytes out(count);
  uint32_t state = seed * 2654435761u + 1;
  for (auto& v : out) {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    v = static_cast<uint8_t>(state % static_cast<uint32_t>(limit));
  }
  return out;
}

TColor FrameColor(int index) {
  const TGIFColor& color = kFrameColors[static_cast<size_t>(index) % kFrameColors.size()];
  return RGBColor(color.Red, color.Green, color.Blue);
}

Bytes SolidAnimation(const std::vector<int>& delays, int loopCount, size_t loopFrame) {
  GifBuilder gif;
  gif.Header(2, 2, kFrameColors);
  ImageOptions options;
  options.minimumCodeSize = 3;
  for (size_t i = 0; i < delays.size(); ++i) {
    if (i == loopFrame && loopCount != kNoLoopExtension)
      gif.Application("NETSCAPE2.0", {{0x01, static_cast<uint8_t>(loopCount), static_cast<uint8_t>(loopCount >> 8)}});
    if (delays[i] != kNoGraphicControl) gif.GraphicControl(-1, delays[i], 1);
    gif.Image(2, 2, Bytes(4, static_cast<uint8_t>(i % kFrameColors.size())), options);
  }
  return gif.Trailer().Get();
}

Bytes IndicesOf(const TGIFSubImage& sub) {
  Bytes indices;
  if (sub.Empty()) return indices;
  for (int32_t y = 0; y < sub.Height(); ++y) indices.insert(indices.end(), sub.Row(y), sub.Row(y) + sub.Width());
  return indices;
}

std::vector<Bytes> BlocksOf(const TGIFSubBlocks& blocks) {
  std::vector<Bytes> out;
  for (const TGIFBlock block : blocks) out.emplace_back(block.begin(), block.end());
  return out;
}

std::vector<std::string> LinesOf(const TGIFSubBlocks& blocks) {
  std::vector<std::string> out;
  for (const TGIFBlock block : blocks) out.emplace_back(TextLine(block));
  return out;
}

}  // namespace tapestro::test
