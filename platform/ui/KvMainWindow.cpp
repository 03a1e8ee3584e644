#include "KvMainWindow.h"

#include <QKeyEvent>
#include <QScreen>

#include "KuiApplication.h"

namespace kui {

KvMainWindow::KvMainWindow(QWidget* parent) : QWidget(parent, Qt::Window | Qt::FramelessWindowHint) {
  setAutoFillBackground(true);
}

void KvMainWindow::ShowWindow() {
  KvApplication::AwaitFontConfig();
  showMaximized();
}

void KvMainWindow::showEvent(QShowEvent* e) {
  QWidget::showEvent(e);
  FitMaximisedWindow(this);
}

void KvMainWindow::keyPressEvent(QKeyEvent* e) {
  if (escapeCloses_ && e->key() == Qt::Key_Escape && e->modifiers() == Qt::NoModifier) {
    e->accept();
    close();
    return;
  }
  QWidget::keyPressEvent(e);
}

void FitMaximisedWindow(QWidget* window) {
  if (!window || !(window->windowState() & Qt::WindowMaximized) || !window->screen()) return;
  const QRect free = window->screen()->availableGeometry();
  if (window->geometry() != free) window->setGeometry(free);
}

}  // namespace kui
