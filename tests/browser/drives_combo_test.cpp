// The drive selector component other windows link to their folder list.
#include <gtest/gtest.h>

#include "browser/drives.h"
#include "browser/drives_fixture.h"
#include "ui/components.h"
#include "ui/drive_combo_box.h"

namespace {

using drivestest::MountFixture;

class DriveComboTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetDrivesForTesting();
    list.OnChange = [this] { ++changes; };
  }
  void TearDown() override { ResetDrivesForTesting(); }

  int IndexOf(const std::string& entry) const {
    const auto items = box.Items();
    for (size_t i = 0; i < items.size(); ++i)
      if (items[i] == entry) return static_cast<int>(i);
    return -1;
  }

  MountFixture m;
  ui::TFolderList list{nullptr};
  ui::TDriveComboBox box{nullptr};
  int changes = 0;
};

TEST_F(DriveComboTest, ListsTheMountsAndShowsTheListsMount) {
  ASSERT_TRUE(list.SetDirectory(m / "data/sub"));
  box.SetFolderList(&list);
  ui::TComboBox main(nullptr);
  FillDriveList(&main);
  EXPECT_EQ(box.Items(), main.Items());
  EXPECT_EQ(box.Text(), m / "data[PHOTOS2]");
  EXPECT_EQ(list.Directory(), m / "data/sub");  // linking moves nothing
}

TEST_F(DriveComboTest, ChoosingMovesTheLinkedListAndBack) {
  ASSERT_TRUE(list.SetDirectory(m / "data/sub/deeper"));
  box.SetFolderList(&list);
  changes = 0;
  const int cifs = IndexOf(m / "cifs//server/share");
  ASSERT_GE(cifs, 0);
  box.setCurrentIndex(cifs);
  emit box.activated(cifs);
  EXPECT_EQ(list.Directory(), m / "cifs");
  EXPECT_EQ(changes, 1);
  ASSERT_TRUE(list.SetDirectory(m / "cifs/dir"));

  const int data = IndexOf(m / "data[PHOTOS2]");
  box.ChooseItem(data);
  EXPECT_EQ(list.Directory(), m / "data/sub/deeper");
  EXPECT_EQ(box.Text(), m / "data[PHOTOS2]");
  box.ChooseItem(cifs);
  EXPECT_EQ(list.Directory(), m / "cifs/dir");
}

TEST_F(DriveComboTest, ChoosingTheShownMountDoesNothing) {
  ASSERT_TRUE(list.SetDirectory(m / "with blank"));
  box.SetFolderList(&list);
  changes = 0;
  box.ChooseItem(IndexOf(m / "with blank[]"));
  box.ChooseItem(-1);
  box.ChooseItem(1000);
  EXPECT_EQ(list.Directory(), m / "with blank");
  EXPECT_EQ(changes, 0);
}

TEST_F(DriveComboTest, FollowsTheListWhenAskedAndWithoutAList) {
  ASSERT_TRUE(list.SetDirectory(m / "ram"));
  box.SetFolderList(&list);
  ASSERT_TRUE(list.SetDirectory(m / "stick"));
  box.SyncToFolderList();
  EXPECT_EQ(box.Text(), m / "stick Rm");
  ui::TDriveComboBox alone(nullptr);
  alone.Refresh();
  EXPECT_EQ(alone.Items(), box.Items());
  alone.ChooseItem(0);  // no list to move: nothing happens
}

}  // namespace
