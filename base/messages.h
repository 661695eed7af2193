#pragma once
// The fixed texts of the shared error classes. Module-specific texts (bitmap, JPEG,
// GIF, window) live in their module's own messages header.

namespace tapestro::msg {

inline constexpr char kStreamReadError[] = "Stream read error";
inline constexpr char kStreamWriteError[] = "Stream write error";
inline constexpr char kFOpenError[] = "Cannot open file \"%s\". %s";
inline constexpr char kFCreateError[] = "Cannot create file \"%s\". %s";
inline constexpr char kListIndexError[] = "List index out of bounds (%d)";
inline constexpr char kUnableToWrite[] = "Unable to write to %s";
inline constexpr char kAssignError[] = "Cannot assign a %s to a %s";
inline constexpr char kInvalidInteger[] = "'%s' is not a valid integer value";
inline constexpr char kOutOfResources[] = "Out of system resources";
inline constexpr char kOutOfMemory[] = "Out of memory";
inline constexpr char kOperationAborted[] = "Operation aborted";
inline constexpr char kDirectoryDoesNotExist[] = "The %s directory does not exist";

}  // namespace tapestro::msg
