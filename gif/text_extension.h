#pragma once
// TGIFTextExtension (label 0x01): a plain-text block and its text.
#include <cstddef>
#include <string>
#include <vector>

#include "gif/extensions.h"

namespace tapestro {

struct TPlainTextBlock {
  static constexpr size_t kSize = 13;

  uint8_t BlockSize = 12;
  uint16_t Left = 0;
  uint16_t Top = 0;
  uint16_t GridWidth = 0;
  uint16_t GridHeight = 0;
  uint8_t CellWidth = 0;
  uint8_t CellHeight = 0;
  uint8_t ForegroundColorIndex = 0;
  uint8_t BackgroundColorIndex = 0;
};

class TGIFTextExtension final : public TGIFExtension {
 public:
  static const TGIFExtensionClass Class;

  using TGIFExtension::TGIFExtension;

  const TGIFExtensionClass& ClassType() const override { return Class; }
  const TPlainTextBlock& Block() const { return block_; }
  const std::vector<std::string>& Text() const { return text_; }

 protected:
  void ReadBody(TStream& stream) override;

 private:
  TPlainTextBlock block_;
  std::vector<std::string> text_;
};

}  // namespace tapestro
