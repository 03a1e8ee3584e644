#pragma once
// Every modal window of the suite opens through this one place: message and
// confirmation dialogs, system message boxes, every dialog's Execute, and the
// file and colour dialogs. A test installs an answerer that plays the person
// (presses a button, fills fields, picks a file); without one the windows run
// modally as usual.
#include <QColor>
#include <QString>

#include <functional>

class QDialog;
class QWidget;

namespace kui {

class ModalSeam {
 public:
  // The answerer gets the dialog after it was shown and pending events ran;
  // it acts on it (click a button, type) and the seam returns the dialog's
  // result. A dialog the answerer leaves open is closed with its current result.
  using Answerer = std::function<void(QDialog& dialog)>;

  enum class FileKind { Open, Save };
  // The answerer for file dialogs returns the chosen path, or "" for Cancel.
  using FileAnswerer = std::function<QString(FileKind kind, const QString& caption,
                                             const QString& filter)>;
  // The answerer for the colour dialog returns the chosen colour (invalid for Cancel).
  using ColourAnswerer = std::function<QColor(const QColor& initial)>;

  // Runs the dialog modally (QDialog::exec) or hands it to the answerer.
  static int Exec(QDialog& dialog);

  static QString GetOpenFileName(QWidget* parent, const QString& caption,
                                 const QString& dir, const QString& filter);
  // confirmOverwrite false: an existing file is chosen without a question.
  static QString GetSaveFileName(QWidget* parent, const QString& caption,
                                 const QString& dir, const QString& filter,
                                 bool confirmOverwrite = true);
  static QColor GetColour(QWidget* parent, const QColor& initial);

  static void SetAnswerer(Answerer a);
  static void SetFileAnswerer(FileAnswerer a);
  static void SetColourAnswerer(ColourAnswerer a);
  static void ClearAnswerers();
  static bool HasAnswerer();

  // How many dialogs went through Exec since the last ClearAnswerers; tests use
  // it to see that a window was (or was not) shown.
  static int ShownCount();
};

// Installs answerers for one scope and clears them at its end.
class ScopedAnswerer {
 public:
  explicit ScopedAnswerer(ModalSeam::Answerer a) { ModalSeam::SetAnswerer(std::move(a)); }
  ~ScopedAnswerer() { ModalSeam::ClearAnswerers(); }
  ScopedAnswerer(const ScopedAnswerer&) = delete;
  ScopedAnswerer& operator=(const ScopedAnswerer&) = delete;
};

}  // namespace kui
