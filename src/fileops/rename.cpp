#include "fileops/rename.h"

#include <cstdio>
#include <limits>
#include <set>

#include "app/startup.h"
#include "app/tovra1.h"
#include "browser/file_list.h"
#include "catalog/catlog1.h"
#include "fileops/file_error.h"
#include "fileops/selection.h"
#include "forms/form1.h"
#include "forms/takefile.h"
#include "platform/file_ops.h"
#include "platform/paths.h"
#include "ui/dialogs.h"

void FormatSerial(int32_t number) {
  const char* format = "%03d";
  if (SerialDigits == 1) {
    format = number < 10 ? "%1d" : number < 100 ? "%02d" : "%03d";
  } else if (SerialDigits == 2) {
    format = number < 100 ? "%02d" : "%03d";
  }
  char buf[16];
  std::snprintf(buf, sizeof buf, format, number);
  SerialText = buf;
}

namespace {
// Numbers the running series has given out. A number goes to one file only,
// even when another extension would leave its name free.
std::set<int32_t> g_usedNumbers;
}  // namespace

std::optional<int32_t> ParseStartNumber(const std::string& text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  if (i == text.size()) return std::nullopt;
  int64_t value = 0;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
    if (value > int64_t{std::numeric_limits<int32_t>::max()} + 1) return std::nullopt;
  }
  if (negative) value = -value;
  if (value > std::numeric_limits<int32_t>::max() || value < std::numeric_limits<int32_t>::min()) {
    return std::nullopt;
  }
  return static_cast<int32_t>(value);
}

std::string StartNumberErrorText(const std::string& text) {
  return "'" + text + "' は整数ではないので中止します";
}

std::string ExtensionOf(const std::string& name) {
  const size_t dot = name.rfind('.');
  return dot == std::string::npos ? std::string() : name.substr(dot);
}

SerialOutcome SearchSerialName(const std::string& currentName,
                               const std::function<int32_t(const std::string&)>& tryRename) {
  constexpr int32_t kLast = std::numeric_limits<int32_t>::max();
  if (SerialNext == SerialStart) {
    if (SerialStart == kLast) return SerialOutcome::Exhausted;
    ++SerialStart;
    ++SerialNext;
  }
  SerialNext = SerialStart;
  const std::string ext = ExtensionOf(currentName);
  for (;;) {
    const int32_t number = SerialNext;
    FormatSerial(number);
    // The number after the largest one is never formed: the series ends there.
    if (number < kLast) ++SerialNext;
    if (!g_usedNumbers.contains(number)) {
      const std::string target = DialogTarget + SerialText + ext;
      if (currentName == target) {
        g_usedNumbers.insert(number);
        return SerialOutcome::AlreadyNamed;
      }
      const int32_t r = tryRename(target);
      if (r == 1) {
        g_usedNumbers.insert(number);
        return SerialOutcome::Renamed;
      }
      if (r != -2) return SerialOutcome::Failed;
    }
    if (number == kLast) return SerialOutcome::Exhausted;
  }
}

int32_t RenameFileStampedIn(const std::string& folder, const std::string& newName) {
  CurrentFilePath = JoinFolderName(folder, CurrentFilePath);
  const std::string newPath = JoinFolderName(folder, newName);
  if (platform::FileExists(newPath)) return -2;
  if (!platform::MoveFile(CurrentFilePath, newPath)) {
    FileOpKind = fileop_kind::Rename;
    ReportFileError();
    return -1;
  }
  TouchFileTime(newPath);
  DialogValue = newPath;
  return 1;
}

int32_t RenameFileStamped(const std::string& newName) {
  return RenameFileStampedIn(Form1->DirectoryListBox1->Directory(), newName);
}

void TouchFileTime(const std::string& path) { platform::TouchFileTime(path, std::time(nullptr)); }

bool BeginSerial(const std::string& startText) {
  const std::optional<int32_t> start = ParseStartNumber(startText);
  if (!start) {
    ui::ShowMessage(StartNumberErrorText(startText));
    return false;
  }
  SerialStart = *start;
  SerialNext = 0;
  g_usedNumbers.clear();
  SerialDigits = static_cast<int32_t>(startText.size());
  return true;
}

int32_t RenameWithSerial(int index) {
  const std::string name = ImageFileList[static_cast<size_t>(index)].FileName;
  const SerialOutcome outcome = SearchSerialName(name, [&name](const std::string& target) {
    CurrentFilePath = name;
    return RenameFileStamped(target);
  });
  switch (outcome) {
    case SerialOutcome::Renamed:
    case SerialOutcome::AlreadyNamed:
      return 1;
    case SerialOutcome::Exhausted:
      ui::ShowMessage(kSerialExhaustedText);
      return -1;
    case SerialOutcome::Failed:
      break;
  }
  return -1;
}

void TForm1::Rename1Click() {
  if (RequireSelection() == -1) return;
  const int line = ListBox1->ItemIndex();
  if (line < 0 || line >= ImageFileCount) return;
  CurrentFilePath = ImageFileList[static_cast<size_t>(line)].FileName;
  TakeFile->ShowModal();
  if (DialogTarget.empty()) return;
  if (SelectedCount == 1) {
    if (DialogTarget != CurrentFilePath && RenameFileStamped(DialogTarget) == -2) {
      ui::ShowMessage("同じ名前のフアイルがあり，変更できません");
    }
    RefreshFileList();
    return;
  }
  if (!BeginSerial(DialogValue)) return;
  for (int i = 0; i < ImageFileCount; ++i) {
    if (!ListBox1->Selected(i)) continue;
    if (RenameWithSerial(i) == -1) break;
  }
  RefreshFileList();
}
