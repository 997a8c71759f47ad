#pragma once
// One message for a failed file call, chosen by the Windows-numbered error
// code and, for access denied, by the kind of call the caller was making.
#include <cstdint>
#include <string>

// Values of FileOpKind.
namespace fileop_kind {
inline constexpr int32_t MakeFolder = 0;
inline constexpr int32_t Copy = 3;
inline constexpr int32_t Delete = 4;
inline constexpr int32_t Rename = 5;
}  // namespace fileop_kind

// The text shown for an error code; kind matters only for code 5.
std::string FileErrorText(int32_t code, int32_t kind);

// Shows the text for the calling thread's last error code (read first, before
// anything else can change it) and FileOpKind, with the plain message box.
void ReportFileError();
// The same for a code the caller took earlier.
void ReportFileErrorCode(int32_t code);
