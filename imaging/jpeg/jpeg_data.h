#pragma once
// The file behind a TJPEGImage, shared by reference between images assigned from one
// another and released with its last user: the complete file bytes and the facts its
// header gave.
#include <cstdint>
#include <optional>
#include <vector>

#include "imaging/graphic.h"

namespace tapestro {

class TJPEGData final : public TSharedImage {
 public:
  std::optional<std::vector<uint8_t>> Data;  // none until a file is loaded
  int32_t Height = 0;
  int32_t Width = 0;
  bool Grayscale = false;       // the file's own colour space is greyscale
  bool FourComponents = false;  // CMYK or YCCK
  bool Progressive = false;     // the file has several scans
};

}  // namespace tapestro
