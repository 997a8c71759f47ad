#pragma once
// Helpers shared by the file calls of this layer; not for other layers.
#include <cerrno>
#include <cstdint>
#include <string>

namespace platform::internal {

// False, with the last error set, when path is empty (161) or holds a NUL
// byte (123), which the system call would silently cut off.
bool CheckPathArg(const std::string& path);
// The Windows code for a failed call on path: a missing entry whose folder
// exists is 2 (file not found), a missing folder on the way is 3.
uint32_t ErrorForPath(const std::string& path, int err);
// Sets the last error for a failed call on path and returns false.
bool Fail(const std::string& path, int err);
bool FailCode(uint32_t code);

// Lets tests take the roads that only some file systems need: 0 normal,
// 1 as if the no-replace rename flag were refused, 2 as if hard links were
// refused as well.
void SetNoReplaceFallbackForTesting(int level);
int NoReplaceFallbackForTesting();

}  // namespace platform::internal
