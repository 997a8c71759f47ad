#pragma once
// The ten windows over real temporary folders, dialogs scripted.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "app/startup.h"
#include "app/tovra1.h"
#include "browser/file_list.h"
#include "forms/form1.h"
#include "support/dialog_script.h"
#include "support/temp_dir.h"

namespace fileops_test {

inline std::set<std::string> Names(const std::string& folder) {
  std::set<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(folder)) names.insert(e.path().filename().string());
  return names;
}

inline void MakeReadOnly(const std::string& path) { ASSERT_EQ(::chmod(path.c_str(), 0444), 0); }

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // A named viewer keeps the drive set-up from moving the folder list when
    // the main window is activated again after a dialog.
    CommandLineText = "/usr/bin/true";
    CreateWindows();
    Form1->ComboBox1->SetText("bmp,jpg");
    ASSERT_TRUE(Form1->DirectoryListBox1->SetDirectory(src.path()));
    RefreshFileList();
  }
  void TearDown() override {
    DestroyWindows();
    CommandLineText.clear();
  }

  // Rebuilds the list and selects the named files (the first one focused).
  void Select(const std::vector<std::string>& names) {
    RefreshFileList();
    Form1->ListBox1->clearSelection();
    bool first = true;
    for (const std::string& name : names) {
      bool found = false;
      for (int i = 0; i < ImageFileCount; ++i) {
        if (ImageFileList[static_cast<size_t>(i)].FileName != name) continue;
        Form1->ListBox1->SetSelected(i, true);
        if (first) Form1->ListBox1->SetItemIndex(i);
        first = false;
        found = true;
      }
      ASSERT_TRUE(found) << name;
    }
  }

  std::vector<std::string> Texts() const {
    std::vector<std::string> t;
    for (const auto& b : script.boxes) t.push_back(b.text);
    return t;
  }

  testsupport::DialogScript script;
  testsupport::TempDir src;
  testsupport::TempDir dst;
};

}  // namespace fileops_test
