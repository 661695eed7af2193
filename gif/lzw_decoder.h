#pragma once
// The variable-width LZW decoder of GIF image data: a bit reader over data
// sub-blocks (ReadCode), the string table (DecodeNext) and the string stack
// (NextPixel), and the rows it fills, in order or interlaced. Tables have fixed sizes
// and every code is checked against them.
#include <cstddef>
#include <cstdint>

namespace tapestro {

class TStream;
class TGIFItem;

// The row order of interlaced images: four passes over the rows, each starting at its
// first row and stepping by its step.
struct TInterlacePass {
  int FirstRow;
  int Step;
};

inline constexpr TInterlacePass kInterlacePasses[] = {{0, 8}, {4, 8}, {2, 4}, {1, 2}};

// Calls visit(row) for the rows of a picture in the order its data stores them: top to
// bottom, or in the passes of an interlaced image; stops when visit answers false.
template <typename Visit>
void VisitRowsInDataOrder(size_t height, bool interlaced, Visit visit) {
  if (!interlaced) {
    for (size_t row = 0; row < height; ++row)
      if (!visit(row)) return;
    return;
  }
  for (const TInterlacePass& pass : kInterlacePasses)
    for (size_t row = static_cast<size_t>(pass.FirstRow); row < height; row += static_cast<size_t>(pass.Step))
      if (!visit(row)) return;
}

// Where decoded rows go: row y (0 = top) starts at Top + y x Stride (a negative stride
// for rows stored bottom first).
struct TRowTarget {
  uint8_t* Top = nullptr;
  ptrdiff_t Stride = 0;
  size_t Width = 0;
  size_t Height = 0;
  uint8_t* Row(size_t y) const { return Top + static_cast<ptrdiff_t>(y) * Stride; }
};

class TLZWDecoder {
 public:
  static constexpr int kMaxCodeBits = 12;
  static constexpr int kTableSize = 1 << kMaxCodeBits;  // codes 0..4095
  // Longest string a sound table can hold, with room to spare; a longer prefix
  // chain can only come from a table entry that loops.
  static constexpr int kStackSize = 2 * kTableSize;
  // Above 11 the clear code would be 4096 and codes wider than the tables.
  static constexpr int kMaxMinimumCodeSize = kMaxCodeBits - 1;
  static constexpr int kMaxSubBlockSize = 255;
  // The last two bytes of the previous sub-block stay in front of the current one,
  // so a code may start in one sub-block and end in the next.
  static constexpr int kCarriedBytes = 2;
  // Behind the data, so that a three-byte read at its end stays inside the buffer.
  static constexpr int kSpareBytes = 2;
  static constexpr int kBitBufferSize = kCarriedBytes + kMaxSubBlockSize + kSpareBytes;

  // Results below zero: the data ran out, or the end code came.
  static constexpr int kDataEnded = -1;
  static constexpr int kEndCodeMet = -2;

  // minimumCodeSize: the first byte of the image data, at most kMaxMinimumCodeSize.
  // Warnings go to reporter.
  TLZWDecoder(TStream& stream, int minimumCodeSize, TGIFItem& reporter);
  TLZWDecoder(const TLZWDecoder&) = delete;
  TLZWDecoder& operator=(const TLZWDecoder&) = delete;

  // The next decoded value, kDataEnded or kEndCodeMet.
  int NextPixel();
  // Stores the next count values as bytes and answers how many were stored: fewer when
  // the data ran out or the end code came. The same as count calls of NextPixel,
  // without the calls.
  size_t Fill(uint8_t* out, size_t count);
  // Stores a picture's values row by row in data order (VisitRowsInDataOrder). Answers
  // how many were stored, fewer than width x height when the data stopped early.
  size_t DecodeRows(const TRowTarget& target, bool interlaced);

 private:
  // The next code of size bits, least significant bit first, or kDataEnded.
  int ReadCode(int size);
  // Loads data sub-blocks until a code of size bits is in the buffer.
  bool LoadSubBlock(int size);
  // The first value of the next code's string (the rest waits on the stack),
  // kDataEnded or kEndCodeMet.
  int DecodeNext();
  // After a clear code: empties the table and answers the first code that follows.
  int Restart();
  // The end code: the rest of the image data is passed over.
  int EndOfData();
  // Previous string plus the first value of the current one, while the table has room.
  void AddEntry();
  void Push(uint8_t value);

  TStream& stream_;
  TGIFItem& reporter_;
  const int minimumCodeSize_;
  const int clearCode_;
  const int endCode_;
  int codeSize_;
  int nextCode_;
  int threshold_;
  int firstValue_ = 0;
  int previousCode_ = 0;
  bool fresh_ = true;
  bool done_ = false;
  bool endBlockSeen_ = false;
  bool endCodeMet_ = false;

  int bitPosition_ = 0;
  int bitLimit_ = 0;
  int lastLength_ = kCarriedBytes;
  int stackTop_ = 0;

  uint16_t prefix_[kTableSize];
  // Values are pixels: only their low 8 bits are ever stored, so 8 bits suffice.
  uint8_t suffix_[kTableSize];
  uint8_t stack_[kStackSize];
  uint8_t bits_[kBitBufferSize];
};

}  // namespace tapestro
