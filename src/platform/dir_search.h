#pragma once
// Folder listing with the attributes the file list and dialogs look at.
#include <cstdint>
#include <string>
#include <vector>

namespace platform {

struct FindEntry {
  std::string name;
  uint32_t size;  // low 32 bits of st_size
  bool directory;
  bool hidden;    // name starts with '.'
  bool readOnly;  // owner write bit clear
};

// Lists every entry of folder: "." and ".." first (as directories), then the
// rest in the order the file system returns them. Symbolic links are
// followed for the attributes; a dangling link is a plain file of size 0.
// False, with out empty and the last error set, when the folder cannot be
// searched.
bool FindFiles(const std::string& folder, std::vector<FindEntry>& out);
// Looks up one path; false (last error 2 or 3) when it is missing.
bool FindFile(const std::string& path, FindEntry& out);

}  // namespace platform
