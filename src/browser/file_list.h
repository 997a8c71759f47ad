#pragma once
// The list of picture files of the folder shown in the main window.
#include <cstdint>
#include <string>

// --- Pure steps (no window involved) ---

// Fills ExtensionFilter from a filter text; returns the last index used.
int ParseExtensionFilter(const std::string& filterText);
// Number of times a name is listed under the parsed filter (0 when none).
int MatchCount(const std::string& name, int last);
// A byte count with its thousands grouped by commas.
std::string GroupedDigits(uint32_t size);
// Writes the size text into ByteCountText.
void FormatByteCount(uint32_t size);
// One list line: the name padded to 25 display columns, a blank, the size.
std::string ListLine(const std::string& name, const std::string& sizeText);
// Folder joined with a name.
std::string JoinFolderName(const std::string& folder, const std::string& name);

// --- Steps over the main window ---

void AddIfMatching(const std::string& name, uint32_t size, int last);
void RefreshFileList();
std::string MakeFullPath(const std::string& name);
void CheckListCurrent();
bool FolderChanged();
void CountIfMatching(const std::string& name, int last);
bool FileSizeChanged(const std::string& name, int position);
// The text the count box shows for the last build.
std::string FileCountText();
