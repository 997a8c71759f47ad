#include "platform/memory_status.h"

#include <sys/resource.h>

#include <fstream>
#include <map>
#include <sstream>

namespace platform {

namespace {

std::string ReadText(const char* path) {
  std::ifstream in(path);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// "Name:   1234 kB" lines -> byte counts.
std::map<std::string, uint64_t> KbFields(const std::string& text) {
  std::map<std::string, uint64_t> fields;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    const size_t colon = line.find(':');
    if (colon == std::string::npos) continue;
    std::istringstream rest(line.substr(colon + 1));
    uint64_t value = 0;
    std::string unit;
    if (!(rest >> value)) continue;
    rest >> unit;
    const uint64_t scale = unit == "kB" ? 1024 : 1;
    if (value > UINT64_MAX / scale) continue;
    fields[line.substr(0, colon)] = value * scale;
  }
  return fields;
}

uint64_t Field(const std::map<std::string, uint64_t>& f, const char* name) {
  auto it = f.find(name);
  return it == f.end() ? 0 : it->second;
}

}  // namespace

MemoryStatus ParseMemoryStatus(const std::string& meminfo, const std::string& selfStatus,
                               uint64_t addressSpace) {
  const auto mem = KbFields(meminfo);
  MemoryStatus m{};
  m.totalPhys = Field(mem, "MemTotal");
  if (mem.count("MemAvailable")) {
    m.availPhys = Field(mem, "MemAvailable");
  } else {
    m.availPhys = Field(mem, "MemFree") + Field(mem, "Buffers") + Field(mem, "Cached");
  }
  if (m.availPhys > m.totalPhys) m.availPhys = m.totalPhys;
  if (m.totalPhys > 0) {
    const unsigned __int128 used = m.totalPhys - m.availPhys;
    m.memoryLoad = static_cast<uint32_t>(used * 100 / m.totalPhys);
  }
  m.totalPageFile = Field(mem, "SwapTotal");
  m.availPageFile = Field(mem, "SwapFree");
  if (m.availPageFile > m.totalPageFile) m.availPageFile = m.totalPageFile;

  const uint64_t vmSize = Field(KbFields(selfStatus), "VmSize");
  m.totalVirtual = addressSpace;
  m.availVirtual = vmSize < addressSpace ? addressSpace - vmSize : 0;
  return m;
}

MemoryStatus GlobalMemoryStatus() {
  // A 64-bit process sees 128 TiB of user address space unless limited.
  uint64_t space = uint64_t{1} << 47;
  struct rlimit lim;
  if (::getrlimit(RLIMIT_AS, &lim) == 0 && lim.rlim_cur != RLIM_INFINITY && lim.rlim_cur < space) {
    space = lim.rlim_cur;
  }
  return ParseMemoryStatus(ReadText("/proc/meminfo"), ReadText("/proc/self/status"), space);
}

}  // namespace platform
