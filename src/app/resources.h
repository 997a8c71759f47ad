#pragma once
#include <string>

namespace platform {
struct MemoryStatus;
}

// The panel's arithmetic on resize, in the panel's own pixels.
struct PanelLayout {
  int listHeight;
  int folderWidth;
  int fileWidth;
  int fileLeft;
};
PanelLayout ComputePanelLayout(int width, int height);

// The memory figures in one message box.
void ShowResourceReport();
// Its seven lines, from the current figures or from given ones.
std::string ResourceReportText();
std::string ResourceReportText(const platform::MemoryStatus& status);
