#pragma once
// The default viewer's window: one picture at full size, scrollable.
#include <QImage>
#include <QScrollArea>
#include <string>

#include "graphics/bitmap.h"

class QLabel;

namespace viewer {

class ViewerWindow : public QScrollArea {
  Q_OBJECT
 public:
  ViewerWindow();
  // Shows the picture (an empty bitmap shows nothing) and names the file in
  // the title.
  void ShowPicture(const graphics::Bitmap& bitmap, const std::string& path);
  const QImage& Picture() const { return image_; }

 protected:
  void keyPressEvent(QKeyEvent* e) override;

 private:
  QLabel* canvas_;
  QImage image_;
};

// Opens the picture named by the argument, or an empty window when the
// argument is empty. A file that cannot be shown gives one message box and
// no window (nullptr); the caller owns the window.
ViewerWindow* OpenViewer(const std::string& argument, const std::string& pluginFolder);

}  // namespace viewer
