// File changes on real folders: error codes, and that no data is ever lost.
#include "platform/file_ops.h"

#include <gtest/gtest.h>
#include <fcntl.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <set>

#include "platform/fs_internal.h"
#include "platform/last_error.h"
#include "support/temp_dir.h"

namespace {

using namespace platform;
using testsupport::Exists;
using testsupport::ReadFile;
using testsupport::TempDir;

struct stat StatOf(const std::string& path) {
  struct stat st{};
  EXPECT_EQ(::stat(path.c_str(), &st), 0) << path;
  return st;
}

void SetTimes(const std::string& path, time_t atime, time_t mtime, long nsec = 0) {
  struct timespec t[2];
  t[0].tv_sec = atime;
  t[0].tv_nsec = nsec;
  t[1].tv_sec = mtime;
  t[1].tv_nsec = nsec;
  ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), t, 0), 0);
}

std::set<std::string> Names(const std::string& folder) {
  std::set<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(folder)) names.insert(e.path().filename().string());
  return names;
}

// A folder on a second file system, when the machine has one at /dev/shm.
class ShmDir {
 public:
  ShmDir() {
    std::string templ = "/dev/shm/tovra-test-XXXXXX";
    if (::mkdtemp(templ.data())) path_ = templ;
  }
  ~ShmDir() {
    if (path_.empty()) return;
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

// Every failing call in one table: the files it starts from, the call, the
// code it must leave, and what must still be true afterwards.
struct FailureCase {
  const char* name;
  std::function<void(const TempDir&)> setup;
  std::function<bool(const TempDir&)> call;
  uint32_t code;
  std::function<void(const TempDir&)> after;
};

TEST(FileOpsFailures, EachFailingCallLeavesItsCodeAndTheFilesIntact) {
  const auto none = [](const TempDir&) {};
  const FailureCase cases[] = {
      {"copy of a missing file", none,
       [](const TempDir& d) { return CopyFile(d / "nothing.jpg", d / "b.jpg", false); }, 2,
       [](const TempDir& d) { EXPECT_FALSE(Exists(d / "b.jpg")); }},
      {"copy from a missing folder", none,
       [](const TempDir& d) { return CopyFile(d / "no/a.jpg", d / "b.jpg", false); }, 3, none},
      {"copy into a missing folder", [](const TempDir& d) { d.Write("a.jpg", "AAAA"); },
       [](const TempDir& d) { return CopyFile(d / "a.jpg", d / "no/a.jpg", false); }, 3,
       [](const TempDir& d) { EXPECT_EQ(Names(d.path()), std::set<std::string>{"a.jpg"}); }},
      {"copy onto a read-only file",
       [](const TempDir& d) {
         d.Write("a.jpg", "new");
         ::chmod(d.Write("b.jpg", "old").c_str(), 0444);
       },
       [](const TempDir& d) { return CopyFile(d / "a.jpg", d / "b.jpg", false); }, 5,
       [](const TempDir& d) {
         EXPECT_EQ(ReadFile(d / "b.jpg"), "old");
         EXPECT_EQ(Names(d.path()), (std::set<std::string>{"a.jpg", "b.jpg"}));
       }},
      {"copy onto itself", [](const TempDir& d) { d.Write("a.jpg", "precious bytes"); },
       [](const TempDir& d) { return CopyFile(d / "a.jpg", d / "a.jpg", false); }, 32,
       [](const TempDir& d) {
         EXPECT_EQ(ReadFile(d / "a.jpg"), "precious bytes");
         EXPECT_EQ(Names(d.path()), std::set<std::string>{"a.jpg"});
       }},
      {"copy onto itself by another spelling", [](const TempDir& d) { d.Write("a.jpg", "precious"); },
       [](const TempDir& d) { return CopyFile(d / "a.jpg", d.path() + "/./a.jpg", false); }, 32,
       [](const TempDir& d) { EXPECT_EQ(ReadFile(d / "a.jpg"), "precious"); }},
      {"copy onto a second name of the same file",
       [](const TempDir& d) { ::link(d.Write("a.jpg", "shared").c_str(), (d / "b.jpg").c_str()); },
       [](const TempDir& d) { return CopyFile(d / "a.jpg", d / "b.jpg", false); }, 32,
       [](const TempDir& d) { EXPECT_EQ(ReadFile(d / "b.jpg"), "shared"); }},
      {"copy that must not replace",
       [](const TempDir& d) {
         d.Write("a.jpg", "new");
         d.Write("b.jpg", "old");
       },
       [](const TempDir& d) { return CopyFile(d / "a.jpg", d / "b.jpg", true); }, 80,
       [](const TempDir& d) { EXPECT_EQ(ReadFile(d / "b.jpg"), "old"); }},
      {"copy onto a folder",
       [](const TempDir& d) {
         d.Write("a.jpg", "new");
         d.MakeDir("b.jpg");
       },
       [](const TempDir& d) { return CopyFile(d / "a.jpg", d / "b.jpg", false); }, 5, none},
      {"copy of a folder", [](const TempDir& d) { d.MakeDir("sub"); },
       [](const TempDir& d) { return CopyFile(d / "sub", d / "b", false); }, 5,
       [](const TempDir& d) { EXPECT_FALSE(Exists(d / "b")); }},
      {"move onto an existing file",
       [](const TempDir& d) {
         d.Write("a.jpg", "first");
         d.Write("b.jpg", "second");
       },
       [](const TempDir& d) { return MoveFile(d / "a.jpg", d / "b.jpg"); }, 183,
       [](const TempDir& d) {
         EXPECT_EQ(ReadFile(d / "a.jpg"), "first");
         EXPECT_EQ(ReadFile(d / "b.jpg"), "second");
       }},
      {"move onto a second name of the same file",
       [](const TempDir& d) { ::link(d.Write("a.jpg", "shared").c_str(), (d / "b.jpg").c_str()); },
       [](const TempDir& d) { return MoveFile(d / "a.jpg", d / "b.jpg"); }, 183,
       [](const TempDir& d) {
         EXPECT_TRUE(Exists(d / "a.jpg"));
         EXPECT_TRUE(Exists(d / "b.jpg"));
       }},
      {"move of a folder onto an empty folder",
       [](const TempDir& d) {
         d.Write("x/inside.jpg", "in x");
         d.MakeDir("y");
       },
       [](const TempDir& d) { return MoveFile(d / "x", d / "y"); }, 183,
       [](const TempDir& d) {
         EXPECT_EQ(ReadFile(d / "x/inside.jpg"), "in x");
         EXPECT_TRUE(std::filesystem::is_directory(d / "y"));
       }},
      {"move of a missing file", none, [](const TempDir& d) { return MoveFile(d / "a.jpg", d / "b.jpg"); }, 2,
       none},
      {"move into a missing folder", [](const TempDir& d) { d.Write("a.jpg", "A"); },
       [](const TempDir& d) { return MoveFile(d / "a.jpg", d / "no/a.jpg"); }, 3,
       [](const TempDir& d) { EXPECT_EQ(ReadFile(d / "a.jpg"), "A"); }},
      {"delete of a read-only file", [](const TempDir& d) { ::chmod(d.Write("a.jpg", "keep").c_str(), 0444); },
       [](const TempDir& d) { return DeleteFile(d / "a.jpg"); }, 5,
       [](const TempDir& d) { EXPECT_EQ(ReadFile(d / "a.jpg"), "keep"); }},
      {"delete of a folder", [](const TempDir& d) { d.MakeDir("sub"); },
       [](const TempDir& d) { return DeleteFile(d / "sub"); }, 5,
       [](const TempDir& d) { EXPECT_TRUE(std::filesystem::is_directory(d / "sub")); }},
      {"delete of a missing file", none, [](const TempDir& d) { return DeleteFile(d / "a.jpg"); }, 2, none},
      {"delete in a missing folder", none, [](const TempDir& d) { return DeleteFile(d / "no/a.jpg"); }, 3,
       none},
      {"new folder over a folder", [](const TempDir& d) { d.MakeDir("sub"); },
       [](const TempDir& d) { return CreateDirectory(d / "sub"); }, 183, none},
      {"new folder over a file", [](const TempDir& d) { d.Write("sub", "file"); },
       [](const TempDir& d) { return CreateDirectory(d / "sub"); }, 183,
       [](const TempDir& d) { EXPECT_EQ(ReadFile(d / "sub"), "file"); }},
      {"new folder in a missing folder", none, [](const TempDir& d) { return CreateDirectory(d / "no/sub"); }, 3,
       [](const TempDir& d) { EXPECT_FALSE(Exists(d / "no")); }},
      {"touch of a missing file", none, [](const TempDir& d) { return TouchFileTime(d / "a.jpg", 1000000); }, 2,
       [](const TempDir& d) { EXPECT_FALSE(Exists(d / "a.jpg")); }},
      {"writing over a read-only file", [](const TempDir& d) { ::chmod(d.Write("a.jpg", "old").c_str(), 0444); },
       [](const TempDir& d) { return WriteWholeFile(d / "a.jpg", "new"); }, 5,
       [](const TempDir& d) {
         EXPECT_EQ(ReadFile(d / "a.jpg"), "old");
         EXPECT_EQ(Names(d.path()), std::set<std::string>{"a.jpg"});
       }},
      {"writing into a missing folder", none, [](const TempDir& d) { return WriteWholeFile(d / "no/a.jpg", "x"); },
       3, none},
      {"empty path", none, [](const TempDir&) { return DeleteFile(""); }, 161, none},
      {"path with a NUL byte", [](const TempDir& d) { d.Write("a", "kept"); },
       [](const TempDir& d) { return DeleteFile(d / std::string("a\0b", 3)); }, 123,
       [](const TempDir& d) { EXPECT_EQ(ReadFile(d / "a"), "kept"); }},
  };
  for (const FailureCase& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    c.setup(dir);
    SetLastError(0);
    EXPECT_FALSE(c.call(dir));
    EXPECT_EQ(GetLastError(), c.code);
    c.after(dir);
  }
}

TEST(CopyFileTest, ReplacesAnExistingFileAndLeavesNoTemporaryFile) {
  TempDir dir;
  dir.Write("a.jpg", "new content");
  dir.Write("b.jpg", "old content that was longer");
  SetLastError(99);
  ASSERT_TRUE(CopyFile(dir / "a.jpg", dir / "b.jpg", false));
  EXPECT_EQ(GetLastError(), 0u);
  EXPECT_EQ(ReadFile(dir / "b.jpg"), "new content");
  EXPECT_EQ(ReadFile(dir / "a.jpg"), "new content");
  EXPECT_EQ(Names(dir.path()), (std::set<std::string>{"a.jpg", "b.jpg"}));
}

TEST(CopyFileTest, KeepsPermissionBitsAndTimes) {
  TempDir dir;
  const std::string src = dir.Write("a.jpg", std::string(300000, 'x') + "end");
  ASSERT_EQ(::chmod(src.c_str(), 0640), 0);
  SetTimes(src, 1100000000, 1200000000, 123456789);
  dir.MakeDir("out");
  ASSERT_TRUE(CopyFile(src, dir / "out/a.jpg", true));
  const struct stat st = StatOf(dir / "out/a.jpg");
  EXPECT_EQ(st.st_mode & 07777, 0640u);
  EXPECT_EQ(st.st_mtim.tv_sec, 1200000000);
  EXPECT_EQ(st.st_mtim.tv_nsec, 123456789);
  EXPECT_EQ(ReadFile(dir / "out/a.jpg"), ReadFile(src));
}

TEST(CopyFileTest, ACopyOfAReadOnlyFileIsReadOnlyAndCannotBeCopiedOver) {
  TempDir dir;
  const std::string src = dir.Write("a.jpg", "data");
  ASSERT_EQ(::chmod(src.c_str(), 0444), 0);
  ASSERT_TRUE(CopyFile(src, dir / "b.jpg", false));
  EXPECT_EQ(StatOf(dir / "b.jpg").st_mode & 0777, 0444u);
  dir.Write("c.jpg", "other");
  EXPECT_FALSE(CopyFile(dir / "c.jpg", dir / "b.jpg", false));
  EXPECT_EQ(GetLastError(), kErrorAccessDenied);
  EXPECT_EQ(ReadFile(dir / "b.jpg"), "data");
}

// A write that fails half-way (file size limit) must leave the old
// destination and no partial file.
TEST(CopyFileTest, AFailedWriteKeepsTheOldDestinationAndLeavesNoPartialFile) {
  TempDir dir;
  dir.Write("big.jpg", std::string(200000, 'b'));
  dir.Write("old.jpg", "old destination");
  struct rlimit saved;
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  struct rlimit small = saved;
  small.rlim_cur = 65536;
  void (*prev)(int) = ::signal(SIGXFSZ, SIG_IGN);
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  const bool copied = CopyFile(dir / "big.jpg", dir / "old.jpg", false);
  const uint32_t copyCode = GetLastError();
  const bool written = WriteWholeFile(dir / "old.jpg", std::string(100000, 'w'));
  const uint32_t writeCode = GetLastError();
  ::setrlimit(RLIMIT_FSIZE, &saved);
  ::signal(SIGXFSZ, prev);
  EXPECT_FALSE(copied);
  EXPECT_EQ(copyCode, kErrorFileTooLarge);
  EXPECT_FALSE(written);
  EXPECT_EQ(writeCode, kErrorFileTooLarge);
  EXPECT_EQ(ReadFile(dir / "old.jpg"), "old destination");
  EXPECT_EQ(Names(dir.path()), (std::set<std::string>{"big.jpg", "old.jpg"}));
}

TEST(MoveFileTest, APathMovedOntoItselfSucceedsUnchanged) {
  TempDir dir;
  dir.Write("a.jpg", "same");
  dir.Write("sub/b.jpg", "in sub");
  SetTimes(dir / "a.jpg", 1000000000, 1000000000);
  for (const auto& [from, to] : std::vector<std::pair<std::string, std::string>>{
           {dir / "a.jpg", dir / "a.jpg"}, {dir / "a.jpg", dir.path() + "/sub/../a.jpg"}, {dir / "sub", dir / "sub"}}) {
    SCOPED_TRACE(from + " -> " + to);
    SetLastError(99);
    EXPECT_TRUE(MoveFile(from, to));
    EXPECT_EQ(GetLastError(), 0u);
  }
  EXPECT_EQ(ReadFile(dir / "a.jpg"), "same");
  EXPECT_EQ(StatOf(dir / "a.jpg").st_mtim.tv_sec, 1000000000);
  EXPECT_EQ(ReadFile(dir / "sub/b.jpg"), "in sub");
  EXPECT_EQ(Names(dir.path()), (std::set<std::string>{"a.jpg", "sub"}));
}

TEST(MoveFileTest, MovesFilesReadOnlyFilesAndFoldersWithinOneFileSystem) {
  TempDir dir;
  dir.Write("a.jpg", "plain");
  ::chmod(dir.Write("ro.jpg", "read-only").c_str(), 0444);
  dir.Write("folder/inner.jpg", "inner");
  dir.MakeDir("dest");
  EXPECT_TRUE(MoveFile(dir / "a.jpg", dir / "dest/a.jpg"));
  EXPECT_TRUE(MoveFile(dir / "ro.jpg", dir / "dest/renamed.jpg"));
  EXPECT_TRUE(MoveFile(dir / "folder", dir / "dest/folder2"));
  EXPECT_EQ(Names(dir.path()), std::set<std::string>{"dest"});
  EXPECT_EQ(ReadFile(dir / "dest/a.jpg"), "plain");
  EXPECT_EQ(ReadFile(dir / "dest/renamed.jpg"), "read-only");
  EXPECT_EQ(StatOf(dir / "dest/renamed.jpg").st_mode & 0777, 0444u);
  EXPECT_EQ(ReadFile(dir / "dest/folder2/inner.jpg"), "inner");
}

TEST(MoveFileTest, AcrossFileSystemsAFileIsCopiedThenRemovedAndAFolderRefused) {
  TempDir dir;
  ShmDir shm;
  if (shm.path().empty()) GTEST_SKIP() << "no /dev/shm";
  if (StatOf(dir.path()).st_dev == StatOf(shm.path()).st_dev) GTEST_SKIP() << "/dev/shm is on the same file system";

  const std::string src = dir.Write("a.jpg", std::string(70000, 'q') + "tail");
  ::chmod(src.c_str(), 0604);
  SetTimes(src, 1000000000, 1111111111);
  const std::string dst = shm.path() + "/a.jpg";
  ASSERT_TRUE(MoveFile(src, dst));
  EXPECT_FALSE(Exists(src));
  EXPECT_EQ(ReadFile(dst), std::string(70000, 'q') + "tail");
  EXPECT_EQ(StatOf(dst).st_mode & 0777, 0604u);
  EXPECT_EQ(StatOf(dst).st_mtim.tv_sec, 1111111111);
  EXPECT_EQ(Names(shm.path()), std::set<std::string>{"a.jpg"});

  // Never over an existing file on the other side either.
  const std::string other = dir.Write("b.jpg", "bbb");
  ::rename(dst.c_str(), (shm.path() + "/b.jpg").c_str());
  EXPECT_FALSE(MoveFile(other, shm.path() + "/b.jpg"));
  EXPECT_EQ(GetLastError(), kErrorAlreadyExists);
  EXPECT_EQ(ReadFile(other), "bbb");
  EXPECT_EQ(ReadFile(shm.path() + "/b.jpg"), std::string(70000, 'q') + "tail");

  dir.Write("folder/inner.jpg", "inner");
  EXPECT_FALSE(MoveFile(dir / "folder", shm.path() + "/folder"));
  EXPECT_EQ(GetLastError(), kErrorNotSameDevice);
  EXPECT_EQ(ReadFile(dir / "folder/inner.jpg"), "inner");
  EXPECT_FALSE(Exists(shm.path() + "/folder"));
}

// File systems that refuse the no-replace rename (level 1) or hard links as
// well (level 2) must keep the same promises.
TEST(MoveFileTest, TheFallbacksNeverReplaceEither) {
  struct Reset {
    ~Reset() { internal::SetNoReplaceFallbackForTesting(0); }
  } reset;
  for (int level : {1, 2}) {
    SCOPED_TRACE(level);
    internal::SetNoReplaceFallbackForTesting(level);
    TempDir dir;
    dir.Write("a.jpg", "first");
    dir.Write("b.jpg", "second");
    dir.Write("x/inner.jpg", "inner");
    dir.MakeDir("empty");

    EXPECT_FALSE(MoveFile(dir / "a.jpg", dir / "b.jpg"));
    EXPECT_EQ(GetLastError(), kErrorAlreadyExists);
    EXPECT_FALSE(MoveFile(dir / "x", dir / "empty"));
    EXPECT_EQ(GetLastError(), kErrorAlreadyExists);
    EXPECT_FALSE(CopyFile(dir / "a.jpg", dir / "b.jpg", true));
    EXPECT_EQ(GetLastError(), kErrorFileExists);
    EXPECT_TRUE(MoveFile(dir / "a.jpg", dir / "a.jpg"));
    EXPECT_EQ(ReadFile(dir / "a.jpg"), "first");
    EXPECT_EQ(ReadFile(dir / "b.jpg"), "second");
    EXPECT_EQ(ReadFile(dir / "x/inner.jpg"), "inner");
    EXPECT_TRUE(std::filesystem::is_empty(dir / "empty"));

    EXPECT_TRUE(MoveFile(dir / "a.jpg", dir / "c.jpg"));
    EXPECT_TRUE(MoveFile(dir / "x", dir / "y"));
    EXPECT_TRUE(CopyFile(dir / "b.jpg", dir / "d.jpg", true));
    EXPECT_EQ(Names(dir.path()), (std::set<std::string>{"b.jpg", "c.jpg", "d.jpg", "empty", "y"}));
    EXPECT_EQ(ReadFile(dir / "c.jpg"), "first");
    EXPECT_EQ(ReadFile(dir / "d.jpg"), "second");
    EXPECT_EQ(ReadFile(dir / "y/inner.jpg"), "inner");

    ShmDir shm;
    if (!shm.path().empty()) {
      EXPECT_TRUE(MoveFile(dir / "c.jpg", shm.path() + "/c.jpg"));
      EXPECT_EQ(ReadFile(shm.path() + "/c.jpg"), "first");
      EXPECT_FALSE(Exists(dir / "c.jpg"));
    }
  }
}

TEST(DeleteFileTest, DeletesAfterReadOnlyIsCleared) {
  TempDir dir;
  const std::string path = dir.Write("a.jpg", "x");
  ::chmod(path.c_str(), 0444);
  EXPECT_FALSE(DeleteFile(path));
  ASSERT_TRUE(SetArchiveOnly(path));
  EXPECT_NE(StatOf(path).st_mode & S_IWUSR, 0u);
  EXPECT_TRUE(DeleteFile(path));
  EXPECT_FALSE(Exists(path));
}

TEST(DeleteFileTest, RemovesALinkNotWhatItPointsAt) {
  TempDir dir;
  const std::string target = dir.Write("a.jpg", "target");
  ASSERT_EQ(::symlink(target.c_str(), (dir / "link.jpg").c_str()), 0);
  ASSERT_EQ(::symlink((dir / "gone").c_str(), (dir / "dead.jpg").c_str()), 0);
  EXPECT_TRUE(DeleteFile(dir / "link.jpg"));
  EXPECT_TRUE(DeleteFile(dir / "dead.jpg"));
  EXPECT_EQ(Names(dir.path()), std::set<std::string>{"a.jpg"});
}

TEST(CreateDirectoryTest, CreatesAFolder) {
  TempDir dir;
  ASSERT_TRUE(CreateDirectory(dir / "new"));
  EXPECT_TRUE(std::filesystem::is_directory(dir / "new"));
}

TEST(FileExistsTest, AnswersForFilesOnly) {
  TempDir dir;
  dir.Write("a.jpg", "x");
  dir.MakeDir("sub");
  EXPECT_TRUE(FileExists(dir / "a.jpg"));
  EXPECT_FALSE(FileExists(dir / "sub"));
  EXPECT_FALSE(FileExists(dir / "b.jpg"));
  EXPECT_EQ(GetLastError(), kErrorFileNotFound);
}

TEST(TouchFileTimeTest, SetsBothTimesButNotOnAReadOnlyFile) {
  TempDir dir;
  const std::string path = dir.Write("a.jpg", "x");
  ASSERT_TRUE(TouchFileTime(path, 1234567890));
  EXPECT_EQ(StatOf(path).st_mtim.tv_sec, 1234567890);
  EXPECT_EQ(StatOf(path).st_atim.tv_sec, 1234567890);

  const std::string ro = dir.Write("ro.jpg", "y");
  SetTimes(ro, 1000000000, 1000000001);
  ::chmod(ro.c_str(), 0444);
  EXPECT_FALSE(TouchFileTime(ro, 1234567890));
  EXPECT_EQ(GetLastError(), kErrorAccessDenied);
  EXPECT_EQ(StatOf(ro).st_mtim.tv_sec, 1000000001);
  EXPECT_EQ(StatOf(ro).st_atim.tv_sec, 1000000000);
}

TEST(WriteWholeFileTest, CreatesAndReplacesKeepingTheModeOfTheOldFile) {
  TempDir dir;
  const std::string path = dir / "out.html";
  ASSERT_TRUE(WriteWholeFile(path, std::string("line\r\n\0end", 10)));
  EXPECT_EQ(ReadFile(path), std::string("line\r\n\0end", 10));
  ::chmod(path.c_str(), 0604);
  ASSERT_TRUE(WriteWholeFile(path, "second"));
  EXPECT_EQ(ReadFile(path), "second");
  EXPECT_EQ(StatOf(path).st_mode & 0777, 0604u);
  ASSERT_TRUE(WriteWholeFile(path, ""));
  EXPECT_EQ(ReadFile(path), "");
  EXPECT_EQ(Names(dir.path()), std::set<std::string>{"out.html"});
  dir.MakeDir("sub");
  EXPECT_FALSE(WriteWholeFile(dir / "sub", "x"));
  EXPECT_EQ(GetLastError(), kErrorAccessDenied);
}

}  // namespace
