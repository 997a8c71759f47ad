// Finding the decoder plug-ins beside the executable, and the filter box and
// format table made from them.
#include <gtest/gtest.h>

#include <fstream>
#include <utility>
#include <vector>

#include "app/startup.h"
#include "app/tovra1.h"
#include "browser/plugin_discovery.h"
#include "forms/form1.h"
#include "platform/paths.h"
#include "support/temp_dir.h"

namespace {

using Strings = std::vector<std::string>;

void CopyBuilt(const std::string& builtName, const std::string& to) {
  std::ifstream in(std::string(TOVRA_BIN_DIR) + "/" + builtName, std::ios::binary);
  ASSERT_TRUE(in) << builtName;
  std::ofstream out(to, std::ios::binary);
  out << in.rdbuf();
}

class PluginDiscovery : public ::testing::Test {
 protected:
  void SetUp() override {
    CreateWindows();
    platform::SetExecutablePathForTesting(dir / "tovra");
  }
  void TearDown() override {
    platform::SetExecutablePathForTesting("");
    DestroyWindows();
  }
  // Puts the built PNG or GIF plug-in into the folder under a name.
  void Png(const std::string& as) { CopyBuilt("InPng.spi", dir / as); }
  void Gif(const std::string& as) { CopyBuilt("InGif.spi", dir / as); }
  void Activate() {
    FindPlugins();
    SetUpFilterAndFormats();
  }
  Strings FoundFiles() const {
    Strings names;
    for (const auto& n : PluginFiles) {
      if (n.empty()) break;
      names.push_back(n);
    }
    return names;
  }

  testsupport::TempDir dir;
};

struct Expected {
  std::string filter;
  Strings items;
  FormatSlot slot2, slot3;
  int count;
};

void ExpectSetUp(const Expected& e, const std::string& what) {
  SCOPED_TRACE(what);
  EXPECT_EQ(FilterText, e.filter);
  EXPECT_EQ(Form1->ComboBox1->Text(), e.filter);
  EXPECT_EQ(Form1->ComboBox1->Items(), e.items);
  EXPECT_EQ(FormatTable[0].Extension, ".BMP");
  EXPECT_EQ(FormatTable[0].PluginFile, "");
  EXPECT_EQ(FormatTable[1].Extension, ".JPG");
  EXPECT_EQ(FormatTable[1].PluginFile, "");
  EXPECT_EQ(FormatTable[2].Extension, e.slot2.Extension);
  EXPECT_EQ(FormatTable[2].PluginFile, e.slot2.PluginFile);
  EXPECT_EQ(FormatTable[3].Extension, e.slot3.Extension);
  EXPECT_EQ(FormatTable[3].PluginFile, e.slot3.PluginFile);
  EXPECT_EQ(FormatCount, e.count);
}

TEST_F(PluginDiscovery, NoPlugin) {
  dir.Write("readme.txt", "not a plug-in");
  Activate();
  EXPECT_TRUE(FoundFiles().empty());
  EXPECT_EQ(PluginList[0].FormatWord, "");
  ExpectSetUp({"bmp,jpg", {"jpg", "bmp", "bmp,jpg"}, {}, {}, 2}, "none");
}

TEST_F(PluginDiscovery, OnePngPlugin) {
  Png("InPng.spi");
  Activate();
  EXPECT_EQ(FoundFiles(), Strings{"InPng.spi"});
  EXPECT_EQ(PluginList[0].PluginFile, "InPng.spi");
  EXPECT_EQ(PluginList[0].FormatWord, "PNG");
  EXPECT_EQ(PluginList[1].FormatWord, "");
  ExpectSetUp({"bmp,jpg,png", {"jpg", "bmp", "png", "bmp,jpg,png"}, {".PNG", "InPng.spi"}, {}, 3}, "png");
}

TEST_F(PluginDiscovery, BothPluginsInNameOrder) {
  // InGif.spi sorts before InPng.spi: GIF comes first.
  Png("InPng.spi");
  Gif("InGif.spi");
  Activate();
  EXPECT_EQ(FoundFiles(), (Strings{"InGif.spi", "InPng.spi"}));
  ExpectSetUp({"bmp,jpg,gif,png",
               {"jpg", "bmp", "gif", "png", "bmp,jpg,gif,png"},
               {".PNG", "InPng.spi"},
               {".GIF", "InGif.spi"},
               4},
              "gif first");
}

TEST_F(PluginDiscovery, BothPluginsPngFirst) {
  Png("A_png.spi");
  Gif("B_gif.spi");
  Activate();
  ExpectSetUp({"bmp,jpg,png,gif",
               {"jpg", "bmp", "png", "gif", "bmp,jpg,png,gif"},
               {".PNG", "A_png.spi"},
               {".GIF", "B_gif.spi"},
               4},
              "png first");
}

TEST_F(PluginDiscovery, GifOnlyKeepsSlotTwoEmpty) {
  Gif("InGif.spi");
  Activate();
  ExpectSetUp({"bmp,jpg,gif", {"jpg", "bmp", "gif", "bmp,jpg,gif"}, {}, {".GIF", "InGif.spi"}, 3}, "gif only");
}

TEST_F(PluginDiscovery, WhatIsNotAUsablePluginIsLeftOut) {
  Png(".Hidden.spi");                             // hidden
  dir.MakeDir("folder.spi");                      // a folder
  dir.Write("AAA.spi", "this is no library");     // does not load
  dir.Write("InPng.spi.bak", "");                 // another extension
  Gif("gif_plugin.txt");                          // a plug-in by content, not by name
  Png("png.spi");
  Activate();
  EXPECT_EQ(FoundFiles(), (Strings{"AAA.spi", "png.spi"}));
  ExpectSetUp({"bmp,jpg,png", {"jpg", "bmp", "png", "bmp,jpg,png"}, {".PNG", "png.spi"}, {}, 3}, "left out");
}

TEST_F(PluginDiscovery, TheFirstOfTwoPluginsForOneFormatServesIt) {
  Png("P1.spi");
  Png("P2.spi");
  Activate();
  EXPECT_EQ(PluginList[0].PluginFile, "P1.spi");
  EXPECT_EQ(PluginList[1].FormatWord, "");
  ExpectSetUp({"bmp,jpg,png", {"jpg", "bmp", "png", "bmp,jpg,png"}, {".PNG", "P1.spi"}, {}, 3}, "two png");
}

TEST_F(PluginDiscovery, RepeatedActivationDoesNotGrowTheList) {
  Png("InPng.spi");
  Gif("InGif.spi");
  const Expected e{"bmp,jpg,gif,png",
                   {"jpg", "bmp", "gif", "png", "bmp,jpg,gif,png"},
                   {".PNG", "InPng.spi"},
                   {".GIF", "InGif.spi"},
                   4};
  for (int i = 0; i < 3; ++i) {
    Form1->ComboBox1->SetText("jpg");  // the user's filter is replaced
    Activate();
    ExpectSetUp(e, "activation " + std::to_string(i));
  }
}

TEST_F(PluginDiscovery, TheMainWindowsActivationRunsTheDiscovery) {
  Gif("InGif.spi");
  for (int i = 0; i < 2; ++i) {
    Form1->Activate();
    ExpectSetUp({"bmp,jpg,gif", {"jpg", "bmp", "gif", "bmp,jpg,gif"}, {}, {".GIF", "InGif.spi"}, 3},
                "main window activation " + std::to_string(i));
  }
}

TEST_F(PluginDiscovery, APluginRemovedIsForgottenAtTheNextActivation) {
  Png("InPng.spi");
  Gif("InGif.spi");
  Activate();
  ASSERT_EQ(FormatCount, 4);
  ASSERT_EQ(std::remove((dir / "InPng.spi").c_str()), 0);
  Activate();
  EXPECT_EQ(FoundFiles(), Strings{"InGif.spi"});
  EXPECT_EQ(PluginList[1].FormatWord, "");
  ExpectSetUp({"bmp,jpg,gif", {"jpg", "bmp", "gif", "bmp,jpg,gif"}, {}, {".GIF", "InGif.spi"}, 3}, "after removal");
}

TEST_F(PluginDiscovery, MoreFilesThanTheListHoldsAreIgnored) {
  Strings names;
  for (int i = 0; i < 25; ++i) {
    char name[16];
    std::snprintf(name, sizeof name, "P%02d.spi", i);
    names.push_back(name);
    if (i == 24) {
      Gif(name);  // lies beyond the list: never asked
    } else {
      Png(name);
    }
  }
  Activate();
  const Strings found = FoundFiles();
  ASSERT_EQ(found.size(), static_cast<size_t>(kPluginCapacity - 1));
  EXPECT_EQ(found, Strings(names.begin(), names.begin() + kPluginCapacity - 1));
  EXPECT_EQ(PluginFiles[kPluginCapacity - 1], "");
  ExpectSetUp({"bmp,jpg,png", {"jpg", "bmp", "png", "bmp,jpg,png"}, {".PNG", "P00.spi"}, {}, 3}, "25 files");
}

}  // namespace
