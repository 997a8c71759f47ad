#include "fileops/catalog_file_commands.h"

#include <algorithm>
#include <utility>

#include "app/startup.h"
#include "app/tovra1.h"
#include "browser/file_list.h"
#include "catalog/builder.h"
#include "catalog/catlog1.h"
#include "catalog/geometry.h"
#include "catalog/selection.h"
#include "fileops/file_error.h"
#include "fileops/rename.h"
#include "forms/catlog.h"
#include "forms/form5.h"
#include "forms/takefile.h"
#include "platform/dir_search.h"
#include "platform/file_ops.h"
#include "platform/paths.h"
#include "platform/text.h"
#include "ui/dialogs.h"

namespace {

// Entries the last build wrote; later positions hold stale records.
int BuiltEntries() {
  return std::clamp(std::min(ImageFileCount, BuiltCount), 0, kCatalogCapacity);
}

// Grid position of the entry under (HitX, HitY), or -1 when there is none.
int EntryUnderHit() {
  if (CellPitch <= 0 || ColumnCount <= 0) return -1;
  const int k = catalog::HitPosition(HitX, HitY, CellPitch, ColumnCount);
  if (k < 0 || k >= BuiltEntries()) return -1;
  if (CatalogTable[static_cast<size_t>(k)].Path.empty()) return -1;
  return k;
}

bool CommonStart() {
  if (CatalogBusy != 0) return false;
  if (SelectedCount <= 0) {
    WarnNoSelection();
    return false;
  }
  return true;
}

void EraseCell(int k) {
  if (!catlog_f) return;
  const catalog::Point o = catalog::CellOrigin(k, CellPitch, ColumnCount);
  catlog_f->Canvas.FillRect({o.x, o.y, o.x + CellPitch, o.y + CellPitch}, 0xFFFFFF);
  if (catlog_f->Image1) catlog_f->Image1->update(o.x, o.y, CellPitch, CellPitch);
}

int32_t RenameIn(const std::string& folder, const std::string& name, const std::string& target) {
  CurrentFilePath = name;
  return RenameFileStampedIn(folder, target);
}

}  // namespace

void WarnNoSelection() { ui::MessageBox("フｱイルを選択してください", "警告", ui::MB_OK); }

int32_t CatalogProcessEntry(FileOperation op) {
  const int k = EntryUnderHit();
  if (k < 0) return catalog::kNoEntry;
  CatalogEntry& entry = CatalogTable[static_cast<size_t>(k)];
  CurrentFilePath = entry.Path;
  if (op == FileOperation::Copy || op == FileOperation::Move) {
    const std::string target = DialogTarget + platform::NameOf(CurrentFilePath);
    // The platform refuses a copy onto the file itself, so a destination equal
    // to the catalog's own folder fails here, file by file, and nothing is lost.
    if (!platform::CopyFile(CurrentFilePath, target, false)) {
      FileOpKind = fileop_kind::Copy;
      ReportFileError();
      return -1;
    }
    ToggleSelection();
  }
  if (op == FileOperation::Move || op == FileOperation::Delete) {
    platform::FindEntry found;
    if (platform::FindFile(CurrentFilePath, found) && found.readOnly) {
      platform::SetArchiveOnly(CurrentFilePath);
    }
    if (!platform::DeleteFile(CurrentFilePath)) {
      FileOpKind = fileop_kind::Delete;
      ReportFileError();
      return -1;
    }
    entry.Path.clear();
    EraseCell(k);
  }
  return 0;
}

int32_t CatalogProcessSelection(FileOperation op) {
  int32_t count = 0;
  const int n = BuiltEntries();
  for (int i = 0; i < n; ++i) {
    const SelectionMark& s = SelectionTable[static_cast<size_t>(i)];
    if (s.Selected == 0) continue;
    HitX = s.X;
    HitY = s.Y;
    if (CatalogProcessEntry(op) == 0) ++count;
  }
  return count;
}

void CompactCatalog() {
  const int n = BuiltEntries();
  int kept = 0;
  for (int j = 0; j < n; ++j) {
    CatalogEntry& from = CatalogTable[static_cast<size_t>(j)];
    if (from.Path.empty()) continue;
    if (j != kept) {
      CatalogTable[static_cast<size_t>(kept)] = from;
      from.Path.clear();
    }
    ++kept;
  }
  ImageFileCount = kept;
  BuiltCount = kept;
}

void SortCatalogByPath() {
  const int n = BuiltEntries();
  for (int i = 0; i + 1 < n; ++i) {
    for (int j = i + 1; j < n; ++j) {
      auto& a = CatalogTable[static_cast<size_t>(i)];
      auto& b = CatalogTable[static_cast<size_t>(j)];
      if (platform::CompareBytes(a.Path, b.Path) > 0) std::swap(a, b);
    }
  }
}

int32_t CatalogRenameWithSerial(int k) {
  const std::string path = CatalogTable[static_cast<size_t>(k)].Path;
  const std::string folder = platform::FolderOf(path);
  const std::string name = platform::NameOf(path);
  const SerialOutcome outcome = SearchSerialName(
      name, [&](const std::string& target) { return RenameIn(folder, name, target); });
  if (outcome == SerialOutcome::Renamed) return 1;
  if (outcome == SerialOutcome::Exhausted) ui::ShowMessage(kSerialExhaustedText);
  return -1;
}

void Tcatlog_f::N1Click() {
  if (!CommonStart()) return;
  Form5->SetCaption("コピ－");
  Form5->ShowModal();
  if (DialogTarget.empty()) return;
  const int32_t n = CatalogProcessSelection(FileOperation::Copy);
  ui::MessageBox("選択された" + std::to_string(n) + " ファイル をコピ－しました", "報告", ui::MB_OK);
}

void Tcatlog_f::GoTo1Click() {
  if (!CommonStart()) return;
  Form5->SetCaption("移動");
  Form5->ShowModal();
  if (DialogTarget.empty()) return;
  const int32_t n = CatalogProcessSelection(FileOperation::Move);
  ui::MessageBox("選択された" + std::to_string(n) + " ファイル を移動しました", "報告", ui::MB_OK);
  CompactCatalog();
  RedrawCatalog();
  RefreshFileList();
}

void Tcatlog_f::Delete1Click() {
  if (!CommonStart()) return;
  if (ui::MessageBox("削除しても良いですか　？", "注意", ui::MB_OKCANCEL) != ui::IDOK) return;
  const int32_t n = CatalogProcessSelection(FileOperation::Delete);
  ui::MessageBox("選択された" + std::to_string(n) + " ファイル を削除しました", "報告", ui::MB_OK);
  CompactCatalog();
  RedrawCatalog();
  RefreshFileList();
}

void Tcatlog_f::N2Click() {
  if (!CommonStart()) return;
  const int k = EntryUnderHit();
  if (k < 0) return;
  const std::string path = CatalogTable[static_cast<size_t>(k)].Path;
  const std::string folder = platform::FolderOf(path);
  CurrentFilePath = platform::NameOf(path);
  DialogTarget.clear();
  TakeFile->ShowModal();
  if (DialogTarget.empty()) return;

  if (SelectedCount == 1) {
    const int32_t r = RenameIn(folder, platform::NameOf(path), DialogTarget);
    if (r == -2) {
      ui::MessageBox("同じ名前のファイルがあり，変更出来ませんでした", "報告", ui::MB_OK);
      return;
    }
    if (r != 1) {
      ui::MessageBox("変更出来ませんでした", "報告", ui::MB_OK);
      return;
    }
    CatalogTable[static_cast<size_t>(k)].Path = DialogValue;
    ToggleSelection();
    ui::MessageBox("ＲＥＮＡＭＥが終わりました", "報告", ui::MB_OK);
  } else {
    if (!BeginSerial(DialogValue)) return;
    bool finished = true;
    const int n = BuiltEntries();
    for (int i = 0; i < n; ++i) {
      const SelectionMark& s = SelectionTable[static_cast<size_t>(i)];
      if (s.Selected != 255) continue;
      HitX = s.X;
      HitY = s.Y;
      ToggleSelection();  // the mark goes before the file is touched
      if (CatalogRenameWithSerial(i) == -1) {
        finished = false;
        break;
      }
      CatalogTable[static_cast<size_t>(i)].Path = DialogValue;
    }
    if (finished) ui::MessageBox("ＲＥＮＡＭＥが終わりました", "報告", ui::MB_OK);
  }
  RefreshFileList();
  SortCatalogByPath();
  RedrawCatalog();
}
