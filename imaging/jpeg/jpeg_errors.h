#pragma once
// EJPEG and the fixed texts of JPEG images. Every failure of the JPEG library becomes
// EJPEG carrying the library's message code; the library's own texts are never shown.
#include "base/errors.h"
#include "base/text.h"

namespace tapestro {

namespace msg {
inline constexpr char kJpegError[] = "JPEG error #%d";
// Past the decoding work and library memory limits of jpeg_decompressor.h.
inline constexpr char kJpegTooMuchWork[] = "JPEG image has too many scans for its size to decode";
inline constexpr char kJpegTooMuchMemory[] = "JPEG image needs too much memory to decode";
inline constexpr char kJpegSizeIsFixed[] = "Cannot change the size of a JPEG image";
inline constexpr char kJpegDescription[] = "JPEG Image File";
}  // namespace msg

class EJPEG : public EInvalidGraphic {
 public:
  using EInvalidGraphic::EInvalidGraphic;
};

// EJPEG "JPEG error #%d" with the library's message code.
[[noreturn]] inline void RaiseJpegError(int messageCode) { throw EJPEG(Format(msg::kJpegError, messageCode)); }

}  // namespace tapestro
