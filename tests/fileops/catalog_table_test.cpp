// Compaction and sorting of the catalog table, without any window.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/tovra1.h"
#include "catalog/catlog1.h"
#include "fileops/catalog_file_commands.h"

namespace {

void SetTable(const std::vector<std::string>& paths, int built) {
  for (size_t k = 0; k < paths.size(); ++k) {
    CatalogTable[k] = CatalogEntry{paths[k], static_cast<int32_t>(10 + k), static_cast<int32_t>(20 + k),
                                   static_cast<uint32_t>(100 + k), static_cast<int32_t>(k)};
  }
  ImageFileCount = static_cast<int32_t>(paths.size());
  BuiltCount = built;
}

std::vector<std::string> Paths(int n) {
  std::vector<std::string> out;
  for (int k = 0; k < n; ++k) out.push_back(CatalogTable[static_cast<size_t>(k)].Path);
  return out;
}

std::vector<int32_t> Indices(int n) {
  std::vector<int32_t> out;
  for (int k = 0; k < n; ++k) out.push_back(CatalogTable[static_cast<size_t>(k)].ImageIndex);
  return out;
}

TEST(CompactCatalog, SurvivorsCloseUpInOrderWithAllTheirFields) {
  struct Case {
    std::vector<std::string> paths;  // "" = moved away or deleted
    std::vector<std::string> kept;
    std::vector<int32_t> indices;
  } cases[] = {
      {{"/d/a", "", "/d/c", "", "/d/e"}, {"/d/a", "/d/c", "/d/e"}, {0, 2, 4}},
      {{"", "", "/d/c"}, {"/d/c"}, {2}},
      {{"/d/a", "/d/b", ""}, {"/d/a", "/d/b"}, {0, 1}},
      {{"", "", ""}, {}, {}},
      {{"/d/a", "/d/b"}, {"/d/a", "/d/b"}, {0, 1}},
  };
  for (const auto& c : cases) {
    SetTable(c.paths, static_cast<int>(c.paths.size()));
    CompactCatalog();
    const int n = static_cast<int>(c.kept.size());
    EXPECT_EQ(ImageFileCount, n);
    EXPECT_EQ(Paths(n), c.kept);
    EXPECT_EQ(Indices(n), c.indices);
    for (int k = 0; k < n; ++k) {
      const auto& e = CatalogTable[static_cast<size_t>(k)];
      const int from = c.indices[static_cast<size_t>(k)];
      EXPECT_EQ(e.Width, 10 + from);
      EXPECT_EQ(e.Height, 20 + from);
      EXPECT_EQ(e.Size, static_cast<uint32_t>(100 + from));
    }
    for (size_t k = static_cast<size_t>(n); k < c.paths.size(); ++k) {
      EXPECT_TRUE(CatalogTable[k].Path.empty()) << k;
    }
  }
}

TEST(CompactCatalog, PositionsTheBuildDidNotWriteCountAsEmpty) {
  // A build stopped after two entries; the rest hold an earlier build's data.
  SetTable({"/d/a", "", "/old/x", "/old/y"}, 2);
  CompactCatalog();
  EXPECT_EQ(ImageFileCount, 1);
  EXPECT_EQ(BuiltCount, 1);
  EXPECT_EQ(CatalogTable[0].Path, "/d/a");
}

TEST(SortCatalogByPath, AscendingByUnsignedBytesKeepingEachEntryWhole) {
  SetTable({"/d/img3.jpg", "/d/B.jpg", "/d/\xe3\x81\x82.jpg", "/d/a.jpg", "/d/img10.jpg", "/d/img1.jpg"}, 6);
  SortCatalogByPath();
  EXPECT_EQ(Paths(6), (std::vector<std::string>{"/d/B.jpg", "/d/a.jpg", "/d/img1.jpg", "/d/img10.jpg",
                                                "/d/img3.jpg", "/d/\xe3\x81\x82.jpg"}));
  EXPECT_EQ(Indices(6), (std::vector<int32_t>{1, 3, 5, 4, 0, 2}));
  EXPECT_EQ(CatalogTable[0].Size, 101u);
  EXPECT_EQ(CatalogTable[5].Width, 12);
}

TEST(SortCatalogByPath, AProperPrefixIsSmaller) {
  SetTable({"/d/ab.jpg", "/d/a", "/d/ab"}, 3);
  SortCatalogByPath();
  EXPECT_EQ(Paths(3), (std::vector<std::string>{"/d/a", "/d/ab", "/d/ab.jpg"}));
}

TEST(SortCatalogByPath, LeavesUnbuiltPositionsAlone) {
  SetTable({"/d/c", "/d/b", "/old/a"}, 2);
  SortCatalogByPath();
  EXPECT_EQ(Paths(3), (std::vector<std::string>{"/d/b", "/d/c", "/old/a"}));
}

}  // namespace
