#pragma once
// The ten windows for one window test, built offscreen and torn down after.
#include <gtest/gtest.h>

#include "app/startup.h"
#include "browser/file_list.h"
#include "forms/form1.h"
#include "support/dialog_script.h"
#include "support/temp_dir.h"

namespace testsupport {

class WindowsTest : public ::testing::Test {
 protected:
  void SetUp() override { CreateWindows(); }
  void TearDown() override { DestroyWindows(); }

  // Shows the folder under a filter and rebuilds the list.
  void Browse(const std::string& folder, const std::string& filter) {
    Form1->ComboBox1->SetText(filter);
    ASSERT_TRUE(Form1->DirectoryListBox1->SetDirectory(folder));
    RefreshFileList();
  }

  TempDir dir;
  DialogScript script;
};

}  // namespace testsupport
