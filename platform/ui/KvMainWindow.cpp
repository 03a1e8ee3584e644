#include "KvMainWindow.h"

#include <QKeyEvent>

namespace kui {

KvMainWindow::KvMainWindow(QWidget* parent) : QWidget(parent, Qt::Window | Qt::FramelessWindowHint) {
  setAutoFillBackground(true);
}

void KvMainWindow::ShowWindow() { showMaximized(); }

void KvMainWindow::keyPressEvent(QKeyEvent* e) {
  if (escapeCloses_ && e->key() == Qt::Key_Escape && e->modifiers() == Qt::NoModifier) {
    e->accept();
    close();
    return;
  }
  QWidget::keyPressEvent(e);
}

}  // namespace kui
