// The default viewer: its argument, its loaders and its window.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <memory>

#include "formats/loading_fixtures.h"
#include "graphics/jpeg_codec.h"
#include "support/dialog_script.h"
#include "support/temp_dir.h"
#include "viewer/viewer_core.h"
#include "viewer/viewer_window.h"

namespace {

using graphics::Bitmap;
using viewer::PictureKind;

const std::string kPlugins = TOVRA_BIN_DIR;

TEST(ViewerArgument, SplitsOffItsOwnPathAtTheLastCommaOnly) {
  const struct {
    const char* argument;
    const char* picture;
  } cases[] = {
      {"", ""},
      {"/p/a.jpg", "/p/a.jpg"},
      {"/p/a.jpg,/tools/pelmo.exe", "/p/a.jpg"},
      {"/p/a.jpg,pelmo.exe", "/p/a.jpg"},
      {"/p/with, comma/b,c.jpg,/opt/my tools/pelmo.exe", "/p/with, comma/b,c.jpg"},
      {"/p/b,c.jpg", "/p/b,c.jpg"},
      {"/p/a.jpg,/tools/show.exe", "/p/a.jpg,/tools/show.exe"},
      {"/p/a.jpg,/tools/pelmo.exe/", "/p/a.jpg,/tools/pelmo.exe/"},
      {"/p/a.jpg,/tools/PELMO.EXE", "/p/a.jpg,/tools/PELMO.EXE"},
      {"/p/x,pelmo.exe,/tools/pelmo.exe", "/p/x,pelmo.exe"},
      {"/p/pelmo.exe", "/p/pelmo.exe"},
      {",/tools/pelmo.exe", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(viewer::PicturePathFromArgument(c.argument), c.picture) << c.argument;
  EXPECT_EQ(viewer::JoinArguments({}), "");
  EXPECT_EQ(viewer::JoinArguments({"/p/my", "photo.jpg,/t/pelmo.exe"}), "/p/my photo.jpg,/t/pelmo.exe");
}

TEST(ViewerKind, SignatureFirstThenExtension) {
  const struct {
    std::string bytes;
    PictureKind kind;
  } signatures[] = {
      {"BM....", PictureKind::Bmp},
      {"\xFF\xD8\xFF\xE0", PictureKind::Jpeg},
      {"\x89PNG\r\n\x1a\n", PictureKind::Png},
      {"GIF87a", PictureKind::Gif},
      {"GIF89a", PictureKind::Gif},
      {"GIF90a", PictureKind::Unknown},
      {"B", PictureKind::Unknown},
      {"", PictureKind::Unknown},
      {"\x89PNG", PictureKind::Unknown},
  };
  for (const auto& s : signatures) {
    EXPECT_EQ(viewer::KindFromSignature(reinterpret_cast<const unsigned char*>(s.bytes.data()), s.bytes.size()),
              s.kind)
        << s.bytes;
  }
  const struct {
    const char* path;
    PictureKind kind;
  } names[] = {
      {"a.BMP", PictureKind::Bmp},   {"a.jpeg", PictureKind::Jpeg}, {"a.JPG", PictureKind::Jpeg},
      {"a.png", PictureKind::Png},   {"a.Gif", PictureKind::Gif},   {"a.txt", PictureKind::Unknown},
      {"jpg", PictureKind::Unknown}, {"/d.png/x", PictureKind::Unknown},
  };
  for (const auto& n : names) EXPECT_EQ(viewer::KindFromExtension(n.path), n.kind) << n.path;
}

TEST(ViewerLoading, EveryFormatAtFullSizeWhateverItsName) {
  testsupport::TempDir dir;
  const struct {
    const char* name;
    std::string bytes;
  } cases[] = {
      {"a.bmp", fixtures::MakeBmp(11, 7, 8)},
      {"bmp_named.dat", fixtures::MakeBmp(11, 7, 24)},
      {"b.png", fixtures::MakePng(11, 7)},
      {"png_named.jpg", fixtures::MakePng(11, 7)},
      {"c.GIF", fixtures::MakeGif(11, 7)},
      {"gif without extension", fixtures::MakeGif(11, 7)},
  };
  for (const auto& c : cases) {
    Bitmap b;
    viewer::LoadViewerPicture(dir.Write(c.name, c.bytes), kPlugins, b);
    SCOPED_TRACE(c.name);
    fixtures::ExpectPattern(b, 11, 7);
  }
  Bitmap big(1200, 900);
  big.FillRect({0, 0, 1200, 900}, 0x00FF00);
  graphics::SaveJpegFile(dir / "photo", big, 90);
  Bitmap j;
  viewer::LoadViewerPicture(dir / "photo", kPlugins, j);
  EXPECT_EQ(j.Width(), 1200);
  EXPECT_EQ(j.Height(), 900);
  EXPECT_GT((j.PixelColor(600, 450) >> 8) & 0xFF, 240u);
}

TEST(ViewerLoading, WhatCannotBeShownGivesAReason) {
  testsupport::TempDir dir;
  testsupport::TempDir noPlugins;
  const std::string png = fixtures::MakePng(20, 20);
  const struct {
    std::string path;
    std::string folder;
    const char* reason;
  } cases[] = {
      {dir.Write("notes.txt", "hello"), kPlugins, "not a picture format"},
      {dir.Write("empty.bmp", ""), kPlugins, ""},
      {dir.Write("cut.bmp", fixtures::MakeBmp(8, 8, 24).substr(0, 40)), kPlugins, ""},
      {dir.Write("cut.png", png.substr(0, png.size() - 30)), kPlugins, "damaged"},
      {dir.Write("ok.png", png), noPlugins.path(), "No plug-in"},
      {dir / "missing.jpg", kPlugins, "cannot be opened"},
      {dir.MakeDir("folder.jpg"), kPlugins, "folder"},
  };
  for (const auto& c : cases) {
    Bitmap b;
    try {
      viewer::LoadViewerPicture(c.path, c.folder, b);
      ADD_FAILURE() << c.path << " loaded";
    } catch (const graphics::PictureError& e) {
      EXPECT_NE(std::string(e.what()).find(c.reason), std::string::npos) << c.path << ": " << e.what();
      EXPECT_STRNE(e.what(), "");
    }
    EXPECT_TRUE(b.Empty()) << c.path;
  }
}

TEST(ViewerWindow, ShowsThePictureNamedByTheArgument) {
  testsupport::TempDir dir;
  testsupport::DialogScript script;
  const std::string path = dir.Write("pic, with comma.bmp", fixtures::MakeBmp(30, 20, 24));
  std::unique_ptr<viewer::ViewerWindow> w(viewer::OpenViewer(path + ",/opt/tovra/pelmo.exe", kPlugins));
  ASSERT_TRUE(w);
  EXPECT_EQ(w->Picture().width(), 30);
  EXPECT_EQ(w->Picture().height(), 20);
  EXPECT_EQ(w->Picture().pixel(1, 0) & 0xFFFFFF, fixtures::PatternRgb(1, 0));
  EXPECT_NE(w->windowTitle().toStdString().find("pic, with comma.bmp"), std::string::npos);
  EXPECT_TRUE(script.boxes.empty());
}

TEST(ViewerWindow, NoArgumentGivesAnEmptyWindow) {
  testsupport::DialogScript script;
  std::unique_ptr<viewer::ViewerWindow> w(viewer::OpenViewer("", kPlugins));
  ASSERT_TRUE(w);
  EXPECT_TRUE(w->Picture().isNull());
  EXPECT_TRUE(script.boxes.empty());
}

TEST(ViewerWindow, AnUnreadableFileGivesOneMessageAndNoWindow) {
  testsupport::TempDir dir;
  testsupport::DialogScript script;
  const std::string path = dir.Write("broken.jpg", "\xFF\xD8\xFF\xE0 broken");
  std::unique_ptr<viewer::ViewerWindow> w(viewer::OpenViewer(path + ",/x/pelmo.exe", kPlugins));
  EXPECT_FALSE(w);
  ASSERT_EQ(script.boxes.size(), 1u);
  EXPECT_EQ(script.boxes[0].caption, "Pelmo");
  EXPECT_EQ(script.boxes[0].buttons, ui::MB_OK);
  EXPECT_NE(script.boxes[0].text.find(path), std::string::npos);
}

TEST(ViewerWindow, EscapeClosesIt) {
  std::unique_ptr<viewer::ViewerWindow> w(viewer::OpenViewer("", kPlugins));
  ASSERT_TRUE(w);
  w->show();
  ASSERT_TRUE(w->isVisible());
  QKeyEvent other(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier);
  QApplication::sendEvent(w.get(), &other);
  EXPECT_TRUE(w->isVisible());
  QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
  QApplication::sendEvent(w.get(), &esc);
  EXPECT_FALSE(w->isVisible());
}

}  // namespace
