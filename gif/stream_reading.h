#pragma once
// Bounded reads for the GIF reader: a fixed-size field either arrives whole or the
// read ends with "Premature end of data"; nothing is ever read past the stream's end.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tapestro {

class TStream;

// Exactly count bytes, or GIFException "Premature end of data".
void ReadOrFail(TStream& stream, void* buffer, size_t count);
uint8_t ReadByteOrFail(TStream& stream);
// Moves back over the byte just read, so the next reader sees it again.
void StepBack(TStream& stream);
// Moves on count bytes; past the end the next read simply finds nothing.
void Skip(TStream& stream, size_t count);

// Data sub-blocks ending with a zero size byte, each kept as one line of text that ends
// at its first zero byte. The end of the stream ends the text.
std::vector<std::string> ReadTextSubBlocks(TStream& stream);
// Passes over data sub-blocks up to and including the zero size byte, or the end.
void SkipSubBlocks(TStream& stream);

inline uint16_t LittleEndian16(const uint8_t* bytes) {
  return static_cast<uint16_t>(bytes[0] | (bytes[1] << 8));
}
inline uint32_t LittleEndian32(const uint8_t* bytes) {
  return static_cast<uint32_t>(bytes[0]) | (static_cast<uint32_t>(bytes[1]) << 8) |
         (static_cast<uint32_t>(bytes[2]) << 16) | (static_cast<uint32_t>(bytes[3]) << 24);
}

}  // namespace tapestro
