#pragma once
// Reading a BMP file into a new bitmap image.
#include <memory>

#include "imaging/bitmap_image.h"

namespace tapestro {

class TStream;

// Reads the BMP file that runs from the stream's position to its end. No bytes at all
// give an empty image. Uncompressed files become DIBs of their own format (pixels the
// file does not supply stay zero); run-length-encoded files become device bitmaps that
// keep the file's bytes. Raises EInvalidGraphic "Bitmap image is not valid" for files
// that are wrong or past the pixel limit (checked before any pixel memory is taken) and
// EReadError "Stream read error" when the file ends inside its header, masks or colour
// table. The caller installs the result only on success.
std::unique_ptr<TBitmapImage> ReadBmpImage(TStream& stream);

}  // namespace tapestro
