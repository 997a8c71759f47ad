#include "platform/paths.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <thread>

#include "platform/last_error.h"

namespace {

using namespace platform;

TEST(PathsTest, JoinFolderAndName) {
  const std::tuple<std::string, std::string, std::string> cases[] = {
      {"/", "a.jpg", "/a.jpg"},
      {"/photos", "a.jpg", "/photos/a.jpg"},
      {"/photos/", "a.jpg", "/photos/a.jpg"},
      {"/写真", "a.jpg", "/写真/a.jpg"},
      {"", "a.jpg", "a.jpg"},
  };
  for (const auto& [folder, name, joined] : cases) EXPECT_EQ(JoinPath(folder, name), joined);
}

TEST(PathsTest, FolderAndNameOfAPath) {
  const std::tuple<std::string, std::string, std::string> cases[] = {
      {"/photos/a.jpg", "/photos", "a.jpg"},
      {"/a.jpg", "/", "a.jpg"},
      {"/", "/", ""},
      {"/photos/", "/photos", ""},
      {"/photos//a.jpg", "/photos", "a.jpg"},
      {"a.jpg", "", "a.jpg"},
      {"/写真/表.jpg", "/写真", "表.jpg"},
  };
  for (const auto& [path, folder, name] : cases) {
    EXPECT_EQ(FolderOf(path), folder) << path;
    EXPECT_EQ(NameOf(path), name) << path;
  }
}

TEST(PathsTest, ExecutablePathAndItsOverride) {
  const std::string real = ExecutablePath();
  ASSERT_FALSE(real.empty());
  EXPECT_EQ(real[0], '/');
  struct stat st;
  EXPECT_EQ(::stat(real.c_str(), &st), 0);
  EXPECT_EQ(JoinPath(ExecutableFolder(), NameOf(real)), real);

  SetExecutablePathForTesting("/opt/tools/tovra");
  EXPECT_EQ(ExecutablePath(), "/opt/tools/tovra");
  EXPECT_EQ(ExecutableFolder(), "/opt/tools");
  SetExecutablePathForTesting("/tovra");
  EXPECT_EQ(ExecutableFolder(), "/");
  SetExecutablePathForTesting("");
  EXPECT_EQ(ExecutablePath(), real);
}

TEST(LastErrorTest, IsKeptPerThread) {
  SetLastError(183);
  uint32_t seenByOther = 1;
  std::thread other([&] {
    seenByOther = GetLastError();
    SetLastError(5);
  });
  other.join();
  EXPECT_EQ(seenByOther, 0u);
  EXPECT_EQ(GetLastError(), 183u);
}

TEST(LastErrorTest, ErrnoTable) {
  const std::pair<int, uint32_t> cases[] = {
      {0, 0},        {ENOENT, 2},   {ENOTDIR, 3},   {EACCES, 5},  {EPERM, 5},      {EISDIR, 5},
      {EXDEV, 17},   {EROFS, 19},   {EBUSY, 32},    {ETXTBSY, 32}, {ENOSPC, 112},  {EDQUOT, 112},
      {EEXIST, 183}, {EILSEQ, 123}, {ENOTEMPTY, 145}, {ENAMETOOLONG, 206}, {EIO, 1117}, {EDOM, 31},
  };
  for (const auto& [err, code] : cases) EXPECT_EQ(WinErrorFromErrno(err), code) << err;
}

}  // namespace
