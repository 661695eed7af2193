#pragma once
// The GIF module's error classes and every text it raises, warns or reports progress with.
#include "base/errors.h"

namespace tapestro {

// Every failure of a GIF read: the file is not a GIF we can make sense of.
class GIFException : public EInvalidGraphic {
 public:
  using EInvalidGraphic::EInvalidGraphic;
};

// The file may be valid but asks for more memory than we allow (see docs/gif.md).
class GIFLimitException : public GIFException {
 public:
  using GIFException::GIFException;
};

namespace msg {

// Errors: the read ends.
inline constexpr char kGifPrematureEnd[] = "Premature end of data";
inline constexpr char kGifInvalidSignature[] = "Invalid GIF signature";
inline constexpr char kGifUnknownExtension[] = "Unknown extension type";
inline constexpr char kGifBadExtensionIntroducer[] = "Invalid extension introducer";
inline constexpr char kGifExtensionLabelMismatch[] =
    "Internal error: Extension Instance does not match Extension Label";
inline constexpr char kGifUnsupportedAppBlockSize[] = "Unsupported Application Extension block size";
inline constexpr char kGifInvalidData[] = "Invalid GIF data";
inline constexpr char kGifCircularTableEntry[] = "Circular decoder table entry";
// Over the limits of gif_image.h (GIFLimitException).
inline constexpr char kGifTooLarge[] = "GIF image too large to decode";
inline constexpr char kGifTooMuchBlockData[] = "GIF image has too much block data to read";
inline constexpr char kGifCannotSave[] = "Saving GIF images is not supported";
inline constexpr char kGifCannotResize[] = "The size of a GIF image comes from its file";

// Errors of turning a frame into a bitmap.
inline constexpr char kGifNoColorTable[] = "No global or local color table defined";
inline constexpr char kGifUnsupportedPixelFormat[] = "Unsupported PixelFormat";
inline constexpr char kGifInvalidDimensions[] = "Invalid image dimensions";
inline constexpr char kGifDibAllocationFailed[] = "Failed to allocate memory for GIF DIB";
inline constexpr char kGifNoDib[] = "Image has no DIB";

// Warnings (severity 1): reading goes on.
inline constexpr char kGifUnknownBlockType[] = "Unknown GIF block type";
inline constexpr char kGifImageExceedsScreen[] = "Image exceeds Logical Screen size";
inline constexpr char kGifInvalidTrailer[] = "Invalid Image trailer";
inline constexpr char kGifBitBufferUnderrun[] = "Decoder bit buffer under-run";
// Warning of the animation painter: the background colour index lies past the global table.
inline constexpr char kGifInvalidColorIndex[] = "Invalid color index";

// Progress.
inline constexpr char kGifLoading[] = "Loading...";
inline constexpr char kGifRendering[] = "Rendering...";

}  // namespace msg
}  // namespace tapestro
