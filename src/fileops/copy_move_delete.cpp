#include "fileops/copy_move_delete.h"

#include "app/startup.h"
#include "app/tovra1.h"
#include "browser/file_list.h"
#include "fileops/file_error.h"
#include "fileops/selection.h"
#include "forms/form1.h"
#include "forms/form5.h"
#include "platform/file_ops.h"
#include "platform/last_error.h"
#include "ui/dialogs.h"

std::string FolderWithSeparator(const std::string& folder) {
  if (!folder.empty() && folder.back() == '/') return folder;
  return folder + "/";
}

int32_t ProcessSelectedFiles(FileOperation op, const std::string& destination) {
  ui::HourglassCursor hourglass;
  int32_t count = 0;
  for (int i = 0; i < ImageFileCount; ++i) {
    if (!Form1->ListBox1->Selected(i)) continue;
    const std::string name = ImageFileList[static_cast<size_t>(i)].FileName;
    const std::string source = MakeFullPath(name);
    ++count;
    if (op == FileOperation::Copy || op == FileOperation::Move) {
      const std::string target = destination + name;
      if (!platform::CopyFile(source, target, false)) {
        // The code is taken before the first box can change it.
        const auto code = static_cast<int32_t>(platform::GetLastError());
        ui::MessageBox(source + "  : " + target, "警告", ui::MB_OK);
        FileOpKind = fileop_kind::Copy;
        ReportFileErrorCode(code);
        --count;
        continue;  // a move keeps a source it could not copy
      }
    }
    if (op == FileOperation::Move || op == FileOperation::Delete) {
      platform::SetArchiveOnly(source);
      if (!platform::DeleteFile(source)) {
        FileOpKind = fileop_kind::Delete;
        ReportFileError();
        --count;
      }
    }
  }
  return count;
}

namespace {

void CopyOrMove(FileOperation op, const char* doneText) {
  if (RequireSelection() == -1) return;
  Form5->ShowModal();
  if (DialogTarget.empty()) return;
  if (DialogTarget == FolderWithSeparator(Form1->DirectoryListBox1->Directory())) {
    ui::MessageBox("同じＤｉｒが指定されたので中止します", "警告", ui::MB_OK);
    return;
  }
  const int32_t n = ProcessSelectedFiles(op, DialogTarget);
  RefreshFileList();
  ui::MessageBox(std::to_string(n) + doneText, "報告", ui::MB_OK);
}

}  // namespace

void TForm1::Copy1Click() { CopyOrMove(FileOperation::Copy, "　Ｆｉｌｅをコピ－しました"); }

void TForm1::Move1Click() { CopyOrMove(FileOperation::Move, "　Ｆｉｌｅを移動しました"); }

void TForm1::Del1Click() {
  if (RequireSelection() == -1) return;
  const int32_t n = ProcessSelectedFiles(FileOperation::Delete, std::string());
  RefreshFileList();
  ui::MessageBox("選択された　" + std::to_string(n) + "　ファイルを削除しました", "報告", ui::MB_OK);
}
