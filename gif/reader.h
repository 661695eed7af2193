#pragma once
// What every step of reading a GIF stream shares: the bytes that start blocks, bounded
// reads (a fixed-size field arrives whole or the read ends with "Premature end of
// data"; nothing is read past the stream's end), data sub-blocks, the item and list
// bases that hand warnings to their image, colour tables, and the header: signature,
// logical screen descriptor and global colour table. gif/README.md walks one file.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "imaging/color.h"

namespace tapestro {

class TGIFImage;
class TStream;

// The introducer bytes that start the blocks of a GIF stream.
inline constexpr uint8_t kExtensionIntroducer = 0x21;  // '!'
inline constexpr uint8_t kImageSeparator = 0x2C;       // ','
inline constexpr uint8_t kTrailer = 0x3B;              // ';'

// Exactly count bytes, or GIFException "Premature end of data".
void ReadOrFail(TStream& stream, void* buffer, size_t count);
uint8_t ReadByteOrFail(TStream& stream);
// Moves back over the byte just read, so the next reader sees it again.
void StepBack(TStream& stream);
// Moves on count bytes; past the end the next read simply finds nothing.
void Skip(TStream& stream, size_t count);

// Passes over data sub-blocks up to and including the zero size byte, or the end.
void SkipSubBlocks(TStream& stream);

// One data sub-block: its bytes (the size byte is their count).
using TGIFBlock = std::span<const uint8_t>;
// A line of text: a sub-block up to its first zero byte.
std::string_view TextLine(TGIFBlock block);

// The data sub-blocks of one extension, kept in one buffer as the file stores them (a
// size byte, then that many bytes, repeated), so that what a read keeps is at most the
// bytes it read, however short the sub-blocks are. Iterating gives each sub-block.
class TGIFSubBlocks {
 public:
  class Iterator {
   public:
    explicit Iterator(const uint8_t* at) : at_(at) {}
    TGIFBlock operator*() const { return {at_ + 1, at_[0]}; }
    Iterator& operator++() {
      at_ += 1 + at_[0];
      return *this;
    }
    bool operator==(const Iterator&) const = default;

   private:
    const uint8_t* at_;
  };

  // Sub-blocks up to and including the zero size byte; the end of the stream ends them
  // too. A sub-block cut short raises "Premature end of data"; each one is charged to
  // the image's read in progress (TGIFImage::ClaimKeptBytes) before it is kept.
  void ReadFromStream(TStream& stream, TGIFImage& image);
  size_t Count() const { return count_; }
  bool Empty() const { return count_ == 0; }
  Iterator begin() const { return Iterator(bytes_.data()); }
  Iterator end() const { return Iterator(bytes_.data() + bytes_.size()); }

 private:
  std::vector<uint8_t> bytes_;
  size_t count_ = 0;
};

inline uint16_t LittleEndian16(const uint8_t* bytes) { return static_cast<uint16_t>(bytes[0] | (bytes[1] << 8)); }
inline uint32_t LittleEndian32(const uint8_t* bytes) {
  return static_cast<uint32_t>(bytes[0]) | (static_cast<uint32_t>(bytes[1]) << 8) |
         (static_cast<uint32_t>(bytes[2]) << 16) | (static_cast<uint32_t>(bytes[3]) << 24);
}

// TGIFItem: the base of every part of a GIF image that is read from the stream.
class TGIFItem {
 public:
  explicit TGIFItem(TGIFImage& image) : image_(&image) {}
  virtual ~TGIFItem() = default;
  TGIFItem(const TGIFItem&) = delete;
  TGIFItem& operator=(const TGIFItem&) = delete;

  TGIFImage& Image() const { return *image_; }
  // Hands the warning to the owner image with this item as its sender.
  virtual void ReportWarning(int severity, const std::string& text);
  virtual void ReadFromStream(TStream& stream) = 0;

 private:
  TGIFImage* image_;
};

// TGIFList: an owning, ordered list of GIF items. Its kinds hand out their own item type.
class TGIFList {
 public:
  explicit TGIFList(TGIFImage& image) : image_(&image) {}
  virtual ~TGIFList() = default;
  TGIFList(const TGIFList&) = delete;
  TGIFList& operator=(const TGIFList&) = delete;

  int Count() const { return static_cast<int>(items_.size()); }
  TGIFImage& Image() const { return *image_; }
  // Frees the items from the front until the list is empty.
  void Clear();
  // Hands the warning to the owner image with this list as its sender.
  virtual void ReportWarning(int severity, const std::string& text);

 protected:
  // EListError "List index out of bounds (%d)" outside 0..Count()-1.
  TGIFItem& ItemAt(int index) const;
  void Append(std::unique_ptr<TGIFItem> item) { items_.push_back(std::move(item)); }

 private:
  TGIFImage* image_;
  std::vector<std::unique_ptr<TGIFItem>> items_;
};

// Colour tables as stored in the file: red, green, blue per entry, in file order.
struct TGIFColor {
  uint8_t Red = 0;
  uint8_t Green = 0;
  uint8_t Blue = 0;
  friend bool operator==(const TGIFColor&, const TGIFColor&) = default;
};

class TGIFColorMap {
 public:
  static constexpr int kMaxColors = 256;

  virtual ~TGIFColorMap() = default;

  int Count() const { return static_cast<int>(colors_.size()); }
  bool Empty() const { return colors_.empty(); }
  const TGIFColor& operator[](int index) const { return colors_[static_cast<size_t>(index)]; }
  const std::vector<TGIFColor>& Colors() const { return colors_; }
  void Clear();
  // Replaces the entries by count entries (2 to 256) read from the stream; a table cut
  // short raises "Premature end of data" and leaves the map as it was.
  void ReadFromStream(TStream& stream, int count);

  // A palette of the entries in order, each with the no-collapse flag; none when empty.
  HPALETTE MakePalette() const;

  // The entry count announced by a packed byte: 2 << (packed AND 7).
  static int CountFromPacked(uint8_t packed) { return 2 << (packed & 7); }

 private:
  std::vector<TGIFColor> colors_;
};

// The logical screen's table (owned by the header).
class TGIFGlobalColorMap final : public TGIFColorMap {};
// A sub-image's own table.
class TGIFLocalColorMap final : public TGIFColorMap {};

struct TLogicalScreenDescriptor {
  static constexpr size_t kSize = 7;
  static constexpr uint8_t kGlobalColorTable = 0x80;

  uint16_t ScreenWidth = 0;
  uint16_t ScreenHeight = 0;
  uint8_t PackedFields = 0;  // bit 7 global table, bits 4-6 colour resolution, bit 3 sorted, bits 0-2 size
  uint8_t BackgroundColorIndex = 0;
  uint8_t AspectRatio = 0;
};

// TGIFHeader: signature, logical screen descriptor and global colour table.
class TGIFHeader final : public TGIFItem {
 public:
  // How far into the stream the signature may start: some files carry a 4-byte prefix.
  static constexpr int kSignatureSlack = 4;

  using TGIFItem::TGIFItem;

  const TLogicalScreenDescriptor& Descriptor() const { return descriptor_; }
  uint16_t Width() const { return descriptor_.ScreenWidth; }
  uint16_t Height() const { return descriptor_.ScreenHeight; }
  uint8_t BackgroundColorIndex() const { return descriptor_.BackgroundColorIndex; }
  TGIFGlobalColorMap& ColorMap() { return colorMap_; }
  const TGIFGlobalColorMap& ColorMap() const { return colorMap_; }

  // Signature (any letter case, at the start or 4 bytes on), version (ignored),
  // screen descriptor, global colour table. The screen may be of any size: only what
  // is allocated later is bounded.
  void ReadFromStream(TStream& stream) override;

 private:
  void ReadSignature(TStream& stream);
  void ReadScreenDescriptor(TStream& stream);

  TLogicalScreenDescriptor descriptor_;
  TGIFGlobalColorMap colorMap_;
};

}  // namespace tapestro
