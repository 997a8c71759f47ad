#include "fileops/folder_commands.h"

#include "app/startup.h"
#include "app/tovra1.h"
#include "fileops/copy_move_delete.h"
#include "fileops/file_error.h"
#include "forms/form1.h"
#include "forms/rendir.h"
#include "forms/takefile.h"
#include "platform/file_ops.h"
#include "platform/paths.h"

FolderSplit SplitFolderPath(const std::string& path) {
  FolderSplit s;
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return s;
  s.found = true;
  s.parent = path.substr(0, slash + 1);
  s.name = path.substr(slash + 1);
  return s;
}

std::string FolderToRename(const std::string& current, const std::string& itemPath) {
  if (!itemPath.empty() && itemPath != current && platform::FolderOf(itemPath) == current) {
    return itemPath;
  }
  return current;
}

std::string FolderAfterRename(const std::string& shown, const std::string& old,
                              const std::string& renamed) {
  if (shown == old) return renamed;
  const std::string prefix = FolderWithSeparator(old);
  if (shown.compare(0, prefix.size(), prefix) == 0) {
    return FolderWithSeparator(renamed) + shown.substr(prefix.size());
  }
  return shown;
}

void TForm1::MkDir1Click() {
  DialogTarget = "MKDIR";
  DialogValue = FolderWithSeparator(DirectoryListBox1->Directory());
  TakeFile->ShowModal();
  if (DialogTarget.empty()) return;
  if (platform::CreateDirectory(DialogTarget)) {
    DirectoryListBox1->Update();
  } else {
    FileOpKind = fileop_kind::MakeFolder;
    ReportFileError();
  }
}

void TForm1::RENDIR1Click() {
  const std::string current = DirectoryListBox1->Directory();
  DialogValue = FolderToRename(current, DirectoryListBox1->ItemPath(DirectoryListBox1->ItemIndex()));
  const std::string old = DialogValue;
  RENDIR->ShowModal();
  if (DialogValue.empty()) return;
  if (!platform::MoveFile(old, DialogValue)) {
    FileOpKind = fileop_kind::Rename;
    ReportFileError();
    return;
  }
  // Renaming the shown folder (or one it lies in) moves the list with it.
  const std::string shown = FolderAfterRename(current, old, DialogValue);
  if (shown != current && DirectoryListBox1->SetDirectory(shown)) return;
  DirectoryListBox1->Update();
}
