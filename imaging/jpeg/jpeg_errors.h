#pragma once
// EJPEG and the fixed texts of JPEG images. Every failure of the JPEG library becomes
// EJPEG carrying the library's message code; the library's own texts are never shown.
#include "base/errors.h"
#include "base/text.h"

namespace tapestro {

namespace msg {
inline constexpr char kJpegError[] = "JPEG error #%d";
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
