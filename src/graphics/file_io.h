#pragma once
// File reading and replace-by-rename writing shared by the codecs.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace graphics {

// Whole file into memory; PictureError when it cannot be opened or read,
// or is larger than maxBytes.
std::vector<uint8_t> ReadWholeFile(const std::string& path, size_t maxBytes = size_t{1} << 31);

// Writes a new file beside the destination and renames it into place on
// Commit, so a failed save leaves any old file intact and no partial file.
// A read-only destination (owner write bit clear) is refused, also for root.
class AtomicFileWriter {
 public:
  explicit AtomicFileWriter(const std::string& path);  // throws PictureError
  ~AtomicFileWriter();
  AtomicFileWriter(const AtomicFileWriter&) = delete;
  AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

  FILE* File() const { return file_; }
  void Write(const void* data, size_t size);  // throws PictureError
  void Commit();                              // throws PictureError

 private:
  std::string target_;
  std::string temp_;
  FILE* file_ = nullptr;
  unsigned mode_ = 0;
  bool committed_ = false;
};

}  // namespace graphics
