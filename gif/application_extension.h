#pragma once
// TGIFApplicationExtension (label 0xFF): an application's identifier followed by data
// sub-blocks that only the kinds below know how to read.
#include <array>
#include <cstdint>

#include "gif/extensions.h"

namespace tapestro {

// 8 bytes of application name and 3 bytes of authentication code.
using TAppIdentifier = std::array<uint8_t, 11>;

// The refinement shared by every application kind: the block size byte and the
// identifier behind it pick the registered kind, or the unknown kind; anything else
// keeps self with the stream where it was.
const TGIFExtensionClass* RefineApplicationClass(const TGIFExtensionClass& self, TStream& stream);

class TGIFApplicationExtension : public TGIFExtension {
 public:
  // Resolving to this class means the block did not say which kind it is; an instance
  // made from it reads its data as an unknown application's raw sub-blocks.
  static const TGIFExtensionClass Class;
  static constexpr uint8_t kShortBlockSize = 10;  // identifier without its last byte
  static constexpr uint8_t kBlockSize = 11;

  using TGIFExtension::TGIFExtension;

  const TAppIdentifier& Identifier() const { return identifier_; }

 protected:
  // Block size and identifier, then the kind's data.
  void ReadBody(TStream& stream) final;
  virtual void ReadAppData(TStream& stream) = 0;

  TAppIdentifier identifier_{};
};

}  // namespace tapestro
