// The drive list built from fixture mount tables, the volume texts, and the
// mapping from an entry back to its mount.
#include <gtest/gtest.h>

#include "app/tovra1.h"
#include "browser/drives.h"
#include "browser/drives_fixture.h"
#include "ui/components.h"
#include "ui/drive_combo_box.h"

namespace {

using drivestest::MountFixture;

class DriveListTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetDrivesForTesting(); }
  void TearDown() override { ResetDrivesForTesting(); }
  MountFixture m;
};

TEST_F(DriveListTest, FillsOneTaggedEntryPerMountInMountOrder) {
  ui::TComboBox box(nullptr);
  box.SetText("kept");
  FillDriveList(&box);
  const std::vector<std::string> expected = {
      m / "sys[]",                   // fixed, no label
      m / "data[PHOTOS2]",           // fixed, label cut to 8 columns with its blank, then trimmed
      m / "stick Rm",                // removable block device
      m / "nfsserver:/export",       // nfs: mount point followed by the share
      m / "cifs//server/share",      // cifs
      m / "cd MYPHOTO",              // disc with a label: the volume text unchanged
      m / "cd2[CDROM]",              // disc without a label
      m / "ram [RAM]",               // tmpfs
      m / "with blank[]",            // \040 in mountinfo is a blank
      m / "odd ?",                   // a file system of no known kind
      m / "wide[写真フ]",             // wide label: never half a character
  };
  EXPECT_EQ(box.Items(), expected);
  EXPECT_EQ(box.Text(), "kept");
}

TEST_F(DriveListTest, RefillingReplacesTheList) {
  ui::TComboBox box(nullptr);
  FillDriveList(&box);
  const size_t first = box.Items().size();
  FillDriveList(&box);
  EXPECT_EQ(box.Items().size(), first);
  testsupport::TempDir other;
  other.MakeDir("only");
  const std::string info = other.Write("mountinfo", "5 1 8:1 / " + other.path() + "/only rw - xfs /dev/sdx1 rw\n");
  SetMountSourceForTesting(info, other / "none", other / "none");
  FillDriveList(&box);
  EXPECT_EQ(box.Items(), std::vector<std::string>{other / "only[]"});
}

TEST_F(DriveListTest, VolumeTextsOfEachMount) {
  struct Case {
    std::string mount;
    int labelResult;
    std::string volumeText;  // DriveVolumeText
    std::string label;       // VolumeText after ReadVolumeLabel
    std::string universal;   // UniversalName
  };
  const Case cases[] = {
      {"sys", -1, "", "", ""},
      {"data", 1, " PHOTOS2", "PHOTOS2006", ""},
      {"stick", 1, " STICK", "STICK", ""},
      {"nfs", -1, "", "", "server:/export"},
      {"cifs", -1, "", "", "//server/share"},
      {"cd", 1, " MYPHOTO", "MYPHOTOS2006", ""},
      {"cd2", -1, "", "", ""},
      {"ram", -1, "", "", ""},
      {"wide", 1, " 写真フ", "写真フォルダ", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mount);
    EXPECT_EQ(ReadVolumeLabel(m / c.mount), c.labelResult);
    EXPECT_EQ(VolumeText, c.label);
    EXPECT_EQ(DriveVolumeText(m / c.mount), c.volumeText);
    EXPECT_EQ(UniversalName(m / c.mount), c.universal);
    EXPECT_EQ(VolumeText, c.universal);
  }
  EXPECT_EQ(ReadVolumeLabel(m / "no such mount"), -1);
  EXPECT_EQ(DriveVolumeText(m / "no such mount"), "");
  EXPECT_EQ(UniversalName(m / "no such mount"), "");
}

TEST(VolumeLabelText, CutsTheBlankAndLabelToEightColumns) {
  const std::pair<std::string, std::string> cases[] = {
      {"", ""},
      {"ABC", " ABC"},
      {"SEVEN77", " SEVEN77"},
      {"MYPHOTOS2006", " MYPHOTO"},
      {"写真フォルダ", " 写真フ"},
      {"abc写真", " abc写真"},  // exactly 8 columns
      {"abcd写真", " abcd写"},  // the last wide character would make 9
      {"abcdef写", " abcdef"},  // no room for half of it
      {"ｱｲｳｴｵｶｷｸ", " ｱｲｳｴｵｶｷ"},  // half-width kana count 1
  };
  for (const auto& [label, text] : cases) EXPECT_EQ(ui::VolumeLabelText(label), text) << label;
}

TEST_F(DriveListTest, EveryEntryNamesItsOwnMount) {
  const std::vector<platform::Mount> mounts = CurrentMounts();
  ASSERT_EQ(mounts.size(), 11u);
  for (const platform::Mount& mt : mounts) {
    const platform::Mount* found = ui::MountOfEntry(DriveEntry(mt), mounts);
    ASSERT_NE(found, nullptr) << DriveEntry(mt);
    EXPECT_EQ(found->mountPoint, mt.mountPoint);
  }
}

TEST_F(DriveListTest, TypedTextsNameTheMountTheyBeginWith) {
  const std::vector<platform::Mount> mounts = CurrentMounts();
  const std::pair<std::string, std::string> cases[] = {
      {m / "data", m / "data"},
      {m / "data/sub/deeper", m / "data"},
      {m / "with blank", m / "with blank"},
      {m / "with blank[whatever]", m / "with blank"},
      {m / "sys/bin", m / "sys"},
      {m / "cifs//other/share", m / "cifs"},
      {m / "database", ""},  // a longer name is another folder, not the mount
      {"", ""},
      {"C:\\[]", ""},
  };
  for (const auto& [text, mount] : cases) {
    const platform::Mount* found = ui::MountOfEntry(text, mounts);
    EXPECT_EQ(found ? found->mountPoint : std::string(), mount) << text;
  }
}

TEST(RealMounts, TheMachinesMountsHoldItsFolders) {
  ResetDrivesForTesting();
  testsupport::TempDir t;
  const std::vector<platform::Mount> mounts = CurrentMounts();
  const platform::Mount* holder = platform::MountOf(t.path(), mounts);
  ASSERT_NE(holder, nullptr);
  const std::string entry = DriveEntry(*holder);
  EXPECT_EQ(entry.compare(0, holder->mountPoint.size(), holder->mountPoint), 0) << entry;
  EXPECT_GT(entry.size(), holder->mountPoint.size()) << "every kind of mount carries a tag";
  for (const platform::Mount& mt : mounts) EXPECT_NE(mt.fsType, "proc") << mt.mountPoint;
}

TEST(DriveFolders, RememberedFolderIsTheLatestOnThatMount) {
  MountFixture m;
  ui::ForgetDriveFolders();
  const std::vector<platform::Mount> mounts = CurrentMounts();
  const platform::Mount* data = ui::MountOfEntry(m / "data", mounts);
  const platform::Mount* sys = ui::MountOfEntry(m / "sys", mounts);
  ASSERT_TRUE(data && sys);
  EXPECT_EQ(ui::DriveFolder(*data, mounts), m / "data");
  RememberFolder(m / "data/sub");
  RememberFolder(m / "sys/bin");
  RememberFolder(m / "data/sub/deeper");
  EXPECT_EQ(ui::DriveFolder(*data, mounts), m / "data/sub/deeper");
  EXPECT_EQ(ui::DriveFolder(*sys, mounts), m / "sys/bin");
  RememberFolder(m / "data/sub");
  EXPECT_EQ(ui::DriveFolder(*data, mounts), m / "data/sub");
  ui::ForgetDriveFolders();
}

}  // namespace
