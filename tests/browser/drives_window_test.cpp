// The drive selector in the main window: the start set-up, choosing entries,
// and activations after dialogs.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>

#include "app/startup.h"
#include "app/tovra1.h"
#include "browser/drives.h"
#include "browser/drives_fixture.h"
#include "forms/form1.h"
#include "forms/help.h"
#include "support/dialog_script.h"
#include "ui/drive_combo_box.h"

namespace {

using drivestest::MountFixture;

class DriveWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CommandLineText.clear();
    ResetDrivesForTesting();
    CreateWindows();
  }
  void TearDown() override {
    DestroyWindows();
    ResetDrivesForTesting();
    if (!savedCwd.empty()) {
      EXPECT_EQ(::chdir(savedCwd.c_str()), 0);
    }
  }

  // The program started in folder: the folder list shows it, then the
  // window is activated for the first time.
  void StartIn(const std::string& folder) {
    char buf[4096];
    if (savedCwd.empty() && ::getcwd(buf, sizeof buf)) savedCwd = buf;
    ASSERT_EQ(::chdir(folder.c_str()), 0);
    ASSERT_TRUE(Form1->DirectoryListBox1->SetDirectory(folder));
    Form1->Activate();
  }

  std::string Folder() const { return Form1->DirectoryListBox1->Directory(); }

  // The user picks the line of the mount in the drop-down.
  void Choose(const std::string& mountName) {
    const std::string entry = DriveEntry(*ui::MountOfEntry(m / mountName, CurrentMounts()));
    const std::vector<std::string> items = Form1->ComboBox2->Items();
    const auto it = std::find(items.begin(), items.end(), entry);
    ASSERT_NE(it, items.end()) << entry;
    const int i = static_cast<int>(it - items.begin());
    Form1->ComboBox2->setCurrentIndex(i);
    emit Form1->ComboBox2->activated(i);
  }

  // Any modal dialog closing activates the main window again.
  void OpenAndCloseADialog() { Help->ShowModal(); }

  MountFixture m;
  testsupport::DialogScript script;
  std::string savedCwd;
};

TEST_F(DriveWindowTest, FirstActivationKeepsTheStartFolderAndShowsItsMount) {
  StartIn(m / "data/sub/deeper");
  EXPECT_EQ(Folder(), m / "data/sub/deeper");
  EXPECT_EQ(StartDrive, m / "data");
  EXPECT_EQ(Form1->ComboBox2->Text(), m / "data[PHOTOS2]");
  const std::vector<std::string> items = Form1->ComboBox2->Items();
  ASSERT_EQ(items.size(), 11u);
  EXPECT_EQ(items.front(), m / "sys[]");
  EXPECT_EQ(items[4], m / "cifs//server/share");
  EXPECT_TRUE(script.boxes.empty());
}

TEST_F(DriveWindowTest, LaterActivationsKeepTheFolderAndRefillTheList) {
  StartIn(m / "data/sub/deeper");
  ASSERT_TRUE(Form1->DirectoryListBox1->SetDirectory(m / "data/sub"));
  OpenAndCloseADialog();
  EXPECT_EQ(Folder(), m / "data/sub");
  EXPECT_EQ(Form1->ComboBox2->Text(), m / "data[PHOTOS2]");

  // Onto another mount by the folder list alone: the selector follows.
  ASSERT_TRUE(Form1->DirectoryListBox1->SetDirectory(m / "sys/bin"));
  OpenAndCloseADialog();
  EXPECT_EQ(Folder(), m / "sys/bin");
  EXPECT_EQ(StartDrive, m / "sys");
  EXPECT_EQ(Form1->ComboBox2->Text(), m / "sys[]");

  // A mount that appeared meanwhile is listed after the next dialog.
  m.dir.MakeDir("new");
  const std::string info = testsupport::ReadFile(m.mountinfo) + "40 21 0:70 / " + (m / "new") +
                           " rw - ramfs ramfs rw\n";
  m.dir.Write("mountinfo", info);
  OpenAndCloseADialog();
  EXPECT_EQ(Form1->ComboBox2->Items().back(), m / "new [RAM]");
  EXPECT_EQ(Folder(), m / "sys/bin");
}

TEST_F(DriveWindowTest, ChoosingAnEntryMovesToThatMountsCurrentFolder) {
  m.dir.Write("stick/a.jpg", "not really a picture");
  StartIn(m / "data/sub/deeper");
  ASSERT_TRUE(Form1->DirectoryListBox1->SetDirectory(m / "data/sub"));

  Choose("stick");
  EXPECT_EQ(Folder(), m / "stick");  // never shown before: its mount point
  // The move rebuilt the file list.
  ASSERT_EQ(Form1->ListBox1->Count(), 1);
  EXPECT_EQ(Form1->ListBox1->Line(0).substr(0, 5), "a.jpg");

  Choose("data");
  EXPECT_EQ(Folder(), m / "data/sub");  // where the user left that mount
  Choose("stick");
  EXPECT_EQ(Folder(), m / "stick");
}

TEST_F(DriveWindowTest, ChoosingTheMountAlreadyShownLeavesTheFolder) {
  StartIn(m / "data/sub/deeper");
  ASSERT_TRUE(Form1->DirectoryListBox1->SetDirectory(m / "data/sub/deeper"));
  int changes = 0;
  Form1->DirectoryListBox1->OnChange = [&changes] { ++changes; };
  Choose("data");
  EXPECT_EQ(Folder(), m / "data/sub/deeper");
  EXPECT_EQ(changes, 0);
}

TEST_F(DriveWindowTest, AVanishedFolderFallsBackToTheMountPoint) {
  StartIn(m / "data");
  ASSERT_TRUE(Form1->DirectoryListBox1->SetDirectory(m / "data/sub/deeper"));
  Choose("cd");
  ASSERT_EQ(Folder(), m / "cd");
  ASSERT_EQ(::rmdir((m / "data/sub/deeper").c_str()), 0);
  Choose("data");
  EXPECT_EQ(Folder(), m / "data");
}

TEST_F(DriveWindowTest, TypedTextsMoveByTheMountTheyName) {
  StartIn(m / "data");
  const struct {
    std::string typed;
    std::string folder;
  } cases[] = {
      {"nowhere", m / "data"},             // names no mount: stays
      {"", m / "data"},                    // emptied box: stays
      {m / "with blank", m / "with blank"},
      {m / "ram [RAM]", m / "ram"},
      {m / "data[", m / "data"},
  };
  for (const auto& c : cases) {
    Form1->ComboBox2->SetText(c.typed);
    Form1->ComboBox2Change();
    EXPECT_EQ(Folder(), c.folder) << c.typed;
  }
}

TEST_F(DriveWindowTest, AListMovedBeforeTheFirstActivationKeepsItsFolder) {
  // Another window's command may run before the main window first shows.
  ASSERT_TRUE(Form1->DirectoryListBox1->SetDirectory(m / "data/sub"));
  Form1->Activate();
  EXPECT_EQ(Folder(), m / "data/sub");
  EXPECT_EQ(StartDrive, m / "data");
  EXPECT_EQ(Form1->ComboBox2->Text(), m / "data[PHOTOS2]");
}

TEST_F(DriveWindowTest, NoMountForTheFolderLeavesTheSelectorEmptyButFilled) {
  testsupport::TempDir elsewhere;
  ASSERT_TRUE(Form1->DirectoryListBox1->SetDirectory(elsewhere.path()));
  Form1->Activate();
  EXPECT_EQ(Folder(), elsewhere.path());
  EXPECT_EQ(StartDrive, "");
  EXPECT_EQ(Form1->ComboBox2->Text(), "");
  EXPECT_EQ(Form1->ComboBox2->Items().size(), 11u);
}

TEST_F(DriveWindowTest, AViewerOnTheCommandLineSkipsTheDriveSetUp) {
  CommandLineText = "/usr/bin/someviewer";
  ASSERT_TRUE(Form1->DirectoryListBox1->SetDirectory(m / "data/sub"));
  Form1->Activate();
  EXPECT_EQ(Folder(), m / "data/sub");
  EXPECT_TRUE(Form1->ComboBox2->Items().empty());
  CommandLineText.clear();
}

}  // namespace
