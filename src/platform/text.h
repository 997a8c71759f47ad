#pragma once
// Byte-string helpers for UTF-8 texts that may hold invalid bytes.
#include <string>
#include <string_view>

namespace platform {

// Display width: East Asian Wide and Fullwidth characters count 2, every
// other character 1, and each byte of an invalid sequence 1.
int DisplayColumns(std::string_view utf8);
// Pads with blanks on the right up to columns; never cuts.
std::string PadToColumns(const std::string& s, int columns);
// The longest prefix whose display width fits columns; never splits a
// character.
std::string CutToColumns(const std::string& s, int columns);
// ASCII letters only; every other byte is left alone.
std::string AsciiLower(std::string s);
std::string AsciiUpper(std::string s);
// Unsigned byte comparison in which a proper prefix is smaller: <0, 0, >0.
int CompareBytes(const std::string& a, const std::string& b);

}  // namespace platform
