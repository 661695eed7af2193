#pragma once
// The fixed texts of the bitmap, the picture and its format registry.

namespace tapestro::msg {

inline constexpr char kInvalidBitmap[] = "Bitmap image is not valid";
inline constexpr char kInvalidPixelFormat[] = "Invalid pixel format";
inline constexpr char kScanLineOutOfRange[] = "Scan line index out of range";
inline constexpr char kUnknownExtension[] = "Unknown picture file extension (.%s)";
inline constexpr char kInvalidMetafile[] = "Metafile is not valid";
inline constexpr char kInvalidIcon[] = "Icon image is not valid";

}  // namespace tapestro::msg
