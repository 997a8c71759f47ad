#pragma once
// The drive selector of the main window, the start set-up of the folder list
// and the network commands. Drives are the machine's mounted file systems.
#include <string>
#include <vector>

#include "platform/mounts.h"

namespace ui {
class TComboBox;
}

// The mount point of the drive chosen at the last activation of the main
// window: the mount holding the folder list's folder.
extern std::string StartDrive;

// Where the mount list is read from; tests feed fixture files. Empty texts
// restore /proc/self/mountinfo, /dev/disk/by-label and /sys/block.
void SetMountSourceForTesting(const std::string& mountinfoPath, const std::string& byLabelDir,
                              const std::string& sysBlockDir);
// Forgets every drive's current folder and that the main window was ever
// activated, as at a fresh start.
void ResetDrivesForTesting();

// The mounts as the selector lists them, read afresh.
std::vector<platform::Mount> CurrentMounts();

// Clears box's list and adds one entry per mount; the box's text stays.
void FillDriveList(ui::TComboBox* box);
// The entry line of one mount.
std::string DriveEntry(const platform::Mount& m);
// Empty when the mount has no readable label; otherwise a blank and the
// label, the whole cut to 8 display columns (never half a character).
std::string DriveVolumeText(const std::string& mountPoint);
// 1 with the label in VolumeText, or -1 with VolumeText empty.
int ReadVolumeLabel(const std::string& mountPoint);
// The share a remote mount stands for (//server/share, server:/path), also
// left in VolumeText; empty for any other mount.
std::string UniversalName(const std::string& mountPoint);

// Records the folder the browser shows, as its mount's current folder. The
// main window's folder-change handler calls it.
void RememberFolder(const std::string& folder);

// The entry of the mount the program's executable lies on.
std::string ProgramDriveEntry();

// Chooses the start drive, fills the selector and, at the first activation
// only, moves the folder list to the root of its mount.
void RunStartSetUp();
