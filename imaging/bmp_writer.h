#pragma once
// Writing a bitmap image as a BMP file.

namespace tapestro {

class TBitmapImage;
class TStream;

// Writes the image's kept file bytes unchanged when it has them; otherwise nothing for
// an image without pixels, else the BMP file of its pixels: a 40-byte info header, or
// the 12-byte OS/2 header for an image read from such a file when its format fits
// that header. The colour count written is recorded as biClrUsed in the image's
// description. The header block and the pixel block are written in one write each.
void WriteBmpImage(TBitmapImage& image, TStream& stream);

}  // namespace tapestro
