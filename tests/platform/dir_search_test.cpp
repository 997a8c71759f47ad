// Folder listing on a real folder with every kind of entry.
#include "platform/dir_search.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <map>

#include "platform/last_error.h"
#include "support/temp_dir.h"

namespace {

using namespace platform;
using testsupport::TempDir;

std::map<std::string, FindEntry> ByName(const std::vector<FindEntry>& entries) {
  std::map<std::string, FindEntry> m;
  for (const FindEntry& e : entries) EXPECT_TRUE(m.emplace(e.name, e).second) << "twice: " << e.name;
  return m;
}

TEST(FindFilesTest, ListsEveryEntryWithItsAttributes) {
  TempDir dir;
  dir.Write("a.jpg", "12345");
  dir.Write(".hidden.png", "123");
  ::chmod(dir.Write("ro.bmp", "1234567").c_str(), 0444);
  dir.MakeDir("sub");
  dir.MakeDir(".hiddendir");
  ASSERT_EQ(::symlink((dir / "a.jpg").c_str(), (dir / "link.jpg").c_str()), 0);
  ASSERT_EQ(::symlink((dir / "gone.jpg").c_str(), (dir / "dead.jpg").c_str()), 0);
  ASSERT_EQ(::symlink((dir / "sub").c_str(), (dir / "sublink").c_str()), 0);
  // 4 GiB + 123 bytes, sparse: its size reads as the low 32 bits.
  const int fd = ::open((dir / "big.bin").c_str(), O_WRONLY | O_CREAT, 0644);
  ASSERT_GE(fd, 0);
  const bool sparse = ::ftruncate(fd, (off_t{1} << 32) + 123) == 0;
  ::close(fd);

  std::vector<FindEntry> out;
  ASSERT_TRUE(FindFiles(dir.path(), out));
  ASSERT_GE(out.size(), 2u);
  EXPECT_EQ(out[0].name, ".");
  EXPECT_EQ(out[1].name, "..");
  for (int i = 0; i < 2; ++i) {
    EXPECT_TRUE(out[i].directory);
    EXPECT_FALSE(out[i].hidden);
  }

  struct Expect {
    const char* name;
    uint32_t size;
    bool directory, hidden, readOnly;
  };
  const Expect expected[] = {
      {"a.jpg", 5, false, false, false},      {".hidden.png", 3, false, true, false},
      {"ro.bmp", 7, false, false, true},      {"sub", 0, true, false, false},
      {".hiddendir", 0, true, true, false},   {"link.jpg", 5, false, false, false},
      {"dead.jpg", 0, false, false, false},   {"sublink", 0, true, false, false},
  };
  auto found = ByName(out);
  EXPECT_EQ(found.size(), std::size(expected) + 3);  // ".", "..", big.bin
  for (const Expect& e : expected) {
    SCOPED_TRACE(e.name);
    auto it = found.find(e.name);
    ASSERT_NE(it, found.end());
    EXPECT_EQ(it->second.size, e.size);
    EXPECT_EQ(it->second.directory, e.directory);
    EXPECT_EQ(it->second.hidden, e.hidden);
    EXPECT_EQ(it->second.readOnly, e.readOnly);
  }
  if (sparse) {
    EXPECT_EQ(found["big.bin"].size, 123u);
  }
}

TEST(FindFilesTest, AFolderThatCannotBeSearchedGivesNothing) {
  TempDir dir;
  dir.Write("file.jpg", "x");
  const std::pair<std::string, uint32_t> cases[] = {
      {dir / "missing", kErrorPathNotFound},
      {dir / "missing/deeper", kErrorPathNotFound},
      {dir / "file.jpg", kErrorPathNotFound},
      {"", kErrorBadPathname},
  };
  for (const auto& [folder, code] : cases) {
    SCOPED_TRACE(folder);
    std::vector<FindEntry> out(3);
    EXPECT_FALSE(FindFiles(folder, out));
    EXPECT_TRUE(out.empty());
    EXPECT_EQ(GetLastError(), code);
  }
}

TEST(FindFilesTest, AnEmptyFolderHoldsOnlyTheDotEntries) {
  TempDir dir;
  std::vector<FindEntry> out;
  ASSERT_TRUE(FindFiles(dir.path(), out));
  ASSERT_EQ(out.size(), 2u);
  EXPECT_EQ(out[0].name, ".");
  EXPECT_EQ(out[1].name, "..");
}

TEST(FindFileTest, LooksUpOnePath) {
  TempDir dir;
  ::chmod(dir.Write("ro.jpg", "abc").c_str(), 0400);
  ASSERT_EQ(::symlink((dir / "gone").c_str(), (dir / ".dead").c_str()), 0);
  FindEntry e{};
  ASSERT_TRUE(FindFile(dir / "ro.jpg", e));
  EXPECT_EQ(e.name, "ro.jpg");
  EXPECT_EQ(e.size, 3u);
  EXPECT_TRUE(e.readOnly);
  EXPECT_FALSE(e.directory);
  ASSERT_TRUE(FindFile(dir / ".dead", e));
  EXPECT_EQ(e.size, 0u);
  EXPECT_TRUE(e.hidden);
  EXPECT_FALSE(e.directory);
  ASSERT_TRUE(FindFile(dir.path(), e));
  EXPECT_TRUE(e.directory);

  EXPECT_FALSE(FindFile(dir / "none.jpg", e));
  EXPECT_EQ(GetLastError(), kErrorFileNotFound);
  EXPECT_FALSE(FindFile(dir / "no/none.jpg", e));
  EXPECT_EQ(GetLastError(), kErrorPathNotFound);
}

}  // namespace
