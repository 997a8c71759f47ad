#include "browser/drives.h"

#include <system_error>

#include "app/startup.h"
#include "app/tovra1.h"
#include "browser/network_dialogs.h"
#include "forms/form1.h"
#include "platform/paths.h"
#include "ui/components.h"
#include "ui/drive_combo_box.h"

using platform::DriveType;
using platform::Mount;

std::string StartDrive;

namespace {

// The mounts the last lookup read, so a filled list does not re-read the
// mount table once per entry.
std::vector<Mount>& Snapshot() {
  static std::vector<Mount> mounts;
  return mounts;
}

const Mount* FindMount(const std::string& mountPoint) {
  for (int pass = 0; pass < 2; ++pass) {
    for (const Mount& m : Snapshot()) {
      if (m.mountPoint == mountPoint) return &m;
    }
    if (pass == 0) Snapshot() = CurrentMounts();
  }
  return nullptr;
}

}  // namespace

void SetMountSourceForTesting(const std::string& mountinfoPath, const std::string& byLabelDir,
                              const std::string& sysBlockDir) {
  ui::SetMountSource(mountinfoPath, byLabelDir, sysBlockDir);
  Snapshot().clear();
}

void ResetDrivesForTesting() {
  ui::ForgetDriveFolders();
  StartDrive.clear();
  Snapshot().clear();
}

std::vector<Mount> CurrentMounts() { return ui::ReadDriveMounts(); }

int ReadVolumeLabel(const std::string& mountPoint) {
  VolumeText.clear();
  const Mount* m = FindMount(mountPoint);
  if (!m || m->label.empty()) return -1;
  VolumeText = m->label;
  return 1;
}

std::string DriveVolumeText(const std::string& mountPoint) {
  VolumeText.clear();
  if (ReadVolumeLabel(mountPoint) == -1) return {};
  return ui::VolumeLabelText(VolumeText);
}

std::string UniversalName(const std::string& mountPoint) {
  VolumeText.clear();
  const Mount* m = FindMount(mountPoint);
  if (m && m->type == DriveType::Remote) VolumeText = m->universalName;
  return VolumeText;
}

std::string DriveEntry(const Mount& m) {
  switch (m.type) {
    case DriveType::Fixed:
    case DriveType::CdRom:
      return ui::DriveEntryText(m, DriveVolumeText(m.mountPoint), {});
    case DriveType::Remote:
      return ui::DriveEntryText(m, {}, UniversalName(m.mountPoint));
    default:
      return ui::DriveEntryText(m, {}, {});
  }
}

void FillDriveList(ui::TComboBox* box) {
  if (!box) return;
  Snapshot() = CurrentMounts();
  // Entries may look the mounts up again: iterate over a copy.
  const std::vector<Mount> mounts = Snapshot();
  box->ClearItems();
  for (const Mount& m : mounts) box->AddItem(DriveEntry(m));
}

void RememberFolder(const std::string& folder) { ui::RememberDriveFolder(folder); }

std::string ProgramDriveEntry() {
  Snapshot() = CurrentMounts();
  const std::vector<Mount> mounts = Snapshot();
  const Mount* m = platform::MountOf(platform::ExecutableFolder(), mounts);
  return m ? DriveEntry(*m) : std::string();
}

void RunStartSetUp() {
  if (!Form1) return;
  ui::TFolderList* list = Form1->DirectoryListBox1;
  const std::vector<Mount> mounts = CurrentMounts();
  const Mount* start = platform::MountOf(list->Directory(), mounts);
  // The browser stays where it is: in the folder the program was started
  // in, and after a dialog closes in the folder the user left it.
  RememberFolder(list->Directory());
  StartDrive = start ? start->mountPoint : std::string();
  FillDriveList(Form1->ComboBox2);
  Form1->ComboBox2->SetText(start ? DriveEntry(*start) : std::string());
  if (start) ui::SetListDrive(list, *start, mounts);
}

void TForm1::ComboBox2Change() {
  const std::vector<Mount> mounts = CurrentMounts();
  const Mount* m = ui::MountOfEntry(ComboBox2->Text(), mounts);
  // A text that names no mount leaves the folder list where it is.
  if (!m) return;
  ui::SetListDrive(DirectoryListBox1, *m, mounts);
}

void TForm1::N5Click() {
  ConnectNetworkDrive();
  FillDriveList(ComboBox2);
}

void TForm1::N11Click() {
  const std::vector<Mount> mounts = CurrentMounts();
  const Mount* shown = ui::MountOfEntry(ComboBox2->Text(), mounts);
  const bool showedRemote = shown && shown->type == DriveType::Remote;
  DisconnectNetworkDrive();
  if (showedRemote) {
    // The share may be gone: back to the drive the program lies on.
    ComboBox2->SetText(ProgramDriveEntry());
    ComboBox2Change();
  }
  FillDriveList(ComboBox2);
}
