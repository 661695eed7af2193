#pragma once
// The texts the GIF wallpaper conversion shows in the message pane.

namespace tapestro::text {

inline constexpr char kGifProcessing[] = "Processing GIF image 1...";
inline constexpr char kGifPreviewFailed[] = "Error loading GIF Image #efwp1...";
inline constexpr char kGifPreviewLoaded[] = "GIF Image 1 loaded...";
inline constexpr char kGifConversionFailed[] = "Error converting gif->bmp...";

}  // namespace tapestro::text
