// kvbench_bare_window: the start-up baseline, a bare Qt main window shown
// maximised, with the same "shown" probe the suite's programs have.
#include <QApplication>

#include "KvMainWindow.h"
#include "KvShownProbe.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  KvInstallShownProbe();
  kui::KvMainWindow w;
  w.ShowWindow();
  return QApplication::exec();
}
