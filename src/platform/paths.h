#pragma once
// Path text helpers: the only code that knows the separator.
#include <string>

namespace platform {

// folder + "/" + name; no second "/" when folder already ends in one. An
// empty folder gives name unchanged.
std::string JoinPath(const std::string& folder, const std::string& name);
// Everything before the last "/", without trailing "/" except for "/"
// itself; empty when path has no "/".
std::string FolderOf(const std::string& path);
// Everything after the last "/" (the whole text when there is none).
std::string NameOf(const std::string& path);

// The running program's full path (from /proc/self/exe) and its folder.
std::string ExecutablePath();
std::string ExecutableFolder();
// Lets tests pretend the program lies elsewhere; "" restores the real path.
void SetExecutablePathForTesting(const std::string& path);

}  // namespace platform
