// pelmo.exe: Tovra's default viewer.
#include <QApplication>
#include <memory>
#include <string>
#include <vector>

#include "platform/paths.h"
#include "viewer/viewer_core.h"
#include "viewer/viewer_window.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.emplace_back(argv[i]);
  std::unique_ptr<viewer::ViewerWindow> window(
      viewer::OpenViewer(viewer::JoinArguments(args), platform::ExecutableFolder()));
  if (!window) return 1;
  window->show();
  return app.exec();
}
