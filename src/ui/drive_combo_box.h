#pragma once
// The drive selector: the machine's mounts, each tagged by its type, linked
// to a folder list that it moves between them.
#include <QComboBox>
#include <string>
#include <vector>

#include "platform/mounts.h"

namespace ui {

class TFolderList;

// Where the mount list is read from. Tests point it at fixture files; empty
// texts restore the system's own.
void SetMountSource(const std::string& mountinfoPath, const std::string& byLabelDir,
                    const std::string& sysBlockDir);
std::vector<platform::Mount> ReadDriveMounts();

// A blank and the label, the whole cut to 8 display columns; empty when the
// mount has no label.
std::string VolumeLabelText(const std::string& label);
// The selector's line for a mount: its mount point and the tag of its type.
std::string DriveEntryText(const platform::Mount& m, const std::string& volumeText,
                           const std::string& universalName);
std::string DriveEntryText(const platform::Mount& m);

// The mount an entry (or a typed path) names: the longest mount point that
// the text begins with, cut at a tag or a path separator. nullptr when none.
const platform::Mount* MountOfEntry(const std::string& text, const std::vector<platform::Mount>& mounts);

// Each mount's current folder: the last folder the browser showed on it, at
// first its mount point.
void RememberDriveFolder(const std::string& folder);
std::string DriveFolder(const platform::Mount& m, const std::vector<platform::Mount>& mounts);
void ForgetDriveFolders();

// Nothing when the list already shows a folder on the mount; otherwise the
// list moves to the mount's current folder (its mount point when that is gone).
// Returns whether the list moved.
bool SetListDrive(TFolderList* list, const platform::Mount& m, const std::vector<platform::Mount>& mounts);

// A drop-down of the mounts; choosing one moves the linked folder list.
class TDriveComboBox : public QComboBox {
  Q_OBJECT
 public:
  explicit TDriveComboBox(QWidget* parent);
  void SetFolderList(TFolderList* list);
  TFolderList* FolderList() const { return list_; }
  // Re-reads the mounts and shows the entry of the linked list's mount.
  void Refresh();
  // Shows the entry of the linked list's mount without re-reading.
  void SyncToFolderList();
  // The user's choice of line i.
  void ChooseItem(int i);
  const std::vector<platform::Mount>& Mounts() const { return mounts_; }
  std::vector<std::string> Items() const;
  std::string Text() const;

 protected:
  void showEvent(QShowEvent* e) override;
  void showPopup() override;

 private:
  TFolderList* list_ = nullptr;
  std::vector<platform::Mount> mounts_;
};

}  // namespace ui
