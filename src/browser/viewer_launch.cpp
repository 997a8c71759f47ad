#include "browser/viewer_launch.h"

#include <algorithm>

#include "app/startup.h"
#include "app/tovra1.h"
#include "browser/file_list.h"
#include "forms/form1.h"
#include "platform/paths.h"
#include "platform/process.h"
#include "platform/text.h"
#include "ui/dialogs.h"

std::string DefaultViewerPath() { return platform::JoinPath(platform::ExecutableFolder(), "pelmo.exe"); }

std::string ViewerParameterText(const std::string& picturePath) {
  // The default viewer learns its own path after a comma; the text has no
  // length limit.
  if (ViewerPath.find("pelmo.exe") != std::string::npos) return picturePath + "," + ViewerPath;
  return picturePath;
}

void LaunchViewer(const std::string& picturePath) {
  platform::StartDetached(ViewerPath, {ViewerParameterText(picturePath)});
}

void RecordViewedPosition(int position) {
  if (ViewedCount >= kViewedCapacity) {
    std::rotate(ViewedIndices.begin(), ViewedIndices.begin() + 1, ViewedIndices.end());
    ViewedCount = kViewedCapacity - 1;
  }
  ViewedIndices[static_cast<size_t>(ViewedCount)] = position;
  ++ViewedCount;
}

namespace {

std::string ExtensionWithoutDot(const std::string& name) {
  const size_t dot = name.rfind('.');
  const size_t slash = name.rfind('/');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
  return platform::AsciiLower(name.substr(dot + 1));
}

}  // namespace

void TForm1::ListBox1DblClick() {
  const int line = ListBox1->ItemIndex();
  if (line < 0 || line >= ImageFileCount) return;
  RecordViewedPosition(line);
  const std::string& name = ImageFileList[static_cast<size_t>(line)].FileName;
  const std::string ext = ExtensionWithoutDot(name);
  const std::string filter = platform::AsciiLower(ComboBox1->Text());
  if (!ext.empty() && filter.find(ext) != std::string::npos) {
    CurrentFilePath = MakeFullPath(name);
    LaunchViewer(CurrentFilePath);
  } else {
    ui::MessageBox("フアイルタイプが違うようで，表示できません", "警告", ui::MB_OK);
  }
}

void TForm1::Pelmo1Click() { platform::StartDetached(DefaultViewerPath(), {}); }
