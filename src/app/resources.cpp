// The memory figures in one message box.
#include "app/resources.h"

#include "platform/memory_status.h"
#include "ui/dialogs.h"

std::string ResourceReportText(const platform::MemoryStatus& m) {
  std::string t;
  t += "Used : " + std::to_string(m.memoryLoad) + " %\n";
  t += "Total Memory " + std::to_string(m.totalPhys) + " Byte\n";
  t += "Free  Memory  " + std::to_string(m.availPhys) + " Byte\n";
  t += "TotalPageFile " + std::to_string(m.totalPageFile) + " Byte\n";
  t += "AvailPageFile " + std::to_string(m.availPageFile) + " Byte\n";
  t += "TotalVirtual  " + std::to_string(m.totalVirtual) + " Byte\n";
  t += "AvailVirtual  " + std::to_string(m.availVirtual) + " Byte\n";
  return t;
}

std::string ResourceReportText() { return ResourceReportText(platform::GlobalMemoryStatus()); }

void ShowResourceReport() { ui::MessageBox(ResourceReportText(), "", ui::MB_OK); }
