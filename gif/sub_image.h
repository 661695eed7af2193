#pragma once
// TGIFSubImage: one image of a GIF stream with the extensions before it, its own
// colour table and its decoded colour indices.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "gif/color_map.h"
#include "gif/extension_list.h"
#include "gif/item.h"

namespace tapestro {

class TGIFGraphicControlExtension;

struct TImageDescriptor {
  static constexpr size_t kSize = 10;
  static constexpr uint8_t kLocalColorTable = 0x80;
  static constexpr uint8_t kInterlaced = 0x40;

  uint8_t Separator = 0x2C;
  uint16_t Left = 0;
  uint16_t Top = 0;
  uint16_t Width = 0;
  uint16_t Height = 0;
  uint8_t PackedFields = 0;  // bit 7 local table, bit 6 interlaced, bit 5 sorted, bits 0-2 size
};

class TGIFSubImage final : public TGIFItem {
 public:
  explicit TGIFSubImage(TGIFImage& image);

  const TImageDescriptor& Descriptor() const { return descriptor_; }
  uint16_t Left() const { return descriptor_.Left; }
  uint16_t Top() const { return descriptor_.Top; }
  uint16_t Width() const { return descriptor_.Width; }
  uint16_t Height() const { return descriptor_.Height; }
  bool Interlaced() const { return descriptor_.PackedFields & TImageDescriptor::kInterlaced; }
  // No pixels: a group of extensions without an image, or an image of no area.
  bool Empty() const { return pixels_.empty() || Width() == 0 || Height() == 0; }

  TGIFLocalColorMap& ColorMap() { return colorMap_; }
  const TGIFLocalColorMap& ColorMap() const { return colorMap_; }
  TGIFExtensionList& Extensions() { return extensions_; }
  const TGIFExtensionList& Extensions() const { return extensions_; }

  // Width x Height colour indices, rows top to bottom; empty without an image.
  std::span<const uint8_t> Data() const { return pixels_; }
  // Set when any graphic control extension of this sub-image gives a transparent index.
  bool Transparent() const { return transparent_; }
  void SetTransparent() { transparent_ = true; }
  // The first graphic control extension read for this sub-image (its list owns it).
  TGIFGraphicControlExtension* GraphicControlExtension() const { return graphicControl_; }
  void SetGraphicControlExtension(TGIFGraphicControlExtension* extension) { graphicControl_ = extension; }

  // Clears, then reads the extensions and, when one follows, the image with its
  // colour table and data.
  void ReadFromStream(TStream& stream) override;
  // Reads the LZW data behind the descriptor into the pixel buffer (see lzw_decoder.h).
  void DecodeImageData(TStream& stream);

 private:
  void Clear();
  void ReadImageDescriptor(TStream& stream);
  // The pixel buffer, filled with the index that pixels the data never reach keep.
  void AllocatePixels();
  uint8_t FillIndex() const;

  TImageDescriptor descriptor_;
  TGIFLocalColorMap colorMap_;
  bool transparent_ = false;
  // Declared before the list that owns it, so it outlives the list's extensions.
  TGIFGraphicControlExtension* graphicControl_ = nullptr;
  TGIFExtensionList extensions_;
  std::vector<uint8_t> pixels_;
};

}  // namespace tapestro
