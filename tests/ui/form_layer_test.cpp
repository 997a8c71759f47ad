// The form layer: modal showings, activation, the exception guard, the
// dialog seam and the components Qt lacks.
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <stdexcept>
#include <vector>

#include "support/dialog_script.h"
#include "support/temp_dir.h"
#include "ui/components.h"
#include "ui/dialogs.h"
#include "ui/form.h"
#include "ui/guard.h"
#include "ui/scale.h"

namespace {

class RecordingForm : public ui::TForm {
 public:
  RecordingForm(std::vector<std::string>& log, std::string name)
      : ui::TForm(name, 200, 100), log_(log), name_(std::move(name)) {}
  void FormActivate() override { log_.push_back(name_ + ".activate"); }
  void FormClose() override { log_.push_back(name_ + ".close"); }

 private:
  std::vector<std::string>& log_;
  std::string name_;
};

TEST(FormLayer, ModalShowingActivatesThenReactivatesTheMainWindow) {
  std::vector<std::string> log;
  RecordingForm main(log, "main");
  RecordingForm dialog(log, "dialog");
  RecordingForm inner(log, "inner");
  ui::TForm::SetMainForm(&main);
  testsupport::DialogScript script;
  script.modalAnswers.push_back([&](ui::TForm& f) {
    EXPECT_EQ(&f, &dialog);
    EXPECT_TRUE(f.Showing());
    // A modal form opened from a modal form: the main window's activation
    // waits until the last one has closed.
    inner.ShowModal();
    f.SetModalResult(ui::mrOk);
    f.Close();
  });
  EXPECT_EQ(dialog.ShowModal(), ui::mrOk);
  EXPECT_EQ(log, (std::vector<std::string>{"dialog.activate", "inner.activate", "inner.close",
                                           "dialog.close", "main.activate"}));
  EXPECT_EQ(script.modalCaptions, (std::vector<std::string>{"dialog", "inner"}));
  EXPECT_FALSE(dialog.Showing());
  EXPECT_EQ(ui::TForm::ModalDepth(), 0);
  ui::TForm::SetMainForm(nullptr);
}

TEST(FormLayer, CloseBoxIsACancel) {
  std::vector<std::string> log;
  RecordingForm dialog(log, "d");
  testsupport::DialogScript script;  // no answer: closed by its close box
  EXPECT_EQ(dialog.ShowModal(), ui::mrCancel);
  EXPECT_EQ(log, (std::vector<std::string>{"d.activate", "d.close"}));
}

TEST(FormLayer, GuardShowsTheExceptionAndGoesOn) {
  testsupport::DialogScript script;
  QAction action(nullptr);
  int after = 0;
  ui::OnTriggered(&action, [&] {
    throw std::runtime_error("Bitmap image is not valid");
  });
  ui::OnTriggered(&action, [&] { ++after; });
  action.trigger();
  ASSERT_EQ(script.boxes.size(), 1u);
  EXPECT_EQ(script.boxes[0].text, "Bitmap image is not valid");
  EXPECT_EQ(script.boxes[0].caption, "Tovra");
  EXPECT_EQ(after, 1);
}

TEST(FormLayer, ScriptAnswersBoxesInOrder) {
  testsupport::DialogScript script;
  script.answers = {ui::IDCANCEL};
  EXPECT_EQ(ui::MessageBox("削除しても良いですか　？", "注意", ui::MB_OKCANCEL), ui::IDCANCEL);
  EXPECT_EQ(ui::MessageBox("x", "y", ui::MB_OKCANCEL), ui::IDOK);
  ui::ShowMessage("plain");
  ASSERT_EQ(script.boxes.size(), 3u);
  EXPECT_EQ(script.boxes[0].caption, "注意");
  EXPECT_EQ(script.boxes[0].buttons, ui::MB_OKCANCEL);
  EXPECT_EQ(script.boxes[2].caption, "Tovra");
  EXPECT_EQ(script.boxes[2].buttons, ui::MB_OK);
}

TEST(FormLayer, DesignPixelsScaleFromOneHundredTwentyDpi) {
  ui::SetScaleFactorForTesting(96.0 / 120.0);
  EXPECT_EQ(ui::S(120), 96);
  EXPECT_EQ(ui::S(672), 538);
  ui::SetScaleFactorForTesting(1.0);
  EXPECT_EQ(ui::S(455), 455);
  ui::SetScaleFactorForTesting(0);
}

TEST(Components, ComboBoxReportsOnlyTheUsersChanges) {
  ui::TComboBox box(nullptr);
  int changes = 0;
  box.OnChange = [&] { ++changes; };
  box.SetText("bmp,jpg");
  box.AddItem("jpg");
  box.ClearItems();
  EXPECT_EQ(changes, 0);
  EXPECT_EQ(box.Text(), "bmp,jpg");
  box.AddItem("png");
  emit box.activated(0);
  EXPECT_EQ(changes, 1);
}

TEST(Components, FolderListShowsPathThenSubfolders) {
  testsupport::TempDir dir;
  dir.MakeDir("sub/deeper");
  dir.MakeDir("b");
  dir.MakeDir(".hidden");
  dir.Write("file.jpg", "x");
  ui::TFolderList list(nullptr);
  int changes = 0;
  list.OnChange = [&] { ++changes; };
  ASSERT_TRUE(list.SetDirectory(dir.path() + "/sub/.."));
  EXPECT_EQ(list.Directory(), dir.path());
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(list.ItemPath(0), "/");
  const int current = list.ItemIndex();
  EXPECT_EQ(list.ItemPath(current), dir.path());
  EXPECT_EQ(list.count(), current + 3);
  EXPECT_EQ(list.ItemPath(current + 1), dir / "b");
  EXPECT_EQ(list.ItemPath(current + 2), dir / "sub");
  // The same folder again fires nothing; Update re-reads and fires.
  list.SetDirectory(dir.path());
  EXPECT_EQ(changes, 1);
  dir.MakeDir("c");
  list.Update();
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(list.count(), current + 4);
  // Opening a subfolder moves there; an unreadable one is refused.
  list.OpenItem(current + 3 - 1);
  EXPECT_EQ(changes, 3);
  EXPECT_FALSE(list.SetDirectory(dir / "missing"));
  EXPECT_EQ(changes, 3);
}

}  // namespace

namespace {

TEST(Components, LabeledEditShowsAndEnablesBothParts) {
  QWidget parent;
  ui::TLabeledEdit edit(&parent, "Size", 8);
  edit.PlaceEdit(100, 10, 50, 20);
  parent.show();
  EXPECT_TRUE(edit.Edit()->isVisible());
  EXPECT_TRUE(edit.Label()->isVisible());
  edit.hide();
  EXPECT_FALSE(edit.Edit()->isVisible());
  EXPECT_FALSE(edit.Label()->isVisible());
  edit.show();
  EXPECT_TRUE(edit.Edit()->isVisible());
  edit.setEnabled(false);
  EXPECT_FALSE(edit.Edit()->isEnabled());
  EXPECT_FALSE(edit.Label()->isEnabled());
  // The label stands left of the edit, 8 design pixels apart.
  EXPECT_LT(edit.Label()->x() + edit.Label()->width(), edit.Edit()->x());
}

}  // namespace
