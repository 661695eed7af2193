#include "gif/loop_extension.h"

#include <array>
#include <cstring>

#include "base/stream.h"
#include "gif/errors.h"
#include "gif/reader.h"

namespace tapestro {

const TGIFExtensionClass TGIFAppExtNSLoop::Class{
    "TGIFAppExtNSLoop", 0xFF, RefineApplicationClass,
    [](TGIFSubImage& parent) -> std::unique_ptr<TGIFExtension> { return std::make_unique<TGIFAppExtNSLoop>(parent); }};

TGIFAppExtNSLoop::TGIFAppExtNSLoop(TGIFSubImage& parent) : TGIFApplicationExtension(parent) {
  std::memcpy(identifier_.data(), "NETSCAPE2.0", identifier_.size());
}

void TGIFAppExtNSLoop::ReadAppData(TStream& stream) {
  uint8_t size = 0;
  while (stream.ReadByte(size) && size != 0) ReadSubBlock(stream, size);
}

void TGIFAppExtNSLoop::ReadSubBlock(TStream& stream, uint8_t size) {
  constexpr uint8_t kLoopCountBlock = 3;   // id + 16 bits
  constexpr uint8_t kBufferSizeBlock = 5;  // id + 32 bits
  const uint8_t id = ReadByteOrFail(stream) & 7;
  std::array<uint8_t, 4> field{};
  if (id == kLoopCountId) {
    if (size < kLoopCountBlock) throw GIFException(msg::kGifInvalidData);
    ReadOrFail(stream, field.data(), 2);
    loopCount_ = LittleEndian16(field.data());
    Skip(stream, size - kLoopCountBlock);
  } else if (id == kBufferSizeId) {
    if (size < kBufferSizeBlock) throw GIFException(msg::kGifInvalidData);
    ReadOrFail(stream, field.data(), 4);
    bufferSize_ = LittleEndian32(field.data());
    Skip(stream, size - kBufferSizeBlock);
  } else {
    Skip(stream, size - 1);
  }
}

}  // namespace tapestro
