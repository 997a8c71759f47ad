#pragma once
// Copy, move and delete of the files selected in the main list.
#include <cstdint>
#include <string>

enum class FileOperation : int32_t { Copy = 1, Move = 2, Delete = 3 };

// A folder text followed by one separator; "/" stays "/".
std::string FolderWithSeparator(const std::string& folder);

// Runs the operation on every selected line of the main list, in list order,
// under the hourglass. destination ends in a separator (unused for Delete).
// Returns the number of files that succeeded; each failure has been shown.
int32_t ProcessSelectedFiles(FileOperation op, const std::string& destination);
