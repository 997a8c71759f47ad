#pragma once
// Memory figures of the machine and the process, in bytes.
#include <cstdint>
#include <string>

namespace platform {

struct MemoryStatus {
  uint32_t memoryLoad;  // percent of physical memory in use
  uint64_t totalPhys, availPhys, totalPageFile, availPageFile, totalVirtual, availVirtual;
};

MemoryStatus GlobalMemoryStatus();
// The same from the texts of /proc/meminfo and /proc/self/status and the
// size of the process's address space.
MemoryStatus ParseMemoryStatus(const std::string& meminfo, const std::string& selfStatus,
                               uint64_t addressSpace);

}  // namespace platform
