// Drive list from mountinfo texts, label folders and block-device folders
// written for each case.
#include "platform/mounts.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "support/temp_dir.h"

namespace {

using namespace platform;
using testsupport::TempDir;

// Labels and devices as udev and the kernel show them: sda (fixed, one
// labelled partition, one not), sdb (a removable stick), sr0 (an optical
// drive with a labelled disc).
struct Machine {
  TempDir dir;
  std::string labels = dir.MakeDir("by-label");
  std::string block = dir.MakeDir("block");
  Machine() {
    dir.Write("block/sda/removable", "0\n");
    dir.MakeDir("block/sda/sda1");
    dir.MakeDir("block/sda/sda2");
    dir.Write("block/sdb/removable", "1\n");
    dir.MakeDir("block/sdb/sdb1");
    dir.Write("block/sdc/removable", "1\n");
    dir.Write("block/sr0/removable", "1\n");
    Link("SYSTEM", "sda1");
    Link("MY\\x20STICK", "sdb1");
    Link("MYPHOTOS2006", "sr0");
  }
  void Link(const std::string& label, const std::string& device) const {
    EXPECT_EQ(::symlink(("../../" + device).c_str(), (labels + "/" + label).c_str()), 0);
  }
  std::vector<Mount> Read(const std::string& mountinfo) const { return ParseMounts(mountinfo, labels, block); }
};

const char kMountinfo[] =
    "22 28 0:21 / /proc rw,relatime - proc proc rw\n"
    "23 28 0:22 / /sys rw,relatime - sysfs sysfs rw\n"
    "24 28 0:6 / /dev rw,relatime - devtmpfs udev rw,size=100k\n"
    "28 1 8:1 / / rw,relatime shared:1 - ext4 /dev/sda1 rw\n"
    "29 28 8:2 / /home rw,relatime shared:2 - ext4 /dev/sda2 rw\n"
    "30 24 0:25 / /dev/pts rw - devpts devpts rw\n"
    "31 28 0:26 / /run rw,nosuid shared:5 - tmpfs tmpfs rw,size=800k\n"
    "32 23 0:27 / /sys/fs/cgroup rw - cgroup2 cgroup2 rw\n"
    "40 28 8:17 / /media/user/MY\\040STICK rw shared:9 - vfat /dev/sdb1 rw\n"
    "41 28 8:32 / /mnt/card rw - vfat /dev/sdc rw\n"
    "42 28 11:0 / /media/cdrom ro - iso9660 /dev/sr0 ro\n"
    "43 28 11:1 / /mnt/dvd ro - udf /dev/sr1 ro\n"
    "44 28 0:50 / /mnt/nas rw - nfs4 nas:/export/photos rw\n"
    "45 28 0:51 / /mnt/share rw - cifs //server/share rw\n"
    "46 28 0:52 / /mnt/remote rw - fuse.sshfs user@host:/pics rw\n"
    "47 28 0:53 / /mnt/tab\\011and\\134back rw - ext4 /dev/sda2 rw\n"
    "48 28 0:54 / /run/user/1000/gvfs rw - fuse.gvfsd-fuse gvfsd-fuse rw\n"
    "49 31 0:55 / /run/media/user/disk rw - ext4 /dev/sdd1 rw\n"
    "50 28 0:56 / /var/lib/docker/overlay2/x/merged rw - overlay overlay rw\n"
    "51 28 0:57 / /mnt/ram rw - ramfs ramfs rw\n"
    "52 28 0:58 / /proc/sys/fs/binfmt_misc rw - binfmt_misc binfmt_misc rw\n"
    "malformed line without separator\n"
    "53 28 0:59 / /mnt/broken rw -\n"
    "54 28 0:60 / /mnt/nas rw - nfs nas2:/other rw\n";

TEST(MountsTest, ClassifiesEveryKindOfMount) {
  Machine m;
  const std::vector<Mount> mounts = m.Read(kMountinfo);
  struct Expect {
    const char* mountPoint;
    DriveType type;
    const char* label;
    const char* universalName;
  };
  const Expect expected[] = {
      {"/", DriveType::Fixed, "SYSTEM", ""},
      {"/home", DriveType::Fixed, "", ""},
      {"/run", DriveType::RamDisk, "", ""},
      {"/media/user/MY STICK", DriveType::Removable, "MY STICK", ""},
      {"/mnt/card", DriveType::Removable, "", ""},
      {"/media/cdrom", DriveType::CdRom, "MYPHOTOS2006", ""},
      {"/mnt/dvd", DriveType::CdRom, "", ""},
      {"/mnt/share", DriveType::Remote, "", "//server/share"},
      {"/mnt/remote", DriveType::Remote, "", "user@host:/pics"},
      {"/mnt/tab\tand\\back", DriveType::Fixed, "", ""},
      {"/run/user/1000/gvfs", DriveType::Unknown, "", ""},
      {"/run/media/user/disk", DriveType::Removable, "", ""},
      {"/mnt/ram", DriveType::RamDisk, "", ""},
      {"/mnt/nas", DriveType::Remote, "", "nas2:/other"},  // the top one of two
  };
  ASSERT_EQ(mounts.size(), std::size(expected));
  for (size_t i = 0; i < mounts.size(); ++i) {
    SCOPED_TRACE(expected[i].mountPoint);
    EXPECT_EQ(mounts[i].mountPoint, expected[i].mountPoint);
    EXPECT_EQ(mounts[i].type, expected[i].type);
    EXPECT_EQ(mounts[i].label, expected[i].label);
    EXPECT_EQ(mounts[i].universalName, expected[i].universalName);
  }
  EXPECT_EQ(mounts[0].fsType, "ext4");
  EXPECT_EQ(mounts[0].source, "/dev/sda1");
  EXPECT_EQ(mounts[7].source, "//server/share");
}

TEST(MountsTest, AnOverlayCountsAsFixedOnlyAtTheRoot) {
  Machine m;
  const auto mounts = m.Read(
      "100 1 0:40 / / rw - overlay overlay rw,lowerdir=/a\n"
      "101 100 0:41 / /data rw - overlay overlay rw,lowerdir=/b\n"
      "102 100 0:42 / /dev/shm rw - tmpfs shm rw\n"
      "103 100 0:43 / /dev/shm rw - tmpfs shm rw\n");
  ASSERT_EQ(mounts.size(), 2u);
  EXPECT_EQ(mounts[0].mountPoint, "/");
  EXPECT_EQ(mounts[0].type, DriveType::Fixed);
  EXPECT_EQ(mounts[1].mountPoint, "/dev/shm");
  EXPECT_EQ(mounts[1].type, DriveType::RamDisk);
}

TEST(MountsTest, MissingFilesGiveNoMountsNotACrash) {
  TempDir dir;
  EXPECT_TRUE(ReadMounts(dir / "none", dir / "none", dir / "none").empty());
  const auto mounts = ParseMounts("1 0 8:1 / / rw - ext4 /dev/sda1 rw\n", dir / "none", dir / "none");
  ASSERT_EQ(mounts.size(), 1u);
  EXPECT_EQ(mounts[0].type, DriveType::Fixed);
  EXPECT_EQ(mounts[0].label, "");
}

TEST(MountsTest, TheRunningSystemHasARoot) {
  const auto mounts = ReadMounts();
  ASSERT_NE(MountOf("/", mounts), nullptr);
  for (const Mount& m : mounts) {
    EXPECT_NE(m.fsType, "proc");
    EXPECT_NE(m.fsType, "sysfs");
  }
}

TEST(MountsTest, MountOfPicksTheLongestComponentPrefix) {
  Machine m;
  const auto mounts = m.Read(kMountinfo);
  const std::pair<std::string, std::string> cases[] = {
      {"/media/user/MY STICK/DCIM/a.jpg", "/media/user/MY STICK"},
      {"/media/user/MY STICK", "/media/user/MY STICK"},
      {"/media/user/MY STICKER/a.jpg", "/"},
      {"/home/user/a.jpg", "/home"},
      {"/homework", "/"},
      {"/run/media/user/disk/x", "/run/media/user/disk"},
      {"/run/other", "/run"},
  };
  for (const auto& [path, mountPoint] : cases) {
    const Mount* found = MountOf(path, mounts);
    ASSERT_NE(found, nullptr) << path;
    EXPECT_EQ(found->mountPoint, mountPoint) << path;
  }
  EXPECT_EQ(MountOf("relative/path", mounts), nullptr);
  EXPECT_EQ(MountOf("/x", {}), nullptr);
}

}  // namespace
