#include "platform/dir_search.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/fs_internal.h"
#include "platform/last_error.h"
#include "platform/paths.h"

namespace platform {

namespace {

FindEntry FromStat(const std::string& name, const struct stat& st) {
  FindEntry e;
  e.name = name;
  e.directory = S_ISDIR(st.st_mode);
  e.size = e.directory ? 0u : static_cast<uint32_t>(static_cast<uint64_t>(st.st_size));
  e.hidden = !name.empty() && name[0] == '.';
  e.readOnly = (st.st_mode & S_IWUSR) == 0;
  return e;
}

FindEntry DanglingLink(const std::string& name) {
  FindEntry e;
  e.name = name;
  e.size = 0;
  e.directory = false;
  e.hidden = !name.empty() && name[0] == '.';
  e.readOnly = false;
  return e;
}

FindEntry DotEntry(const char* name) {
  FindEntry e;
  e.name = name;
  e.size = 0;
  e.directory = true;
  e.hidden = false;
  e.readOnly = false;
  return e;
}

}  // namespace

bool FindFiles(const std::string& folder, std::vector<FindEntry>& out) {
  out.clear();
  if (!internal::CheckPathArg(folder)) return false;
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) {
    const int err = errno;
    // A search inside something that is no folder finds no path.
    if (err == ENOENT || err == ENOTDIR) return internal::FailCode(kErrorPathNotFound);
    return internal::Fail(folder, err);
  }
  DIR* dir = ::fdopendir(fd);
  if (!dir) {
    const int err = errno;
    ::close(fd);
    return internal::Fail(folder, err);
  }
  out.push_back(DotEntry("."));
  out.push_back(DotEntry(".."));
  for (;;) {
    errno = 0;
    const dirent* d = ::readdir(dir);
    if (!d) break;
    const char* n = d->d_name;
    if (std::strcmp(n, ".") == 0 || std::strcmp(n, "..") == 0) continue;
    struct stat st;
    if (::fstatat(fd, n, &st, 0) == 0) {
      out.push_back(FromStat(n, st));
    } else if (::fstatat(fd, n, &st, AT_SYMLINK_NOFOLLOW) == 0) {
      if (S_ISLNK(st.st_mode)) {
        out.push_back(DanglingLink(n));
      } else {
        out.push_back(FromStat(n, st));
      }
    } else if (errno != ENOENT) {
      // Unreadable attributes: report what the folder itself says.
      FindEntry e = DanglingLink(n);
      e.directory = d->d_type == DT_DIR;
      out.push_back(e);
    }
    // ENOENT: removed while we listed; leave it out.
  }
  ::closedir(dir);
  SetLastError(kErrorSuccess);
  return true;
}

bool FindFile(const std::string& path, FindEntry& out) {
  if (!internal::CheckPathArg(path)) return false;
  struct stat st;
  std::string name = NameOf(path);
  if (::stat(path.c_str(), &st) == 0) {
    out = FromStat(name, st);
    return true;
  }
  const int err = errno;
  if (::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
    out = DanglingLink(name);
    return true;
  }
  return internal::Fail(path, err);
}

}  // namespace platform
