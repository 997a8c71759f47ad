#include "platform/file_ops.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <vector>

#include "platform/fs_internal.h"
#include "platform/last_error.h"
#include "platform/paths.h"

#ifndef RENAME_NOREPLACE
#define RENAME_NOREPLACE (1 << 0)
#endif

namespace platform {

using internal::CheckPathArg;
using internal::Fail;
using internal::FailCode;

namespace {

bool Succeed() {
  SetLastError(kErrorSuccess);
  return true;
}

bool IsReadOnly(const struct stat& st) { return (st.st_mode & S_IWUSR) == 0; }

bool SameInode(const struct stat& a, const struct stat& b) {
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Renames from to to unless to exists; 0 or an errno value (EEXIST when to
// exists). Where the file system refuses the no-replace flag, a hard link
// (files) or a freshly made folder (folders) claims the name first, so an
// existing entry is never replaced.
int RenameNoReplace(const std::string& from, const std::string& to, bool isDir) {
  const int fallback = internal::NoReplaceFallbackForTesting();
  if (fallback == 0) {
    if (::syscall(SYS_renameat2, AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return 0;
    const int err = errno;
    if (err != EINVAL && err != ENOSYS) return err;
  }

  if (!isDir) {
    const bool linked = fallback < 2 && ::link(from.c_str(), to.c_str()) == 0;
    if (linked) {
      if (::unlink(from.c_str()) == 0) return 0;
      const int unlinkErr = errno;
      ::unlink(to.c_str());
      return unlinkErr;
    }
    const int linkErr = fallback < 2 ? errno : EPERM;
    if (linkErr != EPERM && linkErr != EOPNOTSUPP && linkErr != EMLINK) return linkErr;
    // No hard links here: claim the name with an empty placeholder that
    // the rename then replaces.
    const int fd = ::open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) return errno;
    ::close(fd);
    if (::rename(from.c_str(), to.c_str()) == 0) return 0;
    const int renameErr = errno;
    ::unlink(to.c_str());
    return renameErr;
  }

  // A folder may only replace an empty folder, which we make ourselves.
  if (::mkdir(to.c_str(), 0700) != 0) return errno;
  if (::rename(from.c_str(), to.c_str()) == 0) return 0;
  const int renameErr = errno;
  ::rmdir(to.c_str());
  return renameErr;
}

// Umask of the process, read without changing it.
mode_t CurrentUmask() {
  std::ifstream in("/proc/self/status");
  std::string line;
  while (std::getline(in, line)) {
    if (line.rfind("Umask:", 0) == 0) {
      try {
        return static_cast<mode_t>(std::stoul(line.substr(6), nullptr, 8) & 0777);
      } catch (...) {
        break;
      }
    }
  }
  return 022;
}

bool WriteAll(int fd, const char* data, size_t size, int& err) {
  while (size > 0) {
    const ssize_t n = ::write(fd, data, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      err = errno;
      return false;
    }
    data += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

// A temporary file beside target, hidden, removed again unless Keep() was
// called.
class TempFile {
 public:
  explicit TempFile(const std::string& target) {
    const std::string folder = FolderOf(target);
    path_ = JoinPath(folder.empty() ? std::string(".") : folder, ".tovra-XXXXXX");
    fd_ = ::mkostemp(path_.data(), O_CLOEXEC);
    if (fd_ < 0) err_ = errno;
  }
  ~TempFile() {
    if (fd_ >= 0) ::close(fd_);
    if (!kept_ && err_ == 0) ::unlink(path_.c_str());
  }
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;

  bool ok() const { return fd_ >= 0; }
  int fd() const { return fd_; }
  int error() const { return err_; }
  const std::string& path() const { return path_; }
  // Flushes to disk and closes; 0 or an errno value.
  int Finish() {
    int result = 0;
    if (::fsync(fd_) != 0) result = errno;
    if (::close(fd_) != 0 && result == 0) result = errno;
    fd_ = -1;
    return result;
  }
  void Keep() { kept_ = true; }

 private:
  std::string path_;
  int fd_ = -1;
  int err_ = 0;
  bool kept_ = false;
};

enum class ExistingTarget { Replace, Fail80, Fail183 };

bool CopyImpl(const std::string& src, const std::string& dst, ExistingTarget existing) {
  if (!CheckPathArg(src) || !CheckPathArg(dst)) return false;
  // Non-blocking so that a FIFO given as source cannot hang us.
  const int in = ::open(src.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  if (in < 0) return Fail(src, errno);
  struct Closer {
    int fd;
    ~Closer() { ::close(fd); }
  } closer{in};
  struct stat sst;
  if (::fstat(in, &sst) != 0) return Fail(src, errno);
  if (!S_ISREG(sst.st_mode)) return FailCode(kErrorAccessDenied);
  ::fcntl(in, F_SETFL, ::fcntl(in, F_GETFL) & ~O_NONBLOCK);

  struct stat dst_st;
  const bool dstExists = ::stat(dst.c_str(), &dst_st) == 0;
  if (!dstExists && errno != ENOENT) return Fail(dst, errno);
  if (dstExists) {
    if (SameInode(sst, dst_st)) return FailCode(kErrorSharingViolation);
    if (S_ISDIR(dst_st.st_mode)) return FailCode(kErrorAccessDenied);
    if (existing == ExistingTarget::Fail80) return FailCode(kErrorFileExists);
    if (existing == ExistingTarget::Fail183) return FailCode(kErrorAlreadyExists);
    if (IsReadOnly(dst_st)) return FailCode(kErrorAccessDenied);
  }

  TempFile tmp(dst);
  if (!tmp.ok()) return Fail(dst, tmp.error());

  std::vector<char> buf(256 * 1024);
  for (;;) {
    const ssize_t n = ::read(in, buf.data(), buf.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return Fail(src, errno);
    }
    if (n == 0) break;
    int err = 0;
    if (!WriteAll(tmp.fd(), buf.data(), static_cast<size_t>(n), err)) return Fail(dst, err);
  }
  // Permission bits and times are kept where the file system can hold them;
  // one that cannot (a FAT stick) still gets the data.
  ::fchmod(tmp.fd(), sst.st_mode & 0777);
  const struct timespec times[2] = {sst.st_atim, sst.st_mtim};
  ::futimens(tmp.fd(), times);
  if (const int err = tmp.Finish()) return Fail(dst, err);

  if (existing == ExistingTarget::Replace) {
    if (::rename(tmp.path().c_str(), dst.c_str()) != 0) return Fail(dst, errno);
  } else {
    const int err = RenameNoReplace(tmp.path(), dst, false);
    if (err == EEXIST) {
      return FailCode(existing == ExistingTarget::Fail80 ? kErrorFileExists : kErrorAlreadyExists);
    }
    if (err != 0) return Fail(dst, err);
  }
  tmp.Keep();
  return Succeed();
}

// Whether src and dst name one and the same directory entry.
bool SameEntry(const std::string& src, const std::string& dst, const struct stat& sst) {
  struct stat dst_st;
  if (::lstat(dst.c_str(), &dst_st) != 0 || !SameInode(sst, dst_st)) return false;
  const std::string sf = FolderOf(src), df = FolderOf(dst);
  struct stat a, b;
  if (::stat(sf.empty() ? "." : sf.c_str(), &a) != 0 || ::stat(df.empty() ? "." : df.c_str(), &b) != 0 ||
      !SameInode(a, b)) {
    return false;
  }
  if (NameOf(src) == NameOf(dst)) return true;
  // Two names for one inode in one folder: a hard link, unless the inode
  // has a single name, which means a file system that ignores letter case.
  return S_ISDIR(sst.st_mode) || sst.st_nlink == 1;
}

bool MoveAcrossDevices(const std::string& src, const std::string& dst, const struct stat& sst) {
  if (S_ISDIR(sst.st_mode)) return FailCode(kErrorNotSameDevice);
  if (S_ISLNK(sst.st_mode)) {
    std::vector<char> target(4096);
    const ssize_t n = ::readlink(src.c_str(), target.data(), target.size() - 1);
    if (n < 0) return Fail(src, errno);
    target[static_cast<size_t>(n)] = '\0';
    if (::symlink(target.data(), dst.c_str()) != 0) return Fail(dst, errno);
  } else if (!CopyImpl(src, dst, ExistingTarget::Fail183)) {
    return false;
  }
  if (::unlink(src.c_str()) != 0) {
    // Leave things as they were rather than with two copies.
    const int err = errno;
    ::unlink(dst.c_str());
    return Fail(src, err);
  }
  return Succeed();
}

}  // namespace

bool CopyFile(const std::string& src, const std::string& dst, bool failIfExists) {
  return CopyImpl(src, dst, failIfExists ? ExistingTarget::Fail80 : ExistingTarget::Replace);
}

bool MoveFile(const std::string& src, const std::string& dst) {
  if (!CheckPathArg(src) || !CheckPathArg(dst)) return false;
  struct stat sst;
  if (::lstat(src.c_str(), &sst) != 0) return Fail(src, errno);
  const bool isDir = S_ISDIR(sst.st_mode);
  const int err = RenameNoReplace(src, dst, isDir);
  if (err == 0) return Succeed();
  if (err == EEXIST || err == ENOTEMPTY) {
    if (SameEntry(src, dst, sst)) {
      if (NameOf(src) == NameOf(dst)) return Succeed();
      // Only the letter case changes: the entry replaces itself.
      if (::rename(src.c_str(), dst.c_str()) != 0) return Fail(dst, errno);
      return Succeed();
    }
    return FailCode(kErrorAlreadyExists);
  }
  if (err == EXDEV) return MoveAcrossDevices(src, dst, sst);
  if (err == ENOENT) {
    // The source was there a moment ago, so it is dst's folder that is missing.
    struct stat again;
    if (::lstat(src.c_str(), &again) != 0) return Fail(src, errno);
    return FailCode(kErrorPathNotFound);
  }
  return Fail(dst, err);
}

bool DeleteFile(const std::string& path) {
  if (!CheckPathArg(path)) return false;
  struct stat st;
  if (::lstat(path.c_str(), &st) != 0) return Fail(path, errno);
  if (S_ISDIR(st.st_mode)) return FailCode(kErrorAccessDenied);
  // Read-only is judged on what a link points at, as the folder search shows.
  struct stat target;
  if (S_ISLNK(st.st_mode) && ::stat(path.c_str(), &target) == 0) st = target;
  // Root could unlink it anyway; read-only must still protect the file.
  if (!S_ISLNK(st.st_mode) && IsReadOnly(st)) return FailCode(kErrorAccessDenied);
  if (::unlink(path.c_str()) != 0) return Fail(path, errno);
  return Succeed();
}

bool CreateDirectory(const std::string& path) {
  if (!CheckPathArg(path)) return false;
  if (::mkdir(path.c_str(), 0777) == 0) return Succeed();
  const int err = errno;
  if (err == ENOENT || err == ENOTDIR) return FailCode(kErrorPathNotFound);
  return FailCode(WinErrorFromErrno(err));
}

bool SetArchiveOnly(const std::string& path) {
  if (!CheckPathArg(path)) return false;
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) return Fail(path, errno);
  if (::chmod(path.c_str(), (st.st_mode & 07777) | S_IWUSR) != 0) return Fail(path, errno);
  return Succeed();
}

bool FileExists(const std::string& path) {
  if (!CheckPathArg(path)) return false;
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) return Fail(path, errno);
  if (S_ISDIR(st.st_mode)) return FailCode(kErrorFileNotFound);
  return Succeed();
}

bool TouchFileTime(const std::string& path, std::time_t when) {
  if (!CheckPathArg(path)) return false;
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) return Fail(path, errno);
  if (IsReadOnly(st)) return FailCode(kErrorAccessDenied);
  struct timespec times[2];
  times[0].tv_sec = when;
  times[0].tv_nsec = 0;
  times[1] = times[0];
  if (::utimensat(AT_FDCWD, path.c_str(), times, 0) != 0) return Fail(path, errno);
  return Succeed();
}

bool WriteWholeFile(const std::string& path, std::string_view bytes) {
  if (!CheckPathArg(path)) return false;
  struct stat st;
  const bool exists = ::stat(path.c_str(), &st) == 0;
  if (!exists && errno != ENOENT) return Fail(path, errno);
  if (exists && (S_ISDIR(st.st_mode) || IsReadOnly(st))) return FailCode(kErrorAccessDenied);

  TempFile tmp(path);
  if (!tmp.ok()) return Fail(path, tmp.error());
  int err = 0;
  if (!WriteAll(tmp.fd(), bytes.data(), bytes.size(), err)) return Fail(path, err);
  if (exists) {
    ::fchmod(tmp.fd(), st.st_mode & 07777);
    // Best effort: only root can give the file back to its owner.
    [[maybe_unused]] const int owned = ::fchown(tmp.fd(), st.st_uid, st.st_gid);
  } else {
    ::fchmod(tmp.fd(), 0666 & ~CurrentUmask());
  }
  if ((err = tmp.Finish()) != 0) return Fail(path, err);
  if (::rename(tmp.path().c_str(), path.c_str()) != 0) return Fail(path, errno);
  tmp.Keep();
  return Succeed();
}

}  // namespace platform
