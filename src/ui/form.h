#pragma once
// The base of every window: built hidden once, shown modally by whoever
// needs it, hidden again on close. Closing by the close box is a cancel.
#include <QMainWindow>
#include <string>

class QEventLoop;

namespace ui {

enum : int { mrNone = 0, mrOk = 1, mrCancel = 2 };

class TForm : public QMainWindow {
  Q_OBJECT
 public:
  // Caption and client size in design pixels.
  TForm(const std::string& caption, int clientWidth, int clientHeight);
  ~TForm() override;

  // Shows the form, runs its activation handler, then a modal loop until it
  // closes. Afterwards, once no modal form is left open, the main window's
  // activation handler runs again.
  int ShowModal();
  // Ends the modal showing (or hides a plain form).
  void Close();
  bool Showing() const { return showing_; }
  int ModalResult() const { return modalResult_; }
  void SetModalResult(int r) { modalResult_ = r; }

  // Handlers a form may give; each runs inside the exception guard.
  virtual void FormActivate() {}
  virtual void FormClose() {}
  virtual void FormPaint() {}
  // Runs the activation handler through the guard.
  void Activate();

  // The client area the components are placed on (absolute positions).
  QWidget* Client() const { return client_; }
  // A fixed, non-resizable border.
  void SetFixedBorder();
  // Screen position in pixels (not scaled: positions are screen pixels).
  void SetPosition(int left, int top);
  std::string Caption() const;
  void SetCaption(const std::string& caption);

  static TForm* MainForm();
  static void SetMainForm(TForm* form);
  static int ModalDepth();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void SetClient(QWidget* client);

 private:
  QWidget* client_ = nullptr;
  QEventLoop* loop_ = nullptr;
  bool showing_ = false;
  bool closing_ = false;
  int modalResult_ = mrNone;
};

// Lets pending window messages run (the long loops call it between files).
void ProcessMessages();

// The hourglass for the lifetime of the object.
class HourglassCursor {
 public:
  HourglassCursor();
  ~HourglassCursor();
  HourglassCursor(const HourglassCursor&) = delete;
  HourglassCursor& operator=(const HourglassCursor&) = delete;
};

// Finds the visible top-level form with this caption and runs its paint
// handler at once, as a paint message sent to it would.
bool RepaintWindowTitled(const std::string& caption);

}  // namespace ui
