#include "ScreenFit.h"

#include <QScreen>
#include <QWidget>

namespace launcher {

void FitMaximisedWindow(QWidget* window) {
  if (!window || !(window->windowState() & Qt::WindowMaximized) || !window->screen()) return;
  const QRect free = window->screen()->availableGeometry();
  if (window->geometry() != free) window->setGeometry(free);
}

}  // namespace launcher
