#include "tests/gif/giflib_reference.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstring>

namespace tapestro::test {

namespace {

struct MemoryInput {
  const Bytes* bytes;
  size_t at = 0;
};

int ReadFromMemory(GifFileType* file, GifByteType* out, int count) {
  auto* input = static_cast<MemoryInput*>(file->UserData);
  const size_t n = std::min(static_cast<size_t>(count), input->bytes->size() - input->at);
  std::memcpy(out, input->bytes->data() + input->at, n);
  input->at += n;
  return static_cast<int>(n);
}

std::vector<TGIFColor> ColorsOf(const ColorMapObject* map) {
  std::vector<TGIFColor> colors;
  if (map == nullptr) return colors;
  for (int i = 0; i < map->ColorCount; ++i)
    colors.push_back({map->Colors[i].Red, map->Colors[i].Green, map->Colors[i].Blue});
  return colors;
}

}  // namespace

GiflibDecode DecodeWithGiflib(const Bytes& bytes) {
  GiflibDecode result;
  MemoryInput input{&bytes};
  int error = 0;
  GifFileType* file = DGifOpen(&input, ReadFromMemory, &error);
  if (file == nullptr) return result;
  result.ok = DGifSlurp(file) == GIF_OK;
  for (int i = 0; result.ok && i < file->ImageCount; ++i) {
    const SavedImage& image = file->SavedImages[i];
    const int w = image.ImageDesc.Width, h = image.ImageDesc.Height;
    result.frames.push_back(
        {w, h, Bytes(image.RasterBits, image.RasterBits + static_cast<size_t>(w) * h),
         ColorsOf(image.ImageDesc.ColorMap != nullptr ? image.ImageDesc.ColorMap : file->SColorMap)});
  }
  DGifCloseFile(file, &error);
  return result;
}

}  // namespace tapestro::test
