#pragma once
// Every event handler is entered through Guard: an exception is shown in a
// message box and the event loop goes on, so nothing is thrown across Qt.
#include <functional>

class QAction;
class QAbstractButton;

namespace ui {

void Guard(const std::function<void()>& handler);

void OnTriggered(QAction* action, std::function<void()> handler);
void OnClicked(QAbstractButton* button, std::function<void()> handler);

}  // namespace ui
