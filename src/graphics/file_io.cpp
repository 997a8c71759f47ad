#include "graphics/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "graphics/picture_error.h"

namespace graphics {

namespace {

std::string ErrnoText(int err) { return std::strerror(err); }

class Fd {
 public:
  explicit Fd(int fd) : fd_(fd) {}
  ~Fd() {
    if (fd_ >= 0) ::close(fd_);
  }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

unsigned CurrentUmask() {
  const mode_t old = ::umask(0);
  ::umask(old);
  return old;
}

}  // namespace

std::vector<uint8_t> ReadWholeFile(const std::string& path, size_t maxBytes) {
  Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.get() < 0) {
    throw PictureError("Cannot open file \"" + path + "\": " + ErrnoText(errno));
  }
  struct stat st {};
  if (::fstat(fd.get(), &st) != 0) {
    throw PictureError("Cannot read file \"" + path + "\": " + ErrnoText(errno));
  }
  if (S_ISDIR(st.st_mode)) throw PictureError("Cannot read file \"" + path + "\": is a folder");
  std::vector<uint8_t> data;
  if (S_ISREG(st.st_mode)) {
    if (static_cast<uint64_t>(st.st_size) > maxBytes) {
      throw PictureError("File too large: \"" + path + "\"");
    }
    data.reserve(static_cast<size_t>(st.st_size));
  }
  uint8_t buf[65536];
  for (;;) {
    const ssize_t n = ::read(fd.get(), buf, sizeof buf);
    if (n < 0) {
      if (errno == EINTR) continue;
      throw PictureError("Cannot read file \"" + path + "\": " + ErrnoText(errno));
    }
    if (n == 0) break;
    if (data.size() + static_cast<size_t>(n) > maxBytes) {
      throw PictureError("File too large: \"" + path + "\"");
    }
    data.insert(data.end(), buf, buf + n);
  }
  return data;
}

AtomicFileWriter::AtomicFileWriter(const std::string& path) : target_(path) {
  if (path.empty()) throw PictureError("Cannot create file: empty name");
  struct stat st {};
  if (::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
    // Replace the file the link points to, not the link.
    char resolved[PATH_MAX];
    if (::realpath(path.c_str(), resolved)) target_ = resolved;
  }
  mode_ = 0666u & ~CurrentUmask();
  if (::stat(target_.c_str(), &st) == 0) {
    if (S_ISDIR(st.st_mode)) throw PictureError("Cannot create file \"" + path + "\": is a folder");
    if (!(st.st_mode & S_IWUSR)) {
      throw PictureError("Cannot create file \"" + path + "\": the file is read-only");
    }
    mode_ = st.st_mode & 07777;
  }
  const size_t slash = target_.rfind('/');
  const std::string dir = slash == std::string::npos ? std::string() : target_.substr(0, slash + 1);
  const std::string name = slash == std::string::npos ? target_ : target_.substr(slash + 1);
  std::string tmpl = dir + "." + name + ".tmp-XXXXXX";
  std::vector<char> buf(tmpl.begin(), tmpl.end());
  buf.push_back('\0');
  const int fd = ::mkostemp(buf.data(), O_CLOEXEC);
  if (fd < 0) throw PictureError("Cannot create file \"" + path + "\": " + ErrnoText(errno));
  temp_ = buf.data();
  file_ = ::fdopen(fd, "wb");
  if (!file_) {
    const int err = errno;
    ::close(fd);
    ::unlink(temp_.c_str());
    throw PictureError("Cannot create file \"" + path + "\": " + ErrnoText(err));
  }
}

AtomicFileWriter::~AtomicFileWriter() {
  if (file_) std::fclose(file_);
  if (!committed_ && !temp_.empty()) ::unlink(temp_.c_str());
}

void AtomicFileWriter::Write(const void* data, size_t size) {
  if (size && std::fwrite(data, 1, size, file_) != size) {
    throw PictureError("Cannot write file \"" + target_ + "\": " + ErrnoText(errno));
  }
}

void AtomicFileWriter::Commit() {
  if (std::fflush(file_) != 0 || std::ferror(file_)) {
    throw PictureError("Cannot write file \"" + target_ + "\": " + ErrnoText(errno));
  }
  ::fchmod(::fileno(file_), mode_);
  const int rc = std::fclose(file_);
  file_ = nullptr;
  if (rc != 0) throw PictureError("Cannot write file \"" + target_ + "\": " + ErrnoText(errno));
  if (::rename(temp_.c_str(), target_.c_str()) != 0) {
    throw PictureError("Cannot create file \"" + target_ + "\": " + ErrnoText(errno));
  }
  committed_ = true;
}

}  // namespace graphics
