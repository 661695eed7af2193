#pragma once
// TGIFAppExtNSLoop: the looping extension ("NETSCAPE2.0" or "ANIMEXTS1.0") that says
// how often an animation plays and how much it should buffer.
#include <cstdint>

#include "gif/application_extension.h"

namespace tapestro {

class TGIFAppExtNSLoop final : public TGIFApplicationExtension {
 public:
  static const TGIFExtensionClass Class;
  static constexpr uint8_t kLoopCountId = 1;   // then a 16-bit loop count
  static constexpr uint8_t kBufferSizeId = 2;  // then a 32-bit buffer size

  explicit TGIFAppExtNSLoop(TGIFSubImage& parent);

  const TGIFExtensionClass& ClassType() const override { return Class; }
  // 0 means play without end.
  uint16_t LoopCount() const { return loopCount_; }
  uint32_t BufferSize() const { return bufferSize_; }

 protected:
  void ReadAppData(TStream& stream) override;

 private:
  void ReadSubBlock(TStream& stream, uint8_t size);

  uint16_t loopCount_ = 0;
  uint32_t bufferSize_ = 0;
};

}  // namespace tapestro
