#pragma once
// Path helpers. A bare file name is the part after the last "/" (and after "\" or ":"
// on Windows); folder paths carry no trailing separator except the root.
#include <string>
#include <string_view>

namespace tapestro {

#ifdef _WIN32
inline constexpr char kPathDelim = '\\';
inline constexpr std::string_view kNameDelimiters = "\\:/";
inline constexpr std::string_view kFolderDelimiters = "\\/";
#else
inline constexpr char kPathDelim = '/';
inline constexpr std::string_view kNameDelimiters = "/";
inline constexpr std::string_view kFolderDelimiters = "/";
#endif

std::string ExtractFileName(std::string_view path);
// The folder part including its trailing separator ("" for a bare name).
std::string ExtractFilePath(std::string_view path);
// The extension with its dot, taken only from the bare name ("" when it has none).
std::string ExtractFileExt(std::string_view path);
std::string IncludeTrailingPathDelimiter(std::string_view path);
// Drops one trailing separator unless the path is a root ("/", or "C:\\" on Windows).
std::string ExcludeTrailingPathDelimiter(std::string_view path);
// Absolute form of path against the process's current directory (no symlink resolving).
std::string ExpandFileName(std::string_view path);
// The process's current directory as the system reports it.
std::string GetCurrentDir();
bool SetCurrentDir(const std::string& path);
// Full path of the running executable and its folder (with trailing separator).
std::string ExecutablePath();
std::string ExecutableDir();
bool FileExists(const std::string& path);
bool DirectoryExists(const std::string& path);

}  // namespace tapestro
