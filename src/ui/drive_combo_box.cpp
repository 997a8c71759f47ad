#include "ui/drive_combo_box.h"

#include <QSignalBlocker>
#include <algorithm>

#include "platform/text.h"
#include "ui/components.h"
#include "ui/guard.h"

namespace ui {

namespace {

struct MountSource {
  std::string mountinfoPath;
  std::string byLabelDir;
  std::string sysBlockDir;
};

MountSource& Source() {
  static MountSource source;
  return source;
}

// Most recent last; one entry per folder.
std::vector<std::string>& FolderHistory() {
  static std::vector<std::string> history;
  return history;
}

// Enough to remember a folder on every mount a machine has.
constexpr size_t kHistoryLimit = 1000;

std::string Trim(const std::string& s) {
  const size_t b = s.find_first_not_of(' ');
  if (b == std::string::npos) return {};
  const size_t e = s.find_last_not_of(' ');
  return s.substr(b, e - b + 1);
}

}  // namespace

void SetMountSource(const std::string& mountinfoPath, const std::string& byLabelDir,
                    const std::string& sysBlockDir) {
  Source() = {mountinfoPath, byLabelDir, sysBlockDir};
}

std::vector<platform::Mount> ReadDriveMounts() {
  const MountSource& s = Source();
  return platform::ReadMounts(s.mountinfoPath.empty() ? "/proc/self/mountinfo" : s.mountinfoPath,
                              s.byLabelDir.empty() ? "/dev/disk/by-label" : s.byLabelDir,
                              s.sysBlockDir.empty() ? "/sys/block" : s.sysBlockDir);
}

std::string VolumeLabelText(const std::string& label) {
  if (label.empty()) return {};
  return platform::CutToColumns(" " + label, 8);
}

std::string DriveEntryText(const platform::Mount& m, const std::string& volumeText,
                           const std::string& universalName) {
  using platform::DriveType;
  const std::string& root = m.mountPoint;
  switch (m.type) {
    case DriveType::Unknown:
    case DriveType::NoRootDir:
      return root + " ?";
    case DriveType::Removable:
      return root + " Rm";
    case DriveType::Fixed:
      return root + "[" + Trim(volumeText) + "]";
    case DriveType::Remote:
      return root + universalName;
    case DriveType::CdRom:
      return volumeText.empty() ? root + "[CDROM]" : root + volumeText;
    case DriveType::RamDisk:
      return root + " [RAM]";
  }
  return root;
}

std::string DriveEntryText(const platform::Mount& m) {
  return DriveEntryText(m, VolumeLabelText(m.label), m.type == platform::DriveType::Remote ? m.universalName : "");
}

const platform::Mount* MountOfEntry(const std::string& text, const std::vector<platform::Mount>& mounts) {
  for (const platform::Mount& m : mounts) {
    if (DriveEntryText(m) == text) return &m;
  }
  const platform::Mount* best = nullptr;
  for (const platform::Mount& m : mounts) {
    const std::string& mp = m.mountPoint;
    if (mp.empty() || text.compare(0, mp.size(), mp) != 0) continue;
    const std::string rest = text.substr(mp.size());
    const bool boundary = mp == "/" || rest.empty() || rest[0] == ' ' || rest[0] == '[' || rest[0] == '/' ||
                          (!m.universalName.empty() && rest.compare(0, m.universalName.size(), m.universalName) == 0);
    if (boundary && (!best || mp.size() > best->mountPoint.size())) best = &m;
  }
  return best;
}

void RememberDriveFolder(const std::string& folder) {
  if (folder.empty()) return;
  auto& h = FolderHistory();
  h.erase(std::remove(h.begin(), h.end(), folder), h.end());
  h.push_back(folder);
  if (h.size() > kHistoryLimit) h.erase(h.begin());
}

std::string DriveFolder(const platform::Mount& m, const std::vector<platform::Mount>& mounts) {
  const auto& h = FolderHistory();
  for (auto it = h.rbegin(); it != h.rend(); ++it) {
    const platform::Mount* on = platform::MountOf(*it, mounts);
    if (on && on->mountPoint == m.mountPoint) return *it;
  }
  return m.mountPoint;
}

void ForgetDriveFolders() { FolderHistory().clear(); }

bool SetListDrive(TFolderList* list, const platform::Mount& m, const std::vector<platform::Mount>& mounts) {
  if (!list) return false;
  const std::string current = list->Directory();
  const platform::Mount* on = platform::MountOf(current, mounts);
  if (on && on->mountPoint == m.mountPoint) return false;
  RememberDriveFolder(current);
  const std::string target = DriveFolder(m, mounts);
  if (list->SetDirectory(target)) return true;
  // The remembered folder is gone: the mount point itself.
  return target != m.mountPoint && list->SetDirectory(m.mountPoint);
}

TDriveComboBox::TDriveComboBox(QWidget* parent) : QComboBox(parent) {
  setEditable(false);
  connect(this, &QComboBox::activated, this, [this](int i) { Guard([this, i] { ChooseItem(i); }); });
}

void TDriveComboBox::SetFolderList(TFolderList* list) {
  list_ = list;
  Refresh();
}

void TDriveComboBox::Refresh() {
  mounts_ = ReadDriveMounts();
  const QSignalBlocker block(this);
  clear();
  for (const platform::Mount& m : mounts_) addItem(Q(DriveEntryText(m)));
  SyncToFolderList();
}

void TDriveComboBox::SyncToFolderList() {
  if (!list_) return;
  const platform::Mount* on = platform::MountOf(list_->Directory(), mounts_);
  const QSignalBlocker block(this);
  setCurrentIndex(on ? static_cast<int>(on - mounts_.data()) : -1);
}

void TDriveComboBox::ChooseItem(int i) {
  if (i < 0 || i >= static_cast<int>(mounts_.size())) return;
  // The list may move and fire its change: work on a copy of the mounts.
  const std::vector<platform::Mount> mounts = mounts_;
  SetListDrive(list_, mounts[static_cast<size_t>(i)], mounts);
  SyncToFolderList();
}

std::vector<std::string> TDriveComboBox::Items() const {
  std::vector<std::string> items;
  for (int i = 0; i < count(); ++i) items.push_back(U(itemText(i)));
  return items;
}

std::string TDriveComboBox::Text() const { return U(currentText()); }

void TDriveComboBox::showEvent(QShowEvent* e) {
  QComboBox::showEvent(e);
  SyncToFolderList();
}

void TDriveComboBox::showPopup() {
  // Mounts come and go while the window is open.
  Refresh();
  QComboBox::showPopup();
}

}  // namespace ui
