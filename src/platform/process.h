#pragma once
// Starting other programs.
#include <string>
#include <vector>

namespace platform {

// Starts program with args, without a shell, and does not wait for it; no
// zombie is left behind. A program name without "/" is searched in PATH.
// Returns whether the program started.
bool StartDetached(const std::string& program, const std::vector<std::string>& args);

}  // namespace platform
