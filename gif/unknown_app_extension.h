#pragma once
// TGIFUnknownAppExtension: an application extension we do not interpret; its data
// sub-blocks are kept as they were read.
#include <cstdint>
#include <vector>

#include "gif/application_extension.h"

namespace tapestro {

// One data sub-block: its bytes (the size byte is their count).
struct TGIFBlock {
  std::vector<uint8_t> Data;
  size_t Size() const { return Data.size(); }
};

class TGIFUnknownAppExtension final : public TGIFApplicationExtension {
 public:
  static const TGIFExtensionClass Class;

  using TGIFApplicationExtension::TGIFApplicationExtension;

  const TGIFExtensionClass& ClassType() const override { return Class; }
  const std::vector<TGIFBlock>& Blocks() const { return blocks_; }

 protected:
  void ReadAppData(TStream& stream) override;

 private:
  std::vector<TGIFBlock> blocks_;
};

}  // namespace tapestro
