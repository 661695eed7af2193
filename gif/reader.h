#pragma once
// TGIFHeader: signature, logical screen descriptor and global colour table.
#include <cstddef>
#include <cstdint>

#include "gif/color_map.h"
#include "gif/item.h"

namespace tapestro {

struct TLogicalScreenDescriptor {
  static constexpr size_t kSize = 7;
  static constexpr uint8_t kGlobalColorTable = 0x80;

  uint16_t ScreenWidth = 0;
  uint16_t ScreenHeight = 0;
  uint8_t PackedFields = 0;  // bit 7 global table, bits 4-6 colour resolution, bit 3 sorted, bits 0-2 size
  uint8_t BackgroundColorIndex = 0;
  uint8_t AspectRatio = 0;
};

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
  // screen descriptor, global colour table. A screen above the image limit fails.
  void ReadFromStream(TStream& stream) override;

 private:
  void ReadSignature(TStream& stream);
  void ReadScreenDescriptor(TStream& stream);

  TLogicalScreenDescriptor descriptor_;
  TGIFGlobalColorMap colorMap_;
};

}  // namespace tapestro
