#include "ui/guard.h"

#include <QAbstractButton>
#include <QAction>
#include <exception>
#include <string>

#include "ui/dialogs.h"

namespace ui {

void Guard(const std::function<void()>& handler) {
  try {
    handler();
  } catch (const std::exception& e) {
    MessageBox(e.what(), ApplicationTitle(), MB_OK);
  } catch (...) {
    MessageBox("Unexpected error", ApplicationTitle(), MB_OK);
  }
}

void OnTriggered(QAction* action, std::function<void()> handler) {
  QObject::connect(action, &QAction::triggered, action, [h = std::move(handler)] { Guard(h); });
}

void OnClicked(QAbstractButton* button, std::function<void()> handler) {
  QObject::connect(button, &QAbstractButton::clicked, button, [h = std::move(handler)] { Guard(h); });
}

}  // namespace ui
