#pragma once
// Every text of the rotation and of wallpaper preparation.

namespace tapestro::text {

inline constexpr char kNoWindowsDirectory[] = "Error - windows directory not found for Wallpaper logic.";
// Followed by the time, a blank and the file's bare name in parentheses.
inline constexpr char kWallpaperUpdated[] = "Wallpaper updated at ";

inline constexpr char kMissedCycle[] = "Sorry, you missed the cycle (time) option. Please enter a value.";
inline constexpr char kCycleOutOfRange[] = "Please enter a cycle of %d to %d minutes.";

}  // namespace tapestro::text
