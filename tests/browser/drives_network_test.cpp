// The network commands: the connect and disconnect dialogs, gio started with
// its arguments, and the return to the program's mount.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <functional>

#include "app/startup.h"
#include "app/tovra1.h"
#include "browser/drives.h"
#include "browser/drives_fixture.h"
#include "browser/network_dialogs.h"
#include "forms/form1.h"
#include "platform/paths.h"
#include "support/dialog_script.h"
#include "ui/dialogs.h"
#include "ui/drive_combo_box.h"

namespace {

using drivestest::MountFixture;

const std::string kNoGio =
    "gio がインストールされていないため、ネットワークドライブの接続と切断はできません";

class NetworkTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CommandLineText.clear();
    ResetDrivesForTesting();
    CreateWindows();
    // A stand-in gio that records its arguments, one a line.
    gio = tools.Write("gio", "#!/bin/sh\nprintf '%s\\n' \"$@\" >> '" + (tools / "args") +
                                 "'\necho 'gio: no answer from server'\nexit \"$(cat '" + (tools / "code") +
                                 "' 2>/dev/null || echo 0)\"\n");
    ::chmod(gio.c_str(), 0755);
    SetGioProgramForTesting(gio);
    platform::SetExecutablePathForTesting(m / "sys/bin/tovra");
  }
  void TearDown() override {
    DestroyWindows();
    ResetDrivesForTesting();
    SetGioProgramForTesting("");
    platform::SetExecutablePathForTesting("");
  }

  std::string GioArgs() const {
    return testsupport::Exists(tools / "args") ? testsupport::ReadFile(tools / "args") : std::string();
  }
  std::string Folder() const { return Form1->DirectoryListBox1->Directory(); }

  // Starts the browser on a folder of a mount, the selector showing it.
  void StartOn(const std::string& mountName, const std::string& folder) {
    ASSERT_TRUE(Form1->DirectoryListBox1->SetDirectory(m / mountName));
    Form1->Activate();
    ASSERT_TRUE(Form1->DirectoryListBox1->SetDirectory(m / folder));
    Form1->ComboBox2->SetText(DriveEntry(*ui::MountOfEntry(m / mountName, CurrentMounts())));
  }

  static std::function<void(ui::TForm&)> PickShare(const std::string& mountPoint) {
    return [mountPoint](ui::TForm& form) {
      auto& d = dynamic_cast<TNetDisconnectDialog&>(form);
      for (size_t i = 0; i < d.Shares.size(); ++i) {
        if (d.Shares[i].mountPoint == mountPoint) {
          d.ListBox1->setCurrentRow(static_cast<int>(i));
          d.ListBox1->SetSelected(static_cast<int>(i), true);
        }
      }
      d.Button1Click();
    };
  }

  MountFixture m;
  testsupport::TempDir tools;
  std::string gio;
  testsupport::DialogScript script;
};

TEST_F(NetworkTest, DisconnectDialogListsTheNetworkMounts) {
  StartOn("data", "data");
  std::vector<std::string> lines;
  script.modalAnswers.push_back([&lines](ui::TForm& form) {
    auto& d = dynamic_cast<TNetDisconnectDialog&>(form);
    for (int i = 0; i < d.ListBox1->Count(); ++i) lines.push_back(d.ListBox1->Line(i));
    d.Button2Click();
  });
  Form1->N11Click();
  EXPECT_EQ(lines, (std::vector<std::string>{m / "nfs  server:/export", m / "cifs  //server/share"}));
  EXPECT_EQ(script.modalCaptions, std::vector<std::string>{"ネットワークドライブの切断"});
  EXPECT_EQ(GioArgs(), "");  // cancelled: gio never ran
}

TEST_F(NetworkTest, DisconnectWhileShowingAShareReturnsToTheProgramsMount) {
  StartOn("cifs", "cifs/dir");
  script.modalAnswers.push_back(PickShare(m / "cifs"));
  Form1->N11Click();
  EXPECT_EQ(GioArgs(), "mount\n-u\n" + (m / "cifs") + "\n");
  EXPECT_EQ(Folder(), m / "sys");
  EXPECT_EQ(Form1->ComboBox2->Text(), m / "sys[]");
  EXPECT_EQ(Form1->ComboBox2->Items().size(), 11u);
  EXPECT_TRUE(script.boxes.empty());
}

TEST_F(NetworkTest, DisconnectReturnsToTheFolderLastShownOnTheProgramsMount) {
  StartOn("sys", "sys/bin");
  // The user picks the share in the selector, then closes some dialog.
  Form1->ComboBox2->SetText(m / "nfsserver:/export");
  Form1->ComboBox2Change();
  ASSERT_EQ(Folder(), m / "nfs");
  Form1->Activate();
  ASSERT_EQ(Form1->ComboBox2->Text(), m / "nfsserver:/export");
  script.modalAnswers.push_back(PickShare(m / "nfs"));
  Form1->N11Click();
  EXPECT_EQ(Folder(), m / "sys/bin");
}

TEST_F(NetworkTest, DisconnectWhileShowingALocalMountLeavesTheFolder) {
  StartOn("data", "data/sub");
  script.modalAnswers.push_back(PickShare(m / "nfs"));
  Form1->N11Click();
  EXPECT_EQ(GioArgs(), "mount\n-u\n" + (m / "nfs") + "\n");
  EXPECT_EQ(Folder(), m / "data/sub");
  EXPECT_EQ(Form1->ComboBox2->Text(), m / "data[PHOTOS2]");
}

TEST_F(NetworkTest, ConnectMountsTheAddressTypedAndRefillsTheList) {
  StartOn("data", "data/sub");
  Form1->ComboBox2->ClearItems();
  script.modalAnswers.push_back([](ui::TForm& form) {
    auto& d = dynamic_cast<TNetConnectDialog&>(form);
    d.LabeledEdit1->SetText("  smb://server/photos; rm -rf ~  ");
    d.Button1Click();
  });
  Form1->N5Click();
  // One argument, passed as typed (blanks at the ends dropped), no shell.
  EXPECT_EQ(GioArgs(), "mount\nsmb://server/photos; rm -rf ~\n");
  EXPECT_EQ(script.modalCaptions, std::vector<std::string>{"ネットワークドライブの接続"});
  EXPECT_EQ(Form1->ComboBox2->Items().size(), 11u);
  EXPECT_EQ(Folder(), m / "data/sub");
  EXPECT_TRUE(script.boxes.empty());
}

TEST_F(NetworkTest, CancelledConnectOnlyRefillsTheList) {
  StartOn("data", "data");
  Form1->ComboBox2->ClearItems();
  Form1->N5Click();  // no answer: the close box
  EXPECT_EQ(GioArgs(), "");
  EXPECT_EQ(Form1->ComboBox2->Items().size(), 11u);
  EXPECT_TRUE(script.boxes.empty());
}

TEST_F(NetworkTest, AFailedMountIsReportedWithGiosOwnWords) {
  StartOn("data", "data");
  tools.Write("code", "2\n");
  script.modalAnswers.push_back([](ui::TForm& form) {
    auto& d = dynamic_cast<TNetConnectDialog&>(form);
    d.LabeledEdit1->SetText("smb://nobody/none");
    d.Button1Click();
  });
  Form1->N5Click();
  ASSERT_EQ(script.boxes.size(), 1u);
  EXPECT_EQ(script.boxes[0].text, "smb://nobody/none に接続できませんでした\ngio: no answer from server");
  EXPECT_EQ(script.boxes[0].caption, ui::ApplicationTitle());
  EXPECT_EQ(script.boxes[0].buttons, ui::MB_OK);
}

TEST_F(NetworkTest, AnAddressGioWouldTakeForAnOptionIsRefused) {
  StartOn("data", "data");
  script.modalAnswers.push_back([](ui::TForm& form) {
    auto& d = dynamic_cast<TNetConnectDialog&>(form);
    d.LabeledEdit1->SetText("-u /");
    d.Button1Click();
  });
  Form1->N5Click();
  EXPECT_EQ(GioArgs(), "");
  ASSERT_EQ(script.boxes.size(), 1u);
  EXPECT_EQ(script.boxes[0].text, "-u / はアドレスとして使えません");
}

TEST_F(NetworkTest, AFailedUnmountIsReported) {
  StartOn("cifs", "cifs/dir");
  tools.Write("code", "1\n");
  script.modalAnswers.push_back(PickShare(m / "cifs"));
  Form1->N11Click();
  EXPECT_EQ(GioArgs(), "mount\n-u\n" + (m / "cifs") + "\n");
  ASSERT_EQ(script.boxes.size(), 1u);
  EXPECT_EQ(script.boxes[0].text, (m / "cifs") + " を切断できませんでした\ngio: no answer from server");
  // The selector showed the share: home all the same, the list rebuilt.
  EXPECT_EQ(Folder(), m / "sys");
  EXPECT_EQ(Form1->ComboBox2->Items().size(), 11u);
}

TEST_F(NetworkTest, DisconnectWithNothingChosenRunsNothing) {
  StartOn("data", "data");
  script.modalAnswers.push_back([](ui::TForm& form) {
    auto& d = dynamic_cast<TNetDisconnectDialog&>(form);
    d.ListBox1->clearSelection();
    d.Button1Click();
  });
  Form1->N11Click();
  EXPECT_EQ(GioArgs(), "");
  EXPECT_TRUE(script.boxes.empty());
}

TEST_F(NetworkTest, WithoutGioBothCommandsSaySoPlainly) {
  StartOn("cifs", "cifs/dir");
  SetGioProgramForTesting(tools / "not-installed/gio");
  Form1->N5Click();
  Form1->N11Click();
  ASSERT_EQ(script.boxes.size(), 2u);
  for (const auto& box : script.boxes) {
    EXPECT_EQ(box.text, kNoGio);
    EXPECT_EQ(box.caption, ui::ApplicationTitle());
  }
  EXPECT_TRUE(script.modalCaptions.empty());  // no dialog opened
  // The selector showed a share, so the disconnect still goes home.
  EXPECT_EQ(Folder(), m / "sys");
}

TEST(NetworkShares, GioSharesAreListedAsRemoteMounts) {
  testsupport::TempDir t;
  t.MakeDir("gvfs/smb-share:server=host,share=photos");
  t.MakeDir("gvfs/sftp:host=box,user=me");
  t.MakeDir("local");
  const std::string info = t.Write("mountinfo",
                                   "1 0 8:1 / " + (t / "local") + " rw - ext4 /dev/sda1 rw\n"
                                   "2 1 0:40 / " + (t / "gvfs") + " rw - fuse.gvfsd-fuse gvfsd-fuse rw\n"
                                   "3 1 0:41 / " + (t / "net") + " rw - smb3 //nas/pics rw\n");
  std::vector<platform::Mount> shares =
      NetworkShares(platform::ReadMounts(info, t / "none", t / "none"));
  std::sort(shares.begin(), shares.end(),
            [](const platform::Mount& a, const platform::Mount& b) { return a.mountPoint < b.mountPoint; });
  ASSERT_EQ(shares.size(), 3u);
  EXPECT_EQ(shares[0].mountPoint, t / "gvfs/sftp:host=box,user=me");
  EXPECT_EQ(shares[0].universalName, "sftp:host=box,user=me");
  EXPECT_EQ(shares[1].mountPoint, t / "gvfs/smb-share:server=host,share=photos");
  EXPECT_EQ(shares[1].universalName, "//host/photos");
  EXPECT_EQ(shares[2].mountPoint, t / "net");
  EXPECT_EQ(shares[2].universalName, "//nas/pics");
  for (const auto& s : shares) EXPECT_EQ(s.type, platform::DriveType::Remote);
}

}  // namespace
