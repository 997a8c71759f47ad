// Memory figures and starting programs, against the running system.
#include <dirent.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <thread>

#include "platform/memory_status.h"
#include "platform/process.h"
#include "support/temp_dir.h"

namespace {

using namespace platform;
using testsupport::ReadFile;
using testsupport::TempDir;

TEST(MemoryStatusTest, ParsesTheKernelsFigures) {
  const std::string meminfo =
      "MemTotal:        8000000 kB\n"
      "MemFree:          100000 kB\n"
      "MemAvailable:    2000000 kB\n"
      "Buffers:           50000 kB\n"
      "SwapTotal:       6000000 kB\n"
      "SwapFree:        5000000 kB\n";
  const std::string status = "Name:\ttovra\nVmPeak:\t  300000 kB\nVmSize:\t  250000 kB\n";
  const MemoryStatus m = ParseMemoryStatus(meminfo, status, uint64_t{1} << 47);
  EXPECT_EQ(m.memoryLoad, 75u);
  EXPECT_EQ(m.totalPhys, 8000000ull * 1024);
  EXPECT_EQ(m.availPhys, 2000000ull * 1024);
  EXPECT_EQ(m.totalPageFile, 6000000ull * 1024);
  EXPECT_EQ(m.availPageFile, 5000000ull * 1024);
  EXPECT_EQ(m.totalVirtual, uint64_t{1} << 47);
  EXPECT_EQ(m.availVirtual, (uint64_t{1} << 47) - 250000ull * 1024);
}

TEST(MemoryStatusTest, OlderKernelsAndGarbageDoNotBreakIt) {
  const MemoryStatus old = ParseMemoryStatus(
      "MemTotal: 1000 kB\nMemFree: 100 kB\nBuffers: 50 kB\nCached: 100 kB\n", "", 4096);
  EXPECT_EQ(old.availPhys, 250u * 1024);
  EXPECT_EQ(old.memoryLoad, 75u);
  EXPECT_EQ(old.availVirtual, 4096u);
  const MemoryStatus junk = ParseMemoryStatus("nonsense\n:\nMemTotal: x kB\n", "VmSize: 99999999 kB\n", 1024);
  EXPECT_EQ(junk.totalPhys, 0u);
  EXPECT_EQ(junk.memoryLoad, 0u);
  EXPECT_EQ(junk.availVirtual, 0u);
}

TEST(MemoryStatusTest, TheRunningSystemGivesSaneFigures) {
  const MemoryStatus m = GlobalMemoryStatus();
  EXPECT_GT(m.totalPhys, 0u);
  EXPECT_LE(m.availPhys, m.totalPhys);
  EXPECT_LE(m.memoryLoad, 100u);
  EXPECT_LE(m.availPageFile, m.totalPageFile);
  EXPECT_GT(m.totalVirtual, 0u);
  EXPECT_LT(m.availVirtual, m.totalVirtual);  // this process uses some
  struct rlimit lim;
  if (::getrlimit(RLIMIT_AS, &lim) == 0 && lim.rlim_cur == RLIM_INFINITY) {
    EXPECT_EQ(m.totalVirtual, uint64_t{1} << 47);
  }
}

// Children of this process still in the process table (running or zombie).
std::vector<int> OwnChildren() {
  std::vector<int> children;
  DIR* proc = ::opendir("/proc");
  if (!proc) return children;
  while (const dirent* d = ::readdir(proc)) {
    const int pid = std::atoi(d->d_name);
    if (pid <= 0) continue;
    std::ifstream in(std::string("/proc/") + d->d_name + "/stat");
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const size_t close = text.rfind(')');
    if (close == std::string::npos) continue;
    char state = 0;
    int ppid = 0;
    if (std::sscanf(text.c_str() + close + 1, " %c %d", &state, &ppid) == 2 && ppid == ::getpid()) {
      children.push_back(pid);
    }
  }
  ::closedir(proc);
  return children;
}

bool WaitForFile(const std::string& path) {
  // Not a timing check: only a bound so that a broken start cannot hang.
  for (int i = 0; i < 1000; ++i) {
    if (::access(path.c_str(), F_OK) == 0 && !ReadFile(path).empty()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return false;
}

TEST(StartDetachedTest, StartsTheProgramWithItsArgumentsUntouched) {
  TempDir dir;
  const std::string out = dir / "out.txt";
  // The argument would be a command if anything handed it to a shell.
  const std::string arg = "/photos/a b;touch " + (dir / "injected") + ",/tools/pelmo.exe";
  ASSERT_TRUE(StartDetached("/bin/sh", {"-c", "printf '%s' \"$1\" > \"$2.tmp\" && mv \"$2.tmp\" \"$2\"", "sh", arg, out}));
  ASSERT_TRUE(WaitForFile(out));
  EXPECT_EQ(ReadFile(out), arg);
  EXPECT_FALSE(testsupport::Exists(dir / "injected"));
}

TEST(StartDetachedTest, LeavesNoChildBehind) {
  ASSERT_TRUE(StartDetached("sleep", {"2"}));  // found in PATH, still running
  EXPECT_TRUE(OwnChildren().empty());
}

TEST(StartDetachedTest, AProgramThatCannotStartIsReported) {
  TempDir dir;
  const std::string notProgram = dir.Write("picture.jpg", "not a program");
  EXPECT_FALSE(StartDetached(dir / "missing-viewer", {"a.jpg"}));
  EXPECT_FALSE(StartDetached(notProgram, {}));
  EXPECT_FALSE(StartDetached("", {}));
  EXPECT_FALSE(StartDetached("/bin/sh", {std::string("a\0b", 3)}));
  EXPECT_TRUE(OwnChildren().empty());
}

}  // namespace
