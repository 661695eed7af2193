#pragma once
// The library's data source over the held file bytes, fed in blocks of
// kJpegSourceBlock. When the bytes run out after at least one block, the source
// supplies an end-of-image marker and the library only warns, so cut files decode as
// far as their data goes; with no bytes at all the library fails with
// JERR_INPUT_EMPTY (#42).
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <span>
// jpeglib.h uses size_t and FILE without including their headers.
#include <jpeglib.h>

namespace tapestro {

struct TJpegMemorySource : jpeg_source_mgr {
  explicit TJpegMemorySource(std::span<const uint8_t> file);

  std::span<const uint8_t> File;
  size_t Position = 0;  // of the next block
};

}  // namespace tapestro
