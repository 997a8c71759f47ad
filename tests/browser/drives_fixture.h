#pragma once
// A machine's mounts made of real folders: a mountinfo text naming folders of
// a temporary directory as mount points, a by-label folder and a /sys/block
// folder, each covering one kind of drive.
#include <sys/stat.h>
#include <unistd.h>

#include <stdexcept>
#include <string>

#include "browser/drives.h"
#include "support/temp_dir.h"

namespace drivestest {

class MountFixture {
 public:
  MountFixture() {
    for (const char* name : {"sys/bin", "data/sub/deeper", "stick", "nfs", "cifs/dir", "cd", "cd2", "ram",
                             "with blank", "odd", "wide", "labels", "block/sdb/sdb1", "block/sda/sda1"})
      dir.MakeDir(name);
    dir.Write("block/sdb/removable", "1\n");
    dir.Write("block/sda/removable", "0\n");
    Label("PHOTOS2006", "sda2");
    Label("STICK", "sdb1");
    Label("MYPHOTOS2006", "sr0");
    Label("写真フォルダ", "sdd1");
    const std::string t = dir.path();
    mountinfo = dir.Write("mountinfo",
                          "20 1 0:22 / /proc rw,relatime - proc proc rw\n"
                          "21 1 8:1 / " + t + "/sys rw,relatime - ext4 /dev/sda1 rw\n"
                          "22 21 8:2 / " + t + "/data rw,relatime - ext4 /dev/sda2 rw\n"
                          "23 21 8:17 / " + t + "/stick rw,relatime shared:5 - vfat /dev/sdb1 rw\n"
                          "24 21 0:50 / " + t + "/nfs rw,relatime - nfs4 server:/export rw\n"
                          "25 21 0:51 / " + t + "/cifs rw,relatime - cifs //server/share rw\n"
                          "26 21 11:0 / " + t + "/cd ro,relatime - iso9660 /dev/sr0 ro\n"
                          "27 21 11:1 / " + t + "/cd2 ro,relatime - udf /dev/sr1 ro\n"
                          "28 21 0:30 / " + t + "/ram rw,relatime - tmpfs tmpfs rw\n"
                          "29 21 8:33 / " + t + "/with\\040blank rw,relatime - ext4 /dev/sdc1 rw\n"
                          "30 21 0:31 / " + t + "/odd rw,relatime - fuse.foo foo rw\n"
                          "31 21 0:32 / " + t + "/sys/kernel/debug rw - debugfs debugfs rw\n"
                          "32 21 8:49 / " + t + "/wide rw,relatime - ext4 /dev/sdd1 rw\n");
    SetMountSourceForTesting(mountinfo, dir / "labels", dir / "block");
  }
  ~MountFixture() { SetMountSourceForTesting("", "", ""); }

  std::string operator/(const std::string& name) const { return dir / name; }

  testsupport::TempDir dir;
  std::string mountinfo;

 private:
  void Label(const std::string& label, const std::string& device) {
    const std::string link = dir / ("labels/" + label);
    const std::string target = "../../" + device;
    if (::symlink(target.c_str(), link.c_str()) != 0) throw std::runtime_error("symlink failed: " + link);
  }
};

}  // namespace drivestest
