#pragma once
// Components the layouts name that Qt lacks or names differently.
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <functional>
#include <string>
#include <vector>

class QLabel;

namespace ui {

// Texts travel as UTF-8 bytes; names that are not valid UTF-8 display lossily.
QString Q(const std::string& s);
std::string U(const QString& s);

// A list that keeps a horizontal scroll extent of its own.
class ExtentList : public QListWidget {
  Q_OBJECT
 public:
  explicit ExtentList(QWidget* parent);
  void SetHorizontalExtent(int pixels);
  int HorizontalExtent() const { return extent_; }

 protected:
  void updateGeometries() override;

 private:
  int extent_ = 0;
};

// Multi-select list box: lines by position, the focused line as ItemIndex.
class TListBox : public ExtentList {
  Q_OBJECT
 public:
  explicit TListBox(QWidget* parent);
  void Clear();
  void Add(const std::string& line);
  int Count() const { return count(); }
  std::string Line(int i) const;
  // The focused line, -1 when the list is empty.
  int ItemIndex() const;
  void SetItemIndex(int i);
  bool Selected(int i) const;
  void SetSelected(int i, bool on);
  int SelCount() const;
  std::function<void()> OnDblClick;
};

// The folder list: the root, each folder of the current path, then the
// current folder's subfolders. Double-click opens an item.
class TFolderList : public ExtentList {
  Q_OBJECT
 public:
  explicit TFolderList(QWidget* parent);
  const std::string& Directory() const { return directory_; }
  // Moves to the folder (made absolute and normalised); fires OnChange when
  // it differs from the current one. Returns false, moving nowhere, when the
  // folder cannot be listed.
  bool SetDirectory(const std::string& folder);
  // Re-reads the current folder and fires OnChange.
  void Update();
  int ItemIndex() const { return currentRow(); }
  void SetItemIndex(int i) { setCurrentRow(i); }
  // The folder an item stands for.
  std::string ItemPath(int i) const;
  void OpenItem(int i);
  std::function<void()> OnChange;

 private:
  void Fill();
  std::string directory_;
  std::vector<std::string> paths_;
};

// Editable combo box that reports the user's changes only: setting the text
// from code fires nothing.
class TComboBox : public QComboBox {
  Q_OBJECT
 public:
  explicit TComboBox(QWidget* parent);
  std::string Text() const;
  void SetText(const std::string& text);
  void ClearItems();
  void AddItem(const std::string& item);
  std::vector<std::string> Items() const;
  std::function<void()> OnChange;
};

// A one-line edit with its label on the left.
class TLabeledEdit : public QWidget {
  Q_OBJECT
 public:
  TLabeledEdit(QWidget* parent, const std::string& label, int labelSpacing);
  std::string Text() const;
  void SetText(const std::string& text);
  void SetReadOnly(bool on);
  QLineEdit* Edit() const { return edit_; }
  QLabel* Label() const { return label_; }
  // Places the edit; the label stands left of it.
  void PlaceEdit(int left, int top, int width, int height);
  // Showing, hiding, enabling and disabling act on the label and the edit.
  void setVisible(bool visible) override;

 protected:
  void changeEvent(QEvent* e) override;

 private:
  QLabel* label_;
  QLineEdit* edit_;
  int spacing_;
};

// A panel that reports its resizes and paints.
class TPanel : public QWidget {
  Q_OBJECT
 public:
  explicit TPanel(QWidget* parent);
  std::function<void()> OnResize;
  std::function<void()> OnPaint;

 protected:
  void resizeEvent(QResizeEvent* e) override;
  void paintEvent(QPaintEvent* e) override;
};

// A read-only memo holding lines of text.
class TMemo : public QPlainTextEdit {
  Q_OBJECT
 public:
  explicit TMemo(QWidget* parent);
  void SetLines(const std::vector<std::string>& lines);
  std::vector<std::string> Lines() const;
};

}  // namespace ui
