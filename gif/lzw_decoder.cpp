#include "gif/lzw_decoder.h"

#include <algorithm>
#include <cstring>

#include "base/stream.h"
#include "gif/errors.h"
#include "gif/reader.h"

namespace tapestro {

namespace {
constexpr int kBitsPerByte = 8;
constexpr int kCarriedBits = TLZWDecoder::kCarriedBytes * kBitsPerByte;
constexpr uint16_t kCodeMask[16] = {0x0000, 0x0001, 0x0003, 0x0007, 0x000F, 0x001F, 0x003F, 0x007F,
                                    0x00FF, 0x01FF, 0x03FF, 0x07FF, 0x0FFF, 0x1FFF, 0x3FFF, 0x7FFF};
}  // namespace

TLZWDecoder::TLZWDecoder(TStream& stream, int minimumCodeSize, TGIFItem& reporter)
    : stream_(stream),
      reporter_(reporter),
      minimumCodeSize_(minimumCodeSize),
      clearCode_(1 << minimumCodeSize),
      endCode_(clearCode_ + 1),
      codeSize_(minimumCodeSize + 1),
      nextCode_(clearCode_ + 2),
      threshold_(2 * clearCode_) {
  // Literals stand for themselves; every other entry starts empty (a code past the
  // table after a clear code reads such an entry). A clear code later only has to empty
  // the entries added since (see Restart).
  std::memset(prefix_, 0, sizeof prefix_);
  std::memset(suffix_, 0, sizeof suffix_);
  for (int i = 0; i < clearCode_; ++i) suffix_[i] = static_cast<uint8_t>(i);
  std::memset(bits_, 0, sizeof bits_);
}

int TLZWDecoder::NextPixel() { return stackTop_ > 0 ? stack_[--stackTop_] : DecodeNext(); }

size_t TLZWDecoder::Fill(uint8_t* out, size_t count) {
  size_t stored = 0;
  while (stored < count) {
    if (stackTop_ == 0) {
      const int value = DecodeNext();
      if (value < 0) return stored;
      out[stored++] = static_cast<uint8_t>(value);
      continue;
    }
    // The string lies reversed on the stack: hand out as much of it as fits.
    size_t n = std::min(static_cast<size_t>(stackTop_), count - stored);
    while (n-- > 0) out[stored++] = stack_[--stackTop_];
  }
  return stored;
}

size_t TLZWDecoder::DecodeRows(const TRowTarget& target, bool interlaced) {
  size_t stored = 0;
  VisitRowsInDataOrder(target.Height, interlaced, [&](size_t row) {
    const size_t got = Fill(target.Row(row), target.Width);
    stored += got;
    return got == target.Width;
  });
  return stored;
}

int TLZWDecoder::ReadCode(int size) {
  if (fresh_) {
    // Data that does not start with a clear code is decoded as if it did.
    fresh_ = false;
    return clearCode_;
  }
  // A code that ends exactly at the end of the buffer still loads the next sub-block
  // first, so that a terminator behind the last code is consumed.
  if (bitPosition_ + size >= bitLimit_ && !LoadSubBlock(size)) return kDataEnded;
  const int at = bitPosition_ / kBitsPerByte;
  const uint32_t window = bits_[at] | (bits_[at + 1] << 8) | (bits_[at + 2] << 16);
  const int code = static_cast<int>((window >> (bitPosition_ % kBitsPerByte)) & kCodeMask[size]);
  bitPosition_ += size;
  return code;
}

bool TLZWDecoder::LoadSubBlock(int size) {
  // Usually one sub-block; more only when sub-blocks are so short that a code spans
  // several of them. The unread bits always lie within the two carried bytes.
  for (;;) {
    if (done_) {
      reporter_.ReportWarning(1, msg::kGifBitBufferUnderrun);
      return false;
    }
    bits_[0] = bits_[lastLength_ - 2];
    bits_[1] = bits_[lastLength_ - 1];
    uint8_t length = 0;
    if (!stream_.ReadByte(length)) return false;
    size_t got = 0;
    if (length == 0) {
      endBlockSeen_ = done_ = true;
    } else {
      got = stream_.Read(bits_ + kCarriedBytes, length);
      if (got < length) reporter_.ReportWarning(1, msg::kGifPrematureEnd);
    }
    lastLength_ = static_cast<int>(got) + kCarriedBytes;
    bitPosition_ += kCarriedBits - bitLimit_;
    bitLimit_ = lastLength_ * kBitsPerByte;
    if (bitPosition_ + size <= bitLimit_) return true;
  }
}

int TLZWDecoder::DecodeNext() {
  if (endCodeMet_) return kEndCodeMet;
  int code = ReadCode(codeSize_);
  if (code < 0) return code;
  if (code == clearCode_) return Restart();
  if (code == endCode_) return EndOfData();

  const int inCode = code;
  if (code >= nextCode_) {
    // Not in the table yet (or beyond it): the previous string plus its own first value.
    Push(static_cast<uint8_t>(firstValue_));
    code = previousCode_;
  }
  while (code >= clearCode_) {
    Push(suffix_[code]);
    if (prefix_[code] == code) throw GIFException(msg::kGifCircularTableEntry);
    code = prefix_[code];
  }
  firstValue_ = suffix_[code];
  Push(static_cast<uint8_t>(firstValue_));
  AddEntry();
  previousCode_ = inCode;
  return stack_[--stackTop_];
}

void TLZWDecoder::AddEntry() {
  // Once the table is full it stays so, with 12-bit codes, until a clear code.
  if (nextCode_ >= kTableSize) return;
  prefix_[nextCode_] = static_cast<uint16_t>(previousCode_);
  suffix_[nextCode_] = static_cast<uint8_t>(firstValue_);
  ++nextCode_;
  if (nextCode_ >= threshold_ && threshold_ < kTableSize) {
    threshold_ *= 2;
    ++codeSize_;
  }
}

int TLZWDecoder::Restart() {
  std::fill(prefix_ + clearCode_ + 2, prefix_ + nextCode_, 0);
  std::fill(suffix_ + clearCode_ + 2, suffix_ + nextCode_, 0);
  codeSize_ = minimumCodeSize_ + 1;
  threshold_ = 2 * clearCode_;
  nextCode_ = clearCode_ + 2;
  stackTop_ = 0;
  int code = 0;
  do {
    code = ReadCode(codeSize_);
  } while (code == clearCode_);
  if (code < 0) return code;
  // An end code right after a clear code ends the data like anywhere else; it is
  // never a pixel.
  if (code == endCode_) return EndOfData();
  firstValue_ = previousCode_ = code;
  return code;
}

int TLZWDecoder::EndOfData() {
  endCodeMet_ = true;
  if (!endBlockSeen_) SkipSubBlocks(stream_);
  return kEndCodeMet;
}

void TLZWDecoder::Push(uint8_t value) {
  // Only a prefix chain that loops through several entries can fill the stack.
  if (stackTop_ == kStackSize) throw GIFException(msg::kGifCircularTableEntry);
  stack_[stackTop_++] = value;
}

}  // namespace tapestro
