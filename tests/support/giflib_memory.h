#pragma once
// Feeds giflib, the reference decoder of the GIF tests and benchmarks, from bytes in
// memory. Only files that link giflib include this.
#include <gif_lib.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace tapestro::test {

struct GiflibMemoryInput {
  const std::vector<uint8_t>* bytes;
  size_t at = 0;
};

// The InputFunc of DGifOpen; its user data is a GiflibMemoryInput.
inline int ReadGiflibMemory(GifFileType* file, GifByteType* out, int count) {
  auto* input = static_cast<GiflibMemoryInput*>(file->UserData);
  const size_t n = std::min(static_cast<size_t>(count), input->bytes->size() - input->at);
  std::memcpy(out, input->bytes->data() + input->at, n);
  input->at += n;
  return static_cast<int>(n);
}

}  // namespace tapestro::test
