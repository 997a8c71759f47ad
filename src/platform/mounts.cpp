#include "platform/mounts.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <fstream>
#include <set>
#include <sstream>

#include "platform/paths.h"

namespace platform {

namespace {

const std::set<std::string>& PseudoTypes() {
  static const std::set<std::string> types = {
      "proc",    "sysfs",      "cgroup",   "cgroup2", "devpts",   "mqueue",      "debugfs",
      "tracefs", "securityfs", "pstore",   "bpf",     "autofs",   "fusectl",     "configfs",
      "binfmt_misc", "hugetlbfs", "nsfs",  "devtmpfs", "rpc_pipefs", "efivarfs"};
  return types;
}

const std::set<std::string>& RemoteTypes() {
  static const std::set<std::string> types = {"nfs",   "nfs4",       "cifs",  "smb3",       "smbfs",
                                              "sshfs", "fuse.sshfs", "davfs", "fuse.davfs2"};
  return types;
}

int OctalDigit(char c) { return c >= '0' && c <= '7' ? c - '0' : -1; }

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// mountinfo writes blank, tab, newline and backslash as \ooo.
std::string DecodeOctal(const std::string& s) {
  std::string out;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '\\' && i + 3 < s.size()) {
      const int a = OctalDigit(s[i + 1]), b = OctalDigit(s[i + 2]), c = OctalDigit(s[i + 3]);
      if (a >= 0 && b >= 0 && c >= 0 && a <= 3) {
        out.push_back(static_cast<char>(a * 64 + b * 8 + c));
        i += 3;
        continue;
      }
    }
    out.push_back(s[i]);
  }
  return out;
}

// udev writes unsafe bytes of label names as \xHH.
std::string DecodeHex(const std::string& s) {
  std::string out;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '\\' && i + 3 < s.size() && s[i + 1] == 'x') {
      const int hi = HexDigit(s[i + 2]), lo = HexDigit(s[i + 3]);
      if (hi >= 0 && lo >= 0) {
        out.push_back(static_cast<char>(hi * 16 + lo));
        i += 3;
        continue;
      }
    }
    out.push_back(s[i]);
  }
  return out;
}

std::string ReadSmallFile(const std::string& path) {
  std::ifstream in(path);
  std::string text;
  std::getline(in, text);
  return text;
}

bool IsDir(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// The kernel's name of a device node: the name of what a /dev path finally
// points at (/dev/mapper/x -> dm-0), or its own name when it cannot be
// resolved.
std::string DeviceName(const std::string& source) {
  char buf[PATH_MAX];
  if (::realpath(source.c_str(), buf)) return NameOf(buf);
  return NameOf(source);
}

bool IsRemovableDevice(const std::string& device, const std::string& sysBlockDir) {
  if (device.empty() || device == "." || device == "..") return false;
  std::string disk;
  if (IsDir(JoinPath(sysBlockDir, device))) {
    disk = device;
  } else if (DIR* dir = ::opendir(sysBlockDir.c_str())) {
    // A partition lies inside its disk's folder.
    while (const dirent* d = ::readdir(dir)) {
      const std::string name = d->d_name;
      if (name == "." || name == "..") continue;
      if (IsDir(JoinPath(JoinPath(sysBlockDir, name), device))) {
        disk = name;
        break;
      }
    }
    ::closedir(dir);
  }
  if (disk.empty()) return false;
  return ReadSmallFile(JoinPath(JoinPath(sysBlockDir, disk), "removable")) == "1";
}

std::string LabelOf(const std::string& device, const std::string& byLabelDir) {
  if (device.empty()) return std::string();
  DIR* dir = ::opendir(byLabelDir.c_str());
  if (!dir) return std::string();
  std::string label;
  while (const dirent* d = ::readdir(dir)) {
    const std::string name = d->d_name;
    if (name == "." || name == "..") continue;
    char target[PATH_MAX];
    const ssize_t n = ::readlink(JoinPath(byLabelDir, name).c_str(), target, sizeof target - 1);
    if (n <= 0) continue;
    target[n] = '\0';
    if (NameOf(target) == device) {
      label = DecodeHex(name);
      break;
    }
  }
  ::closedir(dir);
  return label;
}

bool Under(const std::string& path, const std::string& prefix) {
  return path.size() > prefix.size() && path.compare(0, prefix.size(), prefix) == 0;
}

struct RawMount {
  std::string mountPoint, fsType, source;
};

// Fields: id parent major:minor root mount-point options [optional...] -
// type source super-options.
bool ParseLine(const std::string& line, RawMount& out) {
  std::istringstream in(line);
  std::vector<std::string> f;
  std::string word;
  while (in >> word) f.push_back(word);
  size_t dash = 0;
  for (size_t i = 6; i < f.size(); ++i) {
    if (f[i] == "-") {
      dash = i;
      break;
    }
  }
  if (dash == 0 || f.size() < dash + 3) return false;
  out.mountPoint = DecodeOctal(f[4]);
  out.fsType = f[dash + 1];
  out.source = DecodeOctal(f[dash + 2]);
  return !out.mountPoint.empty() && out.mountPoint[0] == '/';
}

}  // namespace

std::vector<Mount> ParseMounts(const std::string& mountinfoText, const std::string& byLabelDir,
                               const std::string& sysBlockDir) {
  // A later mount on the same point hides the earlier one.
  std::vector<RawMount> raw;
  std::istringstream in(mountinfoText);
  std::string line;
  while (std::getline(in, line)) {
    RawMount m;
    if (!ParseLine(line, m)) continue;
    for (auto it = raw.begin(); it != raw.end(); ++it) {
      if (it->mountPoint == m.mountPoint) {
        raw.erase(it);
        break;
      }
    }
    raw.push_back(m);
  }

  std::vector<Mount> mounts;
  for (const RawMount& r : raw) {
    if (PseudoTypes().count(r.fsType)) continue;
    if (r.fsType == "overlay" && r.mountPoint != "/") continue;
    Mount m;
    m.mountPoint = r.mountPoint;
    m.fsType = r.fsType;
    m.source = r.source;
    m.type = DriveType::Unknown;
    const bool blockDevice = Under(r.source, "/dev/");
    const std::string device = blockDevice ? DeviceName(r.source) : std::string();
    if (RemoteTypes().count(r.fsType)) {
      m.type = DriveType::Remote;
      m.universalName = r.source;
    } else if (r.fsType == "iso9660" || r.fsType == "udf") {
      m.type = DriveType::CdRom;
    } else if (r.fsType == "tmpfs" || r.fsType == "ramfs") {
      m.type = DriveType::RamDisk;
    } else if ((blockDevice && IsRemovableDevice(device, sysBlockDir)) || Under(r.mountPoint, "/media/") ||
               Under(r.mountPoint, "/run/media/")) {
      m.type = DriveType::Removable;
    } else if (blockDevice || r.fsType == "overlay") {
      m.type = DriveType::Fixed;
    }
    if (blockDevice) m.label = LabelOf(device, byLabelDir);
    mounts.push_back(m);
  }
  return mounts;
}

std::vector<Mount> ReadMounts(const std::string& mountinfoPath, const std::string& byLabelDir,
                              const std::string& sysBlockDir) {
  std::ifstream in(mountinfoPath);
  std::ostringstream text;
  text << in.rdbuf();
  return ParseMounts(text.str(), byLabelDir, sysBlockDir);
}

const Mount* MountOf(const std::string& path, const std::vector<Mount>& mounts) {
  const Mount* best = nullptr;
  for (const Mount& m : mounts) {
    const std::string& mp = m.mountPoint;
    bool inside;
    if (mp == "/") {
      inside = !path.empty() && path[0] == '/';
    } else {
      inside = path == mp || (path.size() > mp.size() && path.compare(0, mp.size(), mp) == 0 && path[mp.size()] == '/');
    }
    if (inside && (!best || mp.size() > best->mountPoint.size())) best = &m;
  }
  return best;
}

}  // namespace platform
