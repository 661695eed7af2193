#include "imaging/jpeg/jpeg_header.h"

#include "imaging/jpeg/jpeg_decompressor.h"
#include "imaging/jpeg/jpeg_settings.h"

namespace tapestro {

void ReadJpegHeader(std::span<const uint8_t> file, TJPEGData& facts) {
  TJpegDecompressor decompressor(file);
  decompressor.ReadHeader();
  const jpeg_decompress_struct& info = decompressor.Info();
  facts.Width = static_cast<int32_t>(info.image_width);
  facts.Height = static_cast<int32_t>(info.image_height);
  facts.Grayscale = info.jpeg_color_space == JCS_GRAYSCALE;
  facts.FourComponents = IsFourComponentColorSpace(info.jpeg_color_space);
  facts.Progressive = decompressor.HasMultipleScans();
}

TJpegSize JpegScaledSize(std::span<const uint8_t> file, const TJPEGOptions& options) {
  TJpegDecompressor decompressor(file);
  decompressor.ReadHeader();
  ApplyDecodeSettings(decompressor.Info(), options, decompressor.HasMultipleScans());
  decompressor.CalcOutputDimensions();
  const jpeg_decompress_struct& info = decompressor.Info();
  return {static_cast<int32_t>(info.output_width), static_cast<int32_t>(info.output_height)};
}

}  // namespace tapestro
