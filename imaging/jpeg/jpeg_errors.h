#pragma once
// EJPEG and the fixed texts of JPEG images. Every failure of the JPEG library becomes
// EJPEG carrying the library's message code, which is the text the program shows; the
// library's own readable text rides along for tapestro-tool, which prints it beside.
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
  explicit EJPEG(std::string message, std::string libraryText = {})
      : EInvalidGraphic(std::move(message)), libraryText_(std::move(libraryText)) {}
  // What the library said, as it words it; empty for the limits we raise ourselves.
  const std::string& LibraryText() const { return libraryText_; }

 private:
  std::string libraryText_;
};

// EJPEG "JPEG error #%d" with the library's message code and its text.
[[noreturn]] inline void RaiseJpegError(int messageCode, std::string libraryText = {}) {
  throw EJPEG(Format(msg::kJpegError, messageCode), std::move(libraryText));
}

}  // namespace tapestro
