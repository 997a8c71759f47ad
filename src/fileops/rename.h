#pragma once
// Renaming files, one at a time or as a numbered series.
#include <cstdint>
#include <ctime>
#include <functional>
#include <optional>
#include <string>

// Writes number into SerialText: leading zeros up to SerialDigits, but never
// more than three digits; wider numbers in full.
void FormatSerial(int32_t number);

// The start-number text as an integer: optional blanks, an optional sign,
// decimal digits, within 32 bits. Nothing for any other text.
std::optional<int32_t> ParseStartNumber(const std::string& text);
// Shown (plain box) when the start-number text is not an integer.
std::string StartNumberErrorText(const std::string& text);
// Shown (plain box) when a series would need a number past the largest one.
inline constexpr const char* kSerialExhaustedText = "通し番号が上限を超えたので中止します";

// What the serial search found for one file.
enum class SerialOutcome {
  Renamed,        // renamed to the first free name
  AlreadyNamed,   // the file already bears the name it would get
  Failed,         // the rename failed (already reported)
  Exhausted,      // no number left below the largest 32-bit number
};

// The search behind both serial renames, free of any window: names are
// DialogTarget + SerialText + the extension of currentName, numbers from
// SerialStart upward (a start equal to SerialNext moves both up by one, as
// before a series' first file), skipping taken names and the numbers this
// series (since BeginSerial) already gave to a file of any extension.
// tryRename answers 1 renamed, -2 name taken, anything else failed.
SerialOutcome SearchSerialName(const std::string& currentName,
                               const std::function<int32_t(const std::string&)>& tryRename);

// The extension of a bare name, dot included; empty when it has none.
std::string ExtensionOf(const std::string& name);

// Renames the file named by CurrentFilePath (a bare name) inside folder to
// newName. 1 done (CurrentFilePath = old full path, DialogValue = new full
// path, new times stamped); -2 a file of that name exists (nothing changed,
// nothing shown); -1 the rename failed and was reported.
int32_t RenameFileStampedIn(const std::string& folder, const std::string& newName);
// The same in the main window's current folder.
int32_t RenameFileStamped(const std::string& newName);
// Last-access and last-write time = now; silent on failure.
void TouchFileTime(const std::string& path);

// Serial rename of entry i of ImageFileList: 1 renamed or already bearing its
// name, -1 failed (reported) or out of numbers (told); the series stops on -1.
int32_t RenameWithSerial(int index);

// Starts a series: reads the start-number text into SerialStart, SerialNext
// = 0 and SerialDigits; false (after telling the user) when it is not an
// integer.
bool BeginSerial(const std::string& startText);
