#include "support/dialog_script.h"

namespace testsupport {

DialogScript::DialogScript() : previous_(nullptr) {
  ui::SetDialogSeam(this);
}

DialogScript::~DialogScript() { ui::SetDialogSeam(previous_); }

int DialogScript::MessageBox(const std::string& text, const std::string& caption, int buttons) {
  boxes.push_back({text, caption, buttons});
  if (answers.empty()) return ui::IDOK;
  const int a = answers.front();
  answers.pop_front();
  return a;
}

std::string DialogScript::SaveFileDialog(const std::string&, const std::string& proposedName,
                                         const std::string&) {
  saveDialogProposals.push_back(proposedName);
  if (savePaths.empty()) return {};
  std::string p = savePaths.front();
  savePaths.pop_front();
  return p;
}

bool DialogScript::AnswerModal(ui::TForm& form) {
  modalCaptions.push_back(form.Caption());
  if (modalAnswers.empty()) {
    form.close();  // the close box
    return true;
  }
  auto answer = std::move(modalAnswers.front());
  modalAnswers.pop_front();
  answer(form);
  if (form.Showing()) form.close();
  return true;
}

}  // namespace testsupport
