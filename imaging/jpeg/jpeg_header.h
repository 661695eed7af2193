#pragma once
// What a JPEG file's header says, read without decoding any pixel.
#include <cstdint>
#include <span>

#include "imaging/jpeg/jpeg_data.h"
#include "imaging/jpeg/jpeg_options.h"

namespace tapestro {

// Width, height, colour space and scans into facts; EJPEG when the header cannot be
// read or announces a picture over the limits.
void ReadJpegHeader(std::span<const uint8_t> file, TJPEGData& facts);

struct TJpegSize {
  int32_t Width = 0;
  int32_t Height = 0;
};

// The size the options' scale gives, as the library computes it.
TJpegSize JpegScaledSize(std::span<const uint8_t> file, const TJPEGOptions& options);

}  // namespace tapestro
