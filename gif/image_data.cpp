// TGIFSubImage::DecodeImageData: the LZW data of one image into its pixel buffer, with
// interlaced rows put in their place.
#include "base/stream.h"
#include "gif/errors.h"
#include "gif/lzw_decoder.h"
#include "gif/sub_image.h"

namespace tapestro {

void TGIFSubImage::DecodeImageData(TStream& stream) {
  AllocatePixels();
  uint8_t minimumCodeSize = 0;
  if (!stream.ReadByte(minimumCodeSize)) return;
  if (minimumCodeSize > TLZWDecoder::kMaxMinimumCodeSize) throw GIFException(msg::kGifInvalidData);
  TLZWDecoder decoder(stream, minimumCodeSize, *this);
  // One value past the last pixel: normally the end code, which passes over the rest
  // of the data. After an early stop nothing more is asked for.
  if (decoder.DecodeRows(pixels_.data(), Width(), Height(), Interlaced())) decoder.NextPixel();
}

}  // namespace tapestro
