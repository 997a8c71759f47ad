#include "ui/scale.h"

#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <cmath>

namespace ui {
namespace {
double g_testFactor = 0;
}

double ScaleFactor() {
  if (g_testFactor > 0) return g_testFactor;
  QScreen* screen = QGuiApplication::primaryScreen();
  double dpi = screen ? screen->logicalDotsPerInch() : 96.0;
  if (dpi <= 0) dpi = 96.0;
  return dpi / 120.0;
}

void SetScaleFactorForTesting(double factor) { g_testFactor = factor; }

int S(int designPixels) { return static_cast<int>(std::lround(designPixels * ScaleFactor())); }

void Place(QWidget* w, int left, int top, int width, int height) {
  w->setGeometry(S(left), S(top), S(width), S(height));
}

void PlaceAt(QWidget* w, int left, int top) { w->move(S(left), S(top)); }

QFont MakeFont(const std::string& family, int heightPixels, bool bold) {
  QFont font;
  QStringList families;
  if (family == "Terminal") {
    families << QFontDatabase::systemFont(QFontDatabase::FixedFont).family() << "monospace";
    font.setStyleHint(QFont::TypeWriter);
  } else if (family == "ＭＳ Ｐ明朝" || family == "ＭＳ 明朝") {
    families << QString::fromUtf8(family.c_str()) << "Noto Serif CJK JP" << "IPAPMincho"
             << "IPAMincho" << "serif";
    font.setStyleHint(QFont::Serif);
  } else {
    families << QString::fromUtf8(family.c_str()) << "Noto Sans CJK JP" << "IPAPGothic"
             << "IPAGothic" << "VL PGothic" << "sans-serif";
    font.setStyleHint(QFont::SansSerif);
  }
  font.setFamilies(families);
  font.setPixelSize(std::max(1, S(heightPixels)));
  font.setBold(bold);
  return font;
}

}  // namespace ui
