#include "viewer/viewer_window.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>
#include <QScreen>

#include "platform/paths.h"
#include "ui/components.h"
#include "ui/dialogs.h"
#include "viewer/viewer_core.h"

namespace viewer {

namespace {
const char kTitle[] = "Pelmo";
}

ViewerWindow::ViewerWindow() : canvas_(new QLabel) {
  setWindowTitle(QString::fromUtf8(kTitle));
  setAttribute(Qt::WA_DeleteOnClose, false);
  canvas_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  setWidget(canvas_);
  setWidgetResizable(false);
  setBackgroundRole(QPalette::Dark);
  resize(480, 360);
}

void ViewerWindow::ShowPicture(const graphics::Bitmap& bitmap, const std::string& path) {
  if (bitmap.Empty()) {
    image_ = QImage();
    canvas_->clear();
    canvas_->resize(0, 0);
  } else {
    // Stored pixels are 0xFFRRGGBB rows, exactly Format_RGB32; copy so the
    // image outlives the bitmap.
    image_ = QImage(reinterpret_cast<const uchar*>(bitmap.Bits()), bitmap.Width(), bitmap.Height(),
                    static_cast<qsizetype>(bitmap.Width()) * 4, QImage::Format_RGB32)
                 .copy();
    canvas_->setPixmap(QPixmap::fromImage(image_));
    canvas_->resize(image_.size());
  }
  if (!path.empty()) {
    setWindowTitle(ui::Q(platform::NameOf(path) + " - " + kTitle));
  }
  // As large as the picture needs, within the screen; scroll bars beyond.
  QSize want = image_.isNull() ? QSize(480, 360) : image_.size() + QSize(4, 4);
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    const QSize room = screen->availableSize() * 9 / 10;
    want = want.boundedTo(room);
  }
  resize(want.expandedTo(QSize(160, 120)));
}

void ViewerWindow::keyPressEvent(QKeyEvent* e) {
  if (e->key() == Qt::Key_Escape) {
    close();
    return;
  }
  QScrollArea::keyPressEvent(e);
}

ViewerWindow* OpenViewer(const std::string& argument, const std::string& pluginFolder) {
  const std::string path = PicturePathFromArgument(argument);
  graphics::Bitmap bitmap;
  if (!path.empty()) {
    try {
      LoadViewerPicture(path, pluginFolder, bitmap);
    } catch (const std::exception& e) {
      ui::MessageBox("画像を表示できません\n" + path + "\n" + e.what(), kTitle, ui::MB_OK);
      return nullptr;
    }
  }
  auto* w = new ViewerWindow();
  w->ShowPicture(bitmap, path);
  return w;
}

}  // namespace viewer
