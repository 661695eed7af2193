#pragma once
// TGIFGraphicControlExtension (label 0xF9): transparency, delay and disposal of the
// image that follows.
#include <cstddef>
#include "gif/extensions.h"

namespace tapestro {

struct TGraphicControlBlock {
  static constexpr size_t kSize = 6;
  static constexpr uint8_t kTransparentFlag = 0x01;
  static constexpr uint8_t kUserInputFlag = 0x02;

  uint8_t BlockSize = 4;
  uint8_t PackedFields = 0;  // bit 0 transparent index given, bit 1 user input, bits 2-4 disposal
  uint16_t DelayTime = 0;    // hundredths of a second
  uint8_t TransparentColorIndex = 0;
  uint8_t Terminator = 0;
};

class TGIFGraphicControlExtension final : public TGIFExtension {
 public:
  static const TGIFExtensionClass Class;

  // The first one made for a sub-image becomes that sub-image's graphic control.
  explicit TGIFGraphicControlExtension(TGIFSubImage& parent);
  ~TGIFGraphicControlExtension() override;

  const TGIFExtensionClass& ClassType() const override { return Class; }
  const TGraphicControlBlock& Block() const { return block_; }
  bool Transparent() const { return block_.PackedFields & TGraphicControlBlock::kTransparentFlag; }
  bool UserInput() const { return block_.PackedFields & TGraphicControlBlock::kUserInputFlag; }
  int Disposal() const { return (block_.PackedFields >> 2) & 7; }
  uint16_t Delay() const { return block_.DelayTime; }
  uint8_t TransparentColorIndex() const { return block_.TransparentColorIndex; }

 protected:
  // A block cut short only warns: the sub-image then stays opaque.
  void ReadBody(TStream& stream) override;

 private:
  TGraphicControlBlock block_;
};

}  // namespace tapestro
