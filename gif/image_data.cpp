// TGIFSubImage::DecodeImageData: the LZW data of one image into its pixel buffer, with
// interlaced rows put in their place.
#include "base/stream.h"
#include "gif/errors.h"
#include "gif/interlace.h"
#include "gif/lzw_decoder.h"
#include "gif/sub_image.h"

namespace tapestro {

namespace {
// Stores every pixel in display order; false when the data stopped early.
bool DecodeRows(TLZWDecoder& decoder, uint8_t* pixels, size_t width, size_t height, bool interlaced) {
  if (!interlaced) return decoder.Fill(pixels, width * height) == 0;
  for (const TInterlacePass& pass : kInterlacePasses)
    for (size_t row = static_cast<size_t>(pass.FirstRow); row < height; row += static_cast<size_t>(pass.Step))
      if (decoder.Fill(pixels + row * width, width) != 0) return false;
  return true;
}
}  // namespace

void TGIFSubImage::DecodeImageData(TStream& stream) {
  AllocatePixels();
  uint8_t minimumCodeSize = 0;
  if (!stream.ReadByte(minimumCodeSize)) return;
  if (minimumCodeSize > TLZWDecoder::kMaxMinimumCodeSize) throw GIFException(msg::kGifInvalidData);
  TLZWDecoder decoder(stream, minimumCodeSize, *this);
  // One value past the last pixel: normally the end code, which passes over the rest
  // of the data. After an early stop nothing more is asked for.
  if (DecodeRows(decoder, pixels_.data(), Width(), Height(), Interlaced())) decoder.NextPixel();
}

}  // namespace tapestro
