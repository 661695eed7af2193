#pragma once
// The fixed texts of JPEG images.

namespace tapestro::msg {

// Filled with the library's message code; the library's own texts are never shown.
inline constexpr char kJpegError[] = "JPEG error #%d";
inline constexpr char kJpegSizeIsFixed[] = "Cannot change the size of a JPEG image";
inline constexpr char kJpegDescription[] = "JPEG Image File";

}  // namespace tapestro::msg
