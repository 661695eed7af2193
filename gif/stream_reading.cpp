#include "gif/stream_reading.h"

#include <cstring>

#include "base/stream.h"
#include "gif/errors.h"

namespace tapestro {

void ReadOrFail(TStream& stream, void* buffer, size_t count) {
  if (count != 0 && stream.Read(buffer, count) != count) throw GIFException(msg::kGifPrematureEnd);
}

uint8_t ReadByteOrFail(TStream& stream) {
  uint8_t value = 0;
  ReadOrFail(stream, &value, 1);
  return value;
}

void StepBack(TStream& stream) { stream.Seek(-1, SeekOrigin::Current); }

void Skip(TStream& stream, size_t count) {
  if (count != 0) stream.Seek(static_cast<int64_t>(count), SeekOrigin::Current);
}

std::vector<std::string> ReadTextSubBlocks(TStream& stream) {
  std::vector<std::string> lines;
  uint8_t size = 0;
  char block[255];
  while (stream.ReadByte(size) && size != 0) {
    ReadOrFail(stream, block, size);
    lines.emplace_back(block, ::strnlen(block, size));
  }
  return lines;
}

void SkipSubBlocks(TStream& stream) {
  uint8_t size = 0;
  while (stream.ReadByte(size) && size != 0) Skip(stream, size);
}

}  // namespace tapestro
