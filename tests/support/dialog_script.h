#pragma once
// Answers message boxes, save dialogs and modal forms for a test, and
// records every box shown. Installed for its lifetime.
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "ui/dialogs.h"
#include "ui/form.h"

namespace testsupport {

struct ShownBox {
  std::string text;
  std::string caption;
  int buttons;
};

class DialogScript : public ui::DialogSeam {
 public:
  DialogScript();
  ~DialogScript() override;

  // Answers for the next boxes in order; once used up every box gets IDOK.
  std::deque<int> answers;
  // Paths for the next save dialogs; an empty string cancels.
  std::deque<std::string> savePaths;
  // Answers for the next modal forms in order. A form with no answer left is
  // closed by its close box (a cancel).
  std::deque<std::function<void(ui::TForm&)>> modalAnswers;

  std::vector<ShownBox> boxes;
  std::vector<std::string> saveDialogProposals;
  std::vector<std::string> modalCaptions;

  int MessageBox(const std::string& text, const std::string& caption, int buttons) override;
  std::string SaveFileDialog(const std::string& title, const std::string& proposedName,
                             const std::string& filter) override;
  bool AnswerModal(ui::TForm& form) override;

 private:
  ui::DialogSeam* previous_;
};

}  // namespace testsupport
