#pragma once
// A real folder under /tmp for one test, removed with everything in it.
#include <cstdint>
#include <string>

namespace testsupport {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& path() const { return path_; }
  // Full path of a name inside the folder.
  std::string operator/(const std::string& name) const { return path_ + "/" + name; }
  // Writes bytes to name (relative to the folder), creating sub-folders.
  std::string Write(const std::string& name, const std::string& bytes) const;
  std::string MakeDir(const std::string& name) const;

 private:
  std::string path_;
};

std::string ReadFile(const std::string& path);
bool Exists(const std::string& path);

}  // namespace testsupport
