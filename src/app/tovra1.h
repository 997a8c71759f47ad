#pragma once
// Process-wide state of the main unit. Every window reads and writes these;
// strings start empty, numbers at 0, and nothing is kept between runs.
#include <array>
#include <cstdint>
#include <string>

inline constexpr int kImageFileCapacity = 1000;
inline constexpr int kFilterCapacity = 20;
inline constexpr int kViewedCapacity = 100;
inline constexpr int kFormatCapacity = 10;
inline constexpr int kPluginCapacity = 20;

struct ImageFileEntry {
  std::string FileName;
  uint32_t FileSize = 0;
};

struct FormatSlot {
  std::string Extension;
  std::string PluginFile;
};

struct PluginEntry {
  std::string PluginFile;
  std::string FormatWord;
};

extern std::array<ImageFileEntry, kImageFileCapacity> ImageFileList;
extern int32_t ImageFileCount;
// Matching files the last build found, which may exceed the list's capacity.
extern int32_t ImageFileTotal;
extern std::array<std::string, kFilterCapacity> ExtensionFilter;
extern int32_t FolderMatchCount;
extern std::array<int32_t, kViewedCapacity> ViewedIndices;
extern int32_t ViewedCount;
extern std::string ByteCountText;
extern std::string CurrentFilePath;
extern std::string ViewerPath;
extern std::array<FormatSlot, kFormatCapacity> FormatTable;
extern int32_t FormatCount;
extern std::array<std::string, kPluginCapacity> PluginFiles;
extern std::array<PluginEntry, kPluginCapacity> PluginList;
extern std::string FilterText;
extern std::string VolumeText;
extern std::string CurrentPluginPath;
extern std::string DialogTarget;
extern std::string DialogValue;
extern std::string SerialText;
extern int32_t SerialNext;
extern int32_t SerialStart;
extern int32_t SerialDigits;
extern int32_t FileOpKind;
