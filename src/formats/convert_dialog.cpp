// The compression dialog's handlers.
#include <cmath>
#include <charconv>
#include <stdexcept>
#include <string>

#include "catalog/catlog1.h"
#include "forms/form7.h"

void TForm7::FormActivate() {
  TrackBar1->setValue(30);
  Label2->setText(QStringLiteral("30"));
  // The label and the edit stand on the form itself, not in the holder.
  LabeledEdit1->Edit()->setVisible(ScaleBox != 0);
  LabeledEdit1->Label()->setVisible(ScaleBox != 0);
}

void TForm7::TrackBar1Change() {
  Label2->setText(QString::number(TrackBar1->value()));
  JpegQuality = TrackBar1->value();
}

namespace {

// The whole text as a finite number, as the form library converts it; an
// exception with the library's wording otherwise.
float ReadFloat(const std::string& text) {
  // Locale-independent: the decimal point is always ".".
  size_t b = text.find_first_not_of(' ');
  size_t e = text.find_last_not_of(' ');
  std::string t = b == std::string::npos ? std::string() : text.substr(b, e - b + 1);
  if (!t.empty() && t[0] == '+') t.erase(0, 1);
  double v = 0;
  const auto [ptr, ec] = std::from_chars(t.data(), t.data() + t.size(), v);
  const float f = static_cast<float>(v);
  if (t.empty() || ec != std::errc() || ptr != t.data() + t.size() || !std::isfinite(v) ||
      !std::isfinite(f)) {
    throw std::invalid_argument("'" + text + "' is not a valid floating point value");
  }
  return f;
}

}  // namespace

void TForm7::Button1Click() {
  JpegQuality = Label2->text().toInt();
  if (ScaleBox != 0) ScaleBox = ReadFloat(LabeledEdit1->Text());
  SetModalResult(ui::mrOk);
  Close();
}

void TForm7::Button2Click() {
  ScaleBox = 0;
  JpegQuality = 0;
  SetModalResult(ui::mrCancel);
  Close();
}

void TForm7::FormClose() {
  // The close box cancels, as 中止 does.
  if (ModalResult() != ui::mrOk) {
    ScaleBox = 0;
    JpegQuality = 0;
  }
}
