#pragma once
// giflib's decode of the same bytes, the reference our reader and frame bitmaps are
// compared with.
#include <vector>

#include "gif/reader.h"
#include "tests/support/gif_bytes.h"

namespace tapestro::test {

struct GiflibFrame {
  int width = 0;
  int height = 0;
  Bytes pixels;                   // colour indices, rows top to bottom
  std::vector<TGIFColor> colors;  // the frame's own table, else the global one
};

struct GiflibDecode {
  bool ok = false;
  std::vector<GiflibFrame> frames;
};

GiflibDecode DecodeWithGiflib(const Bytes& bytes);

}  // namespace tapestro::test
