#include "tests/gif/giflib_reference.h"

#include "tests/support/giflib_memory.h"

namespace tapestro::test {

namespace {

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
  GiflibMemoryInput input{&bytes};
  int error = 0;
  GifFileType* file = DGifOpen(&input, ReadGiflibMemory, &error);
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
