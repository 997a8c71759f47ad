#pragma once
// Message boxes, the save dialog and modal showings all pass through one
// seam, so tests can script the answers and record what the user was shown.
#include <string>

namespace ui {

class TForm;

// Button sets and answers keep the values the message-box calls always had.
enum : int { MB_OK = 0, MB_OKCANCEL = 1, MB_YESNO = 4 };
enum : int { IDOK = 1, IDCANCEL = 2, IDYES = 6, IDNO = 7 };

class DialogSeam {
 public:
  virtual ~DialogSeam() = default;
  virtual int MessageBox(const std::string& text, const std::string& caption, int buttons) = 0;
  // Returns the chosen path, or empty when cancelled.
  virtual std::string SaveFileDialog(const std::string& title, const std::string& proposedName,
                                     const std::string& filter) = 0;
  // Called after a modal form's activation; returns true when the seam has
  // answered the form itself (and closed it), false to run the real loop.
  virtual bool AnswerModal(TForm& form) = 0;
};

// nullptr restores the real Qt dialogs.
void SetDialogSeam(DialogSeam* seam);
DialogSeam* CurrentDialogSeam();

int MessageBox(const std::string& text, const std::string& caption, int buttons);
// A plain box captioned with the application's title and an OK button.
void ShowMessage(const std::string& text);
std::string SaveFileDialog(const std::string& title, const std::string& proposedName,
                           const std::string& filter);

const std::string& ApplicationTitle();

}  // namespace ui
