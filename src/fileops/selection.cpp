#include "fileops/selection.h"

#include "app/startup.h"
#include "app/tovra1.h"
#include "catalog/catlog1.h"
#include "forms/form1.h"
#include "ui/dialogs.h"

int32_t RequireSelection() {
  SelectedCount = 0;
  for (int i = 0; i < ImageFileCount; ++i) {
    if (Form1->ListBox1->Selected(i)) ++SelectedCount;
  }
  if (SelectedCount == 0) {
    ui::MessageBox("Ｆｉｌｅを選択してください", "警告", ui::MB_OK);
    return -1;
  }
  return 1;
}
