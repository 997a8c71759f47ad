#include "browser/file_list.h"

#include <algorithm>
#include <vector>

#include "app/startup.h"
#include "app/tovra1.h"
#include "forms/form1.h"
#include "platform/dir_search.h"
#include "platform/text.h"

namespace {

// Kept files of the folder under the current filter, in search order; false
// when the folder could not be searched or had no entry at all.
bool SearchFolder(std::vector<platform::FindEntry>& kept) {
  std::vector<platform::FindEntry> entries;
  if (!platform::FindFiles(Form1->DirectoryListBox1->Directory(), entries) || entries.empty()) {
    return false;
  }
  const bool withHidden = Form1->CheckBox1->isChecked();
  for (auto& e : entries) {
    if (e.directory) continue;
    if (e.hidden && !withHidden) continue;
    kept.push_back(std::move(e));
  }
  return true;
}

void SetFileItemsEnabled(bool on) {
  for (QAction* a : {Form1->Info, Form1->Copy1, Form1->Move1, Form1->Rename1, Form1->Del1}) {
    a->setEnabled(on);
  }
}

std::vector<ImageFileEntry> g_collected;

}  // namespace

void AddIfMatching(const std::string& name, uint32_t size, int last) {
  const int n = MatchCount(name, last);
  for (int i = 0; i < n; ++i) g_collected.push_back({name, size});
}

std::string FileCountText() {
  if (ImageFileTotal > ImageFileCount) return std::to_string(ImageFileCount) + "+";
  return std::to_string(ImageFileCount);
}

void RefreshFileList() {
  const int last = ParseExtensionFilter(Form1->ComboBox1->Text());
  Form1->ListBox1->Clear();
  ImageFileCount = 0;
  g_collected.clear();
  std::vector<platform::FindEntry> kept;
  SearchFolder(kept);
  for (const auto& e : kept) AddIfMatching(e.name, e.size, last);

  // Every match is sorted, then the first ones by name fill the list.
  std::stable_sort(g_collected.begin(), g_collected.end(),
                   [](const ImageFileEntry& a, const ImageFileEntry& b) {
                     return platform::CompareBytes(a.FileName, b.FileName) < 0;
                   });
  ImageFileTotal = static_cast<int32_t>(g_collected.size());
  const size_t n = std::min<size_t>(g_collected.size(), kImageFileCapacity);
  for (size_t k = 0; k < n; ++k) ImageFileList[k] = std::move(g_collected[k]);
  g_collected.clear();
  ImageFileCount = static_cast<int32_t>(n);

  for (int k = 0; k < ImageFileCount; ++k) {
    FormatByteCount(ImageFileList[static_cast<size_t>(k)].FileSize);
    Form1->ListBox1->Add(ListLine(ImageFileList[static_cast<size_t>(k)].FileName, ByteCountText));
  }
  Form1->LabeledEdit1->SetText(FileCountText());
  Form1->LabeledEdit1->Edit()->setToolTip(
      ImageFileTotal > ImageFileCount
          ? QString::fromUtf8("%1 個のファイルのうち先頭の %2 個を表示").arg(ImageFileTotal).arg(ImageFileCount)
          : QString());
  Form1->ListBox1->update();
  SetFileItemsEnabled(ImageFileCount > 0);
}

std::string MakeFullPath(const std::string& name) {
  return JoinFolderName(Form1->DirectoryListBox1->Directory(), name);
}

void CountIfMatching(const std::string& name, int last) { FolderMatchCount += MatchCount(name, last); }

bool FolderChanged() {
  const int last = ParseExtensionFilter(Form1->ComboBox1->Text());
  FolderMatchCount = 0;
  std::vector<platform::FindEntry> kept;
  if (!SearchFolder(kept)) return false;
  for (const auto& e : kept) CountIfMatching(e.name, last);
  // Compared with every match of the last build, not only the listed ones.
  return FolderMatchCount != ImageFileTotal;
}

bool FileSizeChanged(const std::string& name, int position) {
  platform::FindEntry e;
  if (!platform::FindFile(MakeFullPath(name), e)) return false;
  return e.size != ImageFileList[static_cast<size_t>(position)].FileSize;
}

void CheckListCurrent() {
  if (FolderChanged()) {
    RefreshFileList();
    return;
  }
  for (int i = 0; i < ViewedCount; ++i) {
    const int p = ViewedIndices[static_cast<size_t>(i)];
    if (p < 0 || p >= ImageFileCount) continue;
    const std::string& name = ImageFileList[static_cast<size_t>(p)].FileName;
    if (name.empty()) continue;
    if (FileSizeChanged(name, p)) {
      RefreshFileList();
      if (ImageFileCount > 0) {
        const int lastViewed = ViewedIndices[static_cast<size_t>(ViewedCount - 1)];
        Form1->ListBox1->clearSelection();
        if (lastViewed >= 0 && lastViewed < Form1->ListBox1->Count()) {
          Form1->ListBox1->SetSelected(lastViewed, true);
          Form1->ListBox1->SetItemIndex(lastViewed);
        }
      }
      ViewedCount = 0;
      return;
    }
  }
}
