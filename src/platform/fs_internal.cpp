#include "platform/fs_internal.h"

#include <sys/stat.h>

#include "platform/last_error.h"
#include "platform/paths.h"

namespace platform::internal {

namespace {
int g_fallbackLevel = 0;
}

void SetNoReplaceFallbackForTesting(int level) { g_fallbackLevel = level; }

int NoReplaceFallbackForTesting() { return g_fallbackLevel; }

bool CheckPathArg(const std::string& path) {
  if (path.empty()) return FailCode(kErrorBadPathname);
  if (path.find('\0') != std::string::npos) return FailCode(kErrorInvalidName);
  return true;
}

uint32_t ErrorForPath(const std::string& path, int err) {
  if (err == ENOENT) {
    const std::string folder = FolderOf(path);
    struct stat st;
    if (::stat(folder.empty() ? "." : folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return kErrorPathNotFound;
    return kErrorFileNotFound;
  }
  return WinErrorFromErrno(err);
}

bool Fail(const std::string& path, int err) {
  SetLastError(ErrorForPath(path, err));
  return false;
}

bool FailCode(uint32_t code) {
  SetLastError(code);
  return false;
}

}  // namespace platform::internal
