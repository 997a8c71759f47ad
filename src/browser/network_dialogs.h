#pragma once
// Connecting and disconnecting network shares through the desktop's own
// tool, gio, started without a shell.
#include <QPushButton>
#include <string>
#include <vector>

#include "platform/mounts.h"
#include "ui/components.h"
#include "ui/form.h"

// Asks for the address of a share (smb://server/share, sftp://host/path ...).
class TNetConnectDialog : public ui::TForm {
  Q_OBJECT
 public:
  TNetConnectDialog();
  ui::TLabeledEdit* LabeledEdit1;
  QPushButton* Button1;  // OK
  QPushButton* Button2;  // cancel
  // The address given, empty when cancelled.
  std::string Address;
  void FormActivate() override;
  void Button1Click();
  void Button2Click();
};

// Lists the network mounts; the user picks the one to unmount.
class TNetDisconnectDialog : public ui::TForm {
  Q_OBJECT
 public:
  TNetDisconnectDialog();
  ui::TListBox* ListBox1;
  QPushButton* Button1;  // OK
  QPushButton* Button2;  // cancel
  // The shares listed, line by line.
  std::vector<platform::Mount> Shares;
  // The mount point chosen, empty when cancelled.
  std::string MountPoint;
  void FormActivate() override;
  void Button1Click();
  void Button2Click();
};

// The network mounts of a mount list: remote file systems, and the shares
// gio keeps in its own folders.
std::vector<platform::Mount> NetworkShares(const std::vector<platform::Mount>& mounts);

// The gio program: found in PATH, or the one tests set ("" restores PATH).
void SetGioProgramForTesting(const std::string& program);
std::string GioProgram();

enum class GioOutcome { NotInstalled, Failed, Done };
// Runs gio with args (no shell, no input); its output goes to output.
GioOutcome RunGio(const std::vector<std::string>& args, std::string& output);

// The two network commands: each shows its dialog and runs gio, telling the
// user plainly when gio is not installed or when it failed.
void ConnectNetworkDrive();
void DisconnectNetworkDrive();
