#include "platform/paths.h"

#include <mutex>
#include <unistd.h>
#include <vector>

namespace platform {

namespace {
std::mutex g_exeMutex;
std::string g_exeOverride;
}  // namespace

std::string JoinPath(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  if (folder.back() == '/') return folder + name;
  return folder + "/" + name;
}

std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return std::string();
  size_t end = slash;
  while (end > 0 && path[end - 1] == '/') --end;
  if (end == 0) return "/";
  return path.substr(0, end);
}

std::string NameOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return path;
  return path.substr(slash + 1);
}

std::string ExecutablePath() {
  {
    std::lock_guard<std::mutex> lock(g_exeMutex);
    if (!g_exeOverride.empty()) return g_exeOverride;
  }
  std::vector<char> buf(4096);
  for (;;) {
    const ssize_t n = ::readlink("/proc/self/exe", buf.data(), buf.size());
    if (n < 0) return std::string();
    if (static_cast<size_t>(n) < buf.size()) return std::string(buf.data(), static_cast<size_t>(n));
    if (buf.size() >= (size_t{1} << 20)) return std::string();
    buf.resize(buf.size() * 2);
  }
}

std::string ExecutableFolder() { return FolderOf(ExecutablePath()); }

void SetExecutablePathForTesting(const std::string& path) {
  std::lock_guard<std::mutex> lock(g_exeMutex);
  g_exeOverride = path;
}

}  // namespace platform
