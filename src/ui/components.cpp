#include "ui/components.h"

#include <QLabel>
#include <QResizeEvent>
#include <QScrollBar>
#include <algorithm>
#include <filesystem>

#include "platform/dir_search.h"
#include "platform/paths.h"
#include "platform/text.h"
#include "ui/guard.h"
#include "ui/scale.h"

namespace ui {

QString Q(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }
std::string U(const QString& s) { return s.toStdString(); }

ExtentList::ExtentList(QWidget* parent) : QListWidget(parent) {
  setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
}

void ExtentList::SetHorizontalExtent(int pixels) {
  extent_ = pixels;
  setHorizontalScrollBarPolicy(pixels > 0 ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAsNeeded);
  updateGeometries();
}

void ExtentList::updateGeometries() {
  QListWidget::updateGeometries();
  if (extent_ <= 0) return;
  QScrollBar* bar = horizontalScrollBar();
  const int room = std::max(0, extent_ - viewport()->width());
  bar->setRange(0, std::max(bar->maximum(), room));
  bar->setPageStep(viewport()->width());
}

TListBox::TListBox(QWidget* parent) : ExtentList(parent) {
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  connect(this, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem*) {
    if (OnDblClick) Guard(OnDblClick);
  });
}

void TListBox::Clear() { clear(); }

void TListBox::Add(const std::string& line) { addItem(Q(line)); }

std::string TListBox::Line(int i) const {
  const QListWidgetItem* it = item(i);
  return it ? U(it->text()) : std::string();
}

int TListBox::ItemIndex() const {
  if (count() == 0) return -1;
  const int row = currentRow();
  return row < 0 ? 0 : row;
}

void TListBox::SetItemIndex(int i) { setCurrentRow(i, QItemSelectionModel::NoUpdate); }

bool TListBox::Selected(int i) const {
  const QListWidgetItem* it = item(i);
  return it && it->isSelected();
}

void TListBox::SetSelected(int i, bool on) {
  if (QListWidgetItem* it = item(i)) it->setSelected(on);
}

int TListBox::SelCount() const { return static_cast<int>(selectedItems().size()); }

TFolderList::TFolderList(QWidget* parent) : ExtentList(parent) {
  connect(this, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* it) {
    const int row = this->row(it);
    Guard([this, row] { OpenItem(row); });
  });
}

namespace {

std::string Normalise(const std::string& folder) {
  std::error_code ec;
  std::filesystem::path p = std::filesystem::absolute(folder, ec);
  if (ec) p = folder;
  std::string s = p.lexically_normal().string();
  while (s.size() > 1 && s.back() == '/') s.pop_back();
  return s.empty() ? std::string("/") : s;
}

}  // namespace

bool TFolderList::SetDirectory(const std::string& folder) {
  const std::string target = Normalise(folder);
  std::vector<platform::FindEntry> probe;
  if (!platform::FindFiles(target, probe)) return false;
  const bool changed = target != directory_;
  directory_ = target;
  Fill();
  if (changed && OnChange) Guard(OnChange);
  return true;
}

void TFolderList::Update() {
  Fill();
  if (OnChange) Guard(OnChange);
}

std::string TFolderList::ItemPath(int i) const {
  if (i < 0 || i >= static_cast<int>(paths_.size())) return {};
  return paths_[static_cast<size_t>(i)];
}

void TFolderList::OpenItem(int i) {
  const std::string path = ItemPath(i);
  if (!path.empty()) SetDirectory(path);
}

void TFolderList::Fill() {
  clear();
  paths_.clear();
  // The chain from the root down to the current folder.
  std::vector<std::string> chain;
  for (std::string p = directory_;; p = platform::FolderOf(p)) {
    chain.push_back(p);
    if (p == "/" || p.empty()) break;
  }
  std::reverse(chain.begin(), chain.end());
  int depth = 0;
  for (const std::string& p : chain) {
    const std::string name = p == "/" ? "/" : platform::NameOf(p);
    addItem(Q(std::string(static_cast<size_t>(depth) * 2, ' ') + name));
    paths_.push_back(p);
    ++depth;
  }
  const int current = count() - 1;
  std::vector<platform::FindEntry> entries;
  platform::FindFiles(directory_, entries);
  std::vector<std::string> subfolders;
  for (const auto& e : entries) {
    if (!e.directory || e.hidden || e.name == "." || e.name == "..") continue;
    subfolders.push_back(e.name);
  }
  std::sort(subfolders.begin(), subfolders.end(),
            [](const std::string& a, const std::string& b) { return platform::CompareBytes(a, b) < 0; });
  for (const std::string& name : subfolders) {
    addItem(Q(std::string(static_cast<size_t>(depth) * 2, ' ') + name));
    paths_.push_back(platform::JoinPath(directory_, name));
  }
  setCurrentRow(current);
}

TComboBox::TComboBox(QWidget* parent) : QComboBox(parent) {
  setEditable(true);
  setInsertPolicy(QComboBox::NoInsert);
  connect(lineEdit(), &QLineEdit::textEdited, this, [this](const QString&) {
    if (OnChange) Guard(OnChange);
  });
  connect(this, &QComboBox::activated, this, [this](int) {
    if (OnChange) Guard(OnChange);
  });
}

std::string TComboBox::Text() const { return U(currentText()); }

void TComboBox::SetText(const std::string& text) {
  const QSignalBlocker block(this);
  setEditText(Q(text));
}

void TComboBox::ClearItems() {
  const QSignalBlocker block(this);
  const QString text = currentText();
  clear();
  setEditText(text);
}

void TComboBox::AddItem(const std::string& item) {
  const QSignalBlocker block(this);
  const QString text = currentText();
  addItem(Q(item));
  setEditText(text);
}

std::vector<std::string> TComboBox::Items() const {
  std::vector<std::string> items;
  for (int i = 0; i < count(); ++i) items.push_back(U(itemText(i)));
  return items;
}

TLabeledEdit::TLabeledEdit(QWidget* parent, const std::string& label, int labelSpacing)
    : QWidget(parent), label_(new QLabel(Q(label), parent)), edit_(new QLineEdit(parent)),
      spacing_(labelSpacing) {
  // Only a holder: the label and the edit sit on the parent.
  QWidget::setVisible(false);
}

void TLabeledEdit::setVisible(bool visible) {
  label_->setVisible(visible);
  edit_->setVisible(visible);
}

void TLabeledEdit::changeEvent(QEvent* e) {
  if (e->type() == QEvent::EnabledChange) {
    label_->setEnabled(isEnabled());
    edit_->setEnabled(isEnabled());
  }
  QWidget::changeEvent(e);
}

std::string TLabeledEdit::Text() const { return U(edit_->text()); }
void TLabeledEdit::SetText(const std::string& text) { edit_->setText(Q(text)); }
void TLabeledEdit::SetReadOnly(bool on) { edit_->setReadOnly(on); }

void TLabeledEdit::PlaceEdit(int left, int top, int width, int height) {
  Place(edit_, left, top, width, height);
  label_->adjustSize();
  const int labelWidth = label_->sizeHint().width();
  label_->move(edit_->x() - S(spacing_) - labelWidth,
               edit_->y() + (edit_->height() - label_->sizeHint().height()) / 2);
}

TPanel::TPanel(QWidget* parent) : QWidget(parent) {}

void TPanel::resizeEvent(QResizeEvent* e) {
  QWidget::resizeEvent(e);
  if (OnResize) Guard(OnResize);
}

void TPanel::paintEvent(QPaintEvent* e) {
  QWidget::paintEvent(e);
  if (OnPaint) Guard(OnPaint);
}

TMemo::TMemo(QWidget* parent) : QPlainTextEdit(parent) {
  setReadOnly(true);
  setLineWrapMode(QPlainTextEdit::NoWrap);
}

void TMemo::SetLines(const std::vector<std::string>& lines) {
  QStringList list;
  for (const auto& l : lines) list << Q(l);
  setPlainText(list.join('\n'));
}

std::vector<std::string> TMemo::Lines() const {
  std::vector<std::string> lines;
  for (const QString& l : toPlainText().split('\n')) lines.push_back(U(l));
  return lines;
}

}  // namespace ui
