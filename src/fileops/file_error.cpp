#include "fileops/file_error.h"

#include "app/tovra1.h"
#include "platform/last_error.h"
#include "ui/dialogs.h"

std::string FileErrorText(int32_t code, int32_t kind) {
  switch (code) {
    case 2: return "File Not Found";
    case 3: return "Path Not Found";
    case 5: {
      std::string text = "Accesee Denied  :  ";
      if (kind == fileop_kind::Copy) {
        text += "空でないフォルダーを削除しようとした";
      } else if (kind == fileop_kind::Delete) {
        text += "ＲｅａｄＯｎｌｙ　を削除しようとした";
      } else {
        text += "ＲｅａｄＯｎｌｙ　に上書きしようとした";
      }
      return text;
    }
    case 16: return "Curren Directory　を削除しようとした";
    case 19: return "書き込み禁止になっている";
    case 32: return "使用中のファイルは操作出来ません";
    case 80: return "同じＤｉｓｋ上で上書きしようとした";
    case 112: return "ディスク容量を越えました";
    case 161: return "Bad PathName !";
    case 183: return "同じ名前が既にあります";
    default: return "エラー番号　" + std::to_string(code);
  }
}

void ReportFileError() {
  const auto code = static_cast<int32_t>(platform::GetLastError());
  ReportFileErrorCode(code);
}

void ReportFileErrorCode(int32_t code) { ui::ShowMessage(FileErrorText(code, FileOpKind)); }
