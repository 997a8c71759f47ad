#pragma once
// Making and renaming folders from the main window's folder list.
#include <string>

struct FolderSplit {
  bool found = false;   // the path holds a separator
  std::string parent;   // up to and including the last separator
  std::string name;     // the rest
};

// Splits a folder path at its last separator.
FolderSplit SplitFolderPath(const std::string& path);

// The folder a rename acts on: the highlighted subfolder when itemPath is one
// of current's subfolders, otherwise the current folder itself.
std::string FolderToRename(const std::string& current, const std::string& itemPath);

// The folder list's new folder after old was renamed to renamed: the same
// place under the new name when it lay in old, unchanged otherwise.
std::string FolderAfterRename(const std::string& shown, const std::string& old,
                              const std::string& renamed);
