#pragma once
// Mounted file systems as the drive selector shows them.
#include <string>
#include <vector>

namespace platform {

enum class DriveType : int { Unknown = 0, NoRootDir = 1, Removable = 2, Fixed = 3, Remote = 4, CdRom = 5, RamDisk = 6 };

struct Mount {
  std::string mountPoint;
  std::string fsType;
  std::string source;
  std::string label;          // from the by-label folder; empty when none
  std::string universalName;  // the share of a remote mount
  DriveType type;
};

// Mounts in mountinfo order, pseudo file systems left out, each mount point
// once (its top mount).
std::vector<Mount> ReadMounts(const std::string& mountinfoPath = "/proc/self/mountinfo",
                              const std::string& byLabelDir = "/dev/disk/by-label",
                              const std::string& sysBlockDir = "/sys/block");
// The same from mountinfo text already read.
std::vector<Mount> ParseMounts(const std::string& mountinfoText, const std::string& byLabelDir,
                               const std::string& sysBlockDir);
// The mount holding path (longest mount point that is a component-wise
// prefix), or nullptr.
const Mount* MountOf(const std::string& path, const std::vector<Mount>& mounts);

}  // namespace platform
