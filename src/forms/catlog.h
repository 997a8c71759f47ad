#pragma once
// The thumbnail catalog window.
#include <QAction>
#include <QLabel>
#include <QScrollArea>
#include <string>

#include "catalog/geometry.h"
#include "graphics/bitmap.h"
#include "graphics/image_list.h"
#include "ui/canvas_view.h"
#include "ui/form.h"

class QKeyEvent;

class Tcatlog_f : public ui::TForm {
  Q_OBJECT
 public:
  Tcatlog_f();

  // Status line at the top of the client area.
  QLabel* StatusBar1 = nullptr;
  QScrollArea* ScrollBox1 = nullptr;
  // Shows the canvas; the canvas bitmap itself is Canvas.
  ui::TCanvasView* Image1 = nullptr;
  graphics::Bitmap Canvas;
  graphics::ImageList ImList;

  QAction* Exit1 = nullptr;
  QAction* Save1 = nullptr;
  QAction* N1 = nullptr;
  QAction* GoTo1 = nullptr;
  QAction* N2 = nullptr;
  QAction* Delete1 = nullptr;
  QAction* N3 = nullptr;
  QAction* N4 = nullptr;
  QAction* N5 = nullptr;
  QAction* Help1 = nullptr;
  QAction* INFO1 = nullptr;

  // Set when the window is closed while a build runs: the build stops after
  // the file in progress and reads no further file.
  bool ClosedDuringBuild = false;

  // Window handlers.
  void FormActivate() override;
  void FormClose() override;
  // Esc (27) asks the running build to stop and clears the key.
  void FormKeyDown(int& key);
  // button: the one pressed; held: the buttons down, the pressed one included.
  void Image1MouseDown(Qt::MouseButton button, Qt::MouseButtons held, int x, int y);
  // Right button, or left button (viewing the picture).
  void Image1MouseDown(bool rightButton, int x, int y);
  void Image1MouseMove(int x, int y);
  // Menu handlers.
  void Exit1Click();
  void Save1Click();
  void N1Click();
  void GoTo1Click();
  void N2Click();
  void Delete1Click();
  void N3Click();
  void N4Click();
  void N5Click();
  void Help1Click();
  void INFO1Click();

  // Shows the canvas's current pixels at once: all of them, or one part.
  void ShowCanvas();
  void ShowCanvas(const graphics::Rect& part);
  // The status line's text.
  void SetStatusText(const std::string& text);
  std::string StatusText() const;

  // The figures the window sizing takes from the system.
  catalog::SystemMetrics CurrentSystemMetrics() const;
  // Sizes the window so that the canvas area shows layout.visibleHeight
  // rows and the canvas's width, with or without the vertical scroll bar.
  void ApplyCanvasLayout(const catalog::CanvasLayout& layout);

 protected:
  void keyPressEvent(QKeyEvent* e) override;
};
