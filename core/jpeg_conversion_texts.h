#pragma once
// The texts the JPEG wallpaper conversion shows in the message pane.

namespace tapestro::text {

// Followed directly by the source path.
inline constexpr char kJpegLoadFailed[] = "Error loading non-GIF resource (myjpeg):";
// Followed by the temporary path.
inline constexpr char kJpegBitmapFailed[] = "Error creating non-GIF resource (newbmp): ";
inline constexpr char kFreeingResources[] = "Freeing resources...";
inline constexpr char kResourcesFreed[] = "Resources freed...";

// How long each failure's text stays readable before the update gives up.
inline constexpr int kJpegLoadFailedPauseMs = 500;
inline constexpr int kJpegBitmapFailedPauseMs = 1500;

}  // namespace tapestro::text
