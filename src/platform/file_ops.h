#pragma once
// File changes with the guarantees the file commands rely on. Every call
// returns true on success; on failure it returns false and sets the last
// error (last_error.h). Paths that are empty give 161, paths holding a NUL
// byte give 123.
#include <ctime>
#include <string>
#include <string_view>

namespace platform {

// Copies src to dst without ever losing data: a copy onto the same file
// fails with 32, onto a read-only file with 5, onto any existing file with
// 80 when failIfExists. The data goes to a temporary file in dst's folder
// that is renamed into place, so a failed copy leaves the old dst intact and
// no partial file. Permission bits and times are kept.
bool CopyFile(const std::string& src, const std::string& dst, bool failIfExists);
// Moves a file or folder; never replaces an existing dst (183). A path moved
// onto itself succeeds unchanged. Across file systems a file is copied then
// its source removed; a folder fails with 17. Read-only files can be moved.
bool MoveFile(const std::string& src, const std::string& dst);
// Removes a file; read-only files and folders fail with 5 (even for root).
bool DeleteFile(const std::string& path);
// 183 when the name exists, 3 when the parent folder is missing.
bool CreateDirectory(const std::string& path);
// Gives the owner write permission back (clears read-only).
bool SetArchiveOnly(const std::string& path);
// True for an existing file; false for folders and missing paths.
bool FileExists(const std::string& path);
// Sets access and modification time. A read-only file keeps its times and
// the call fails with 5.
bool TouchFileTime(const std::string& path, std::time_t when);
// Creates or replaces path with bytes, all or nothing. A read-only existing
// file is refused with 5.
bool WriteWholeFile(const std::string& path, std::string_view bytes);

}  // namespace platform
