#include "app/tovra1.h"

std::array<ImageFileEntry, kImageFileCapacity> ImageFileList;
int32_t ImageFileCount = 0;
int32_t ImageFileTotal = 0;
std::array<std::string, kFilterCapacity> ExtensionFilter;
int32_t FolderMatchCount = 0;
std::array<int32_t, kViewedCapacity> ViewedIndices{};
int32_t ViewedCount = 0;
std::string ByteCountText;
std::string CurrentFilePath;
std::string ViewerPath;
std::array<FormatSlot, kFormatCapacity> FormatTable;
int32_t FormatCount = 0;
std::array<std::string, kPluginCapacity> PluginFiles;
std::array<PluginEntry, kPluginCapacity> PluginList;
std::string FilterText;
std::string VolumeText;
std::string CurrentPluginPath;
std::string DialogTarget;
std::string DialogValue;
std::string SerialText;
int32_t SerialNext = 0;
int32_t SerialStart = 0;
int32_t SerialDigits = 0;
int32_t FileOpKind = 0;
