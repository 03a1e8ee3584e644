#include "ModalSeam.h"

#include <QApplication>
#include <QColorDialog>
#include <QDialog>
#include <QFileDialog>

#include "KuiApplication.h"

namespace kui {
namespace {
struct Answerers {
  ModalSeam::Answerer dialog;
  ModalSeam::FileAnswerer file;
  ModalSeam::ColourAnswerer colour;
  int shown = 0;
};
Answerers& State() {
  static Answerers s;
  return s;
}
}  // namespace

int ModalSeam::Exec(QDialog& dialog) {
  // A message before the program's first window measures text too.
  KvApplication::AwaitFontConfig();
  auto& s = State();
  ++s.shown;
  if (!s.dialog) return dialog.exec();
  // Played by a test: show the window for real (its show handlers run), let
  // the answerer act, and take the result the window was closed with.
  dialog.setResult(QDialog::Rejected);
  dialog.show();
  QApplication::processEvents();
  auto answer = s.dialog;  // the answerer may replace itself
  answer(dialog);
  QApplication::processEvents();
  if (dialog.isVisible()) dialog.hide();
  return dialog.result();
}

QString ModalSeam::GetOpenFileName(QWidget* parent, const QString& caption,
                                   const QString& dir, const QString& filter) {
  auto& s = State();
  ++s.shown;
  if (s.file) return s.file(FileKind::Open, caption, filter);
  return QFileDialog::getOpenFileName(parent, caption, dir, filter);
}

QString ModalSeam::GetSaveFileName(QWidget* parent, const QString& caption,
                                   const QString& dir, const QString& filter,
                                   bool confirmOverwrite) {
  auto& s = State();
  ++s.shown;
  if (s.file) return s.file(FileKind::Save, caption, filter);
  const QFileDialog::Options options =
      confirmOverwrite ? QFileDialog::Options() : QFileDialog::DontConfirmOverwrite;
  return QFileDialog::getSaveFileName(parent, caption, dir, filter, nullptr, options);
}

QColor ModalSeam::GetColour(QWidget* parent, const QColor& initial) {
  auto& s = State();
  ++s.shown;
  if (s.colour) return s.colour(initial);
  return QColorDialog::getColor(initial, parent);
}

void ModalSeam::SetAnswerer(Answerer a) { State().dialog = std::move(a); }
void ModalSeam::SetFileAnswerer(FileAnswerer a) { State().file = std::move(a); }
void ModalSeam::SetColourAnswerer(ColourAnswerer a) { State().colour = std::move(a); }
void ModalSeam::ClearAnswerers() { State() = Answerers{}; }
bool ModalSeam::HasAnswerer() { return static_cast<bool>(State().dialog); }
int ModalSeam::ShownCount() { return State().shown; }

}  // namespace kui
