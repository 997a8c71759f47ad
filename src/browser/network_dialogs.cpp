#include "browser/network_dialogs.h"

#include <QProcess>
#include <QStandardPaths>
#include <unistd.h>

#include "platform/dir_search.h"
#include "platform/paths.h"
#include "ui/dialogs.h"
#include "ui/drive_combo_box.h"
#include "ui/guard.h"
#include "ui/scale.h"

using platform::DriveType;
using platform::Mount;

namespace {

std::string& GioOverride() {
  static std::string program;
  return program;
}

const char kNoGio[] =
    "gio がインストールされていないため、ネットワークドライブの接続と切断はできません";

// Waits this long for a share to answer before giving up on it.
constexpr int kGioWaitMs = 120000;

std::string TrimLines(std::string s) {
  while (!s.empty() && (s.back() == '\n' || s.back() == '\r' || s.back() == ' ')) s.pop_back();
  return s;
}

// gio's folder name of a share, smb-share:server=host,share=photos, as
// //host/photos; other names stay as they are.
std::string ShareName(const std::string& folderName) {
  const std::string prefix = "smb-share:";
  if (folderName.compare(0, prefix.size(), prefix) != 0) return folderName;
  std::string server, share;
  size_t pos = prefix.size();
  while (pos <= folderName.size()) {
    size_t end = folderName.find(',', pos);
    if (end == std::string::npos) end = folderName.size();
    const std::string field = folderName.substr(pos, end - pos);
    if (field.compare(0, 7, "server=") == 0) server = field.substr(7);
    if (field.compare(0, 6, "share=") == 0) share = field.substr(6);
    pos = end + 1;
  }
  if (server.empty() || share.empty()) return folderName;
  return "//" + server + "/" + share;
}

}  // namespace

TNetConnectDialog::TNetConnectDialog() : ui::TForm("ネットワークドライブの接続", 420, 130) {
  SetFixedBorder();
  QWidget* p = Client();
  LabeledEdit1 = new ui::TLabeledEdit(p, "アドレス", 8);
  LabeledEdit1->PlaceEdit(90, 20, 310, 25);
  LabeledEdit1->Edit()->setPlaceholderText(QStringLiteral("smb://server/share"));
  Button1 = new QPushButton(QStringLiteral("OK"), p);
  ui::Place(Button1, 327, 80, 73, 25);
  Button2 = new QPushButton(QString::fromUtf8("中止"), p);
  ui::Place(Button2, 240, 80, 73, 25);
  ui::OnClicked(Button1, [this] { Button1Click(); });
  ui::OnClicked(Button2, [this] { Button2Click(); });
}

void TNetConnectDialog::FormActivate() { Address.clear(); }

void TNetConnectDialog::Button1Click() {
  std::string a = LabeledEdit1->Text();
  const size_t b = a.find_first_not_of(" \t");
  const size_t e = a.find_last_not_of(" \t");
  Address = b == std::string::npos ? std::string() : a.substr(b, e - b + 1);
  Close();
}

void TNetConnectDialog::Button2Click() {
  Address.clear();
  Close();
}

TNetDisconnectDialog::TNetDisconnectDialog() : ui::TForm("ネットワークドライブの切断", 420, 260) {
  SetFixedBorder();
  QWidget* p = Client();
  ListBox1 = new ui::TListBox(p);
  ListBox1->setSelectionMode(QAbstractItemView::SingleSelection);
  ui::Place(ListBox1, 16, 16, 388, 190);
  Button1 = new QPushButton(QStringLiteral("OK"), p);
  ui::Place(Button1, 331, 220, 73, 25);
  Button2 = new QPushButton(QString::fromUtf8("中止"), p);
  ui::Place(Button2, 244, 220, 73, 25);
  ui::OnClicked(Button1, [this] { Button1Click(); });
  ui::OnClicked(Button2, [this] { Button2Click(); });
  ListBox1->OnDblClick = [this] { Button1Click(); };
}

void TNetDisconnectDialog::FormActivate() {
  MountPoint.clear();
  Shares = NetworkShares(ui::ReadDriveMounts());
  ListBox1->Clear();
  for (const Mount& m : Shares) ListBox1->Add(m.mountPoint + "  " + m.universalName);
  if (!Shares.empty()) ListBox1->setCurrentRow(0);
}

void TNetDisconnectDialog::Button1Click() {
  MountPoint.clear();
  const int row = ListBox1->currentRow();
  if (row >= 0 && row < static_cast<int>(Shares.size()) && ListBox1->Selected(row))
    MountPoint = Shares[static_cast<size_t>(row)].mountPoint;
  Close();
}

void TNetDisconnectDialog::Button2Click() {
  MountPoint.clear();
  Close();
}

std::vector<Mount> NetworkShares(const std::vector<Mount>& mounts) {
  std::vector<Mount> shares;
  for (const Mount& m : mounts) {
    if (m.type == DriveType::Remote) {
      shares.push_back(m);
    } else if (m.fsType == "fuse.gvfsd-fuse") {
      // gio mounts every share as one folder under its own file system.
      std::vector<platform::FindEntry> entries;
      platform::FindFiles(m.mountPoint, entries);
      for (const auto& e : entries) {
        if (!e.directory || e.name == "." || e.name == "..") continue;
        Mount s = m;
        s.mountPoint = platform::JoinPath(m.mountPoint, e.name);
        s.type = DriveType::Remote;
        s.universalName = ShareName(e.name);
        shares.push_back(s);
      }
    }
  }
  return shares;
}

void SetGioProgramForTesting(const std::string& program) { GioOverride() = program; }

std::string GioProgram() {
  if (!GioOverride().empty()) return GioOverride();
  return ui::U(QStandardPaths::findExecutable(QStringLiteral("gio")));
}

GioOutcome RunGio(const std::vector<std::string>& args, std::string& output) {
  output.clear();
  const std::string program = GioProgram();
  if (program.empty() || ::access(program.c_str(), X_OK) != 0) return GioOutcome::NotInstalled;
  QStringList list;
  for (const std::string& a : args) list << ui::Q(a);
  QProcess p;
  p.setProgram(ui::Q(program));
  p.setArguments(list);
  // gio must not wait for a password on a terminal it does not have.
  p.setStandardInputFile(QProcess::nullDevice());
  p.setProcessChannelMode(QProcess::MergedChannels);
  p.start();
  if (!p.waitForStarted()) return GioOutcome::NotInstalled;
  if (!p.waitForFinished(kGioWaitMs)) {
    p.kill();
    p.waitForFinished();
    output = TrimLines(p.readAll().toStdString());
    return GioOutcome::Failed;
  }
  output = TrimLines(p.readAll().toStdString());
  return p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0 ? GioOutcome::Done : GioOutcome::Failed;
}

namespace {

bool GioMissing() {
  const std::string program = GioProgram();
  if (!program.empty() && ::access(program.c_str(), X_OK) == 0) return false;
  ui::ShowMessage(kNoGio);
  return true;
}

void Report(GioOutcome outcome, const std::string& what, const std::string& output) {
  if (outcome == GioOutcome::Done) return;
  if (outcome == GioOutcome::NotInstalled) {
    ui::ShowMessage(kNoGio);
    return;
  }
  ui::ShowMessage(what + (output.empty() ? std::string() : "\n" + output));
}

}  // namespace

void ConnectNetworkDrive() {
  if (GioMissing()) return;
  TNetConnectDialog dialog;
  dialog.ShowModal();
  if (dialog.Address.empty()) return;
  // gio would take a leading "-" as one of its options, not as the address.
  if (dialog.Address[0] == '-') {
    ui::ShowMessage(dialog.Address + " はアドレスとして使えません");
    return;
  }
  std::string output;
  GioOutcome outcome;
  {
    ui::HourglassCursor wait;
    outcome = RunGio({"mount", dialog.Address}, output);
  }
  Report(outcome, dialog.Address + " に接続できませんでした", output);
}

void DisconnectNetworkDrive() {
  if (GioMissing()) return;
  TNetDisconnectDialog dialog;
  dialog.ShowModal();
  if (dialog.MountPoint.empty()) return;
  std::string output;
  GioOutcome outcome;
  {
    ui::HourglassCursor wait;
    outcome = RunGio({"mount", "-u", dialog.MountPoint}, output);
  }
  Report(outcome, dialog.MountPoint + " を切断できませんでした", output);
}
