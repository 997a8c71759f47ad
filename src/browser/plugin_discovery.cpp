#include "browser/plugin_discovery.h"

#include <algorithm>
#include <vector>

#include "app/startup.h"
#include "app/tovra1.h"
#include "forms/form1.h"
#include "graphics/plugin_loader.h"
#include "platform/dir_search.h"
#include "platform/paths.h"
#include "platform/text.h"

namespace {

bool IsPluginName(const platform::FindEntry& e) {
  if (e.directory || e.hidden) return false;
  const std::string lower = platform::AsciiLower(e.name);
  return lower.size() > 4 && lower.compare(lower.size() - 4, 4, ".spi") == 0;
}

}  // namespace

void FindPlugins() {
  std::vector<platform::FindEntry> entries;
  platform::FindFiles(platform::ExecutableFolder(), entries);
  std::vector<std::string> names;
  for (const auto& e : entries) {
    if (IsPluginName(e)) names.push_back(e.name);
  }
  std::sort(names.begin(), names.end(),
            [](const std::string& a, const std::string& b) { return platform::CompareBytes(a, b) < 0; });
  // The last entry always stays empty to end the list; extra files are ignored.
  const size_t n = std::min(names.size(), static_cast<size_t>(kPluginCapacity - 1));
  for (size_t i = 0; i < n; ++i) PluginFiles[i] = names[i];
  PluginFiles[n] = "";
  QueryPlugins();
}

void QueryPlugins() {
  std::string found = "BMP,JPG";
  size_t next = 0;
  for (size_t i = 0; i < PluginFiles.size() && !PluginFiles[i].empty(); ++i) {
    bool loaded = false;
    const std::string path = platform::JoinPath(platform::ExecutableFolder(), PluginFiles[i]);
    const std::string type = graphics::PluginTypeName(path, &loaded);
    if (!loaded) continue;
    for (const char* word : {"PNG", "GIF"}) {
      if (type.find(word) == std::string::npos || found.find(word) != std::string::npos) continue;
      if (next + 1 >= PluginList.size()) break;
      found += std::string(",") + word;
      PluginList[next++] = {PluginFiles[i], word};
    }
  }
  PluginList[next] = {};
}

void SetUpFilterAndFormats() {
  FilterText = "bmp,jpg";
  Form1->ComboBox1->ClearItems();
  Form1->ComboBox1->AddItem("jpg");
  Form1->ComboBox1->AddItem("bmp");
  FormatTable[0] = {".BMP", ""};
  FormatTable[1] = {".JPG", ""};
  FormatTable[2] = {};
  FormatTable[3] = {};
  FormatCount = 2;
  for (const PluginEntry& p : PluginList) {
    if (p.FormatWord.empty()) break;
    if (p.FormatWord == "PNG") {
      FilterText += ",png";
      Form1->ComboBox1->AddItem("png");
      FormatTable[2] = {".PNG", p.PluginFile};
    } else {
      FilterText += ",gif";
      Form1->ComboBox1->AddItem("gif");
      FormatTable[3] = {".GIF", p.PluginFile};
    }
    ++FormatCount;
  }
  Form1->ComboBox1->AddItem(FilterText);
  Form1->ComboBox1->SetText(FilterText);
}
