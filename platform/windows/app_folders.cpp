#include "platform/app_folders.h"

#include <shlobj.h>
#include <windows.h>

#include "base/path.h"

namespace tapestro {

namespace {

constexpr char kProgramFolder[] = "Tapestro";

// %LOCALAPPDATA%\Tapestro\, made when missing; "" when the system names no such folder.
std::string LocalAppDataFolder() {
  char base[MAX_PATH + 1] = {};
  if (::SHGetFolderPathA(nullptr, CSIDL_LOCAL_APPDATA | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, base) != S_OK)
    return std::string();
  const std::string folder = IncludeTrailingPathDelimiter(base) + kProgramFolder;
  // An uncreatable folder shows up later as a failed write.
  ::CreateDirectoryA(folder.c_str(), nullptr);
  return IncludeTrailingPathDelimiter(folder);
}

}  // namespace

TAppFolders PerUserFolders() {
  const std::string perUser = LocalAppDataFolder();
  return {perUser, perUser};
}

}  // namespace tapestro
