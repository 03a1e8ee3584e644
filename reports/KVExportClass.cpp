#include "KVExportClass.h"

#include "DataModF.h"
#include "KvStringGrid.h"
#include "ModalSeam.h"

#include <QFile>
#include <QFileInfo>

#include <stdexcept>

// ----- KVExportClass -----------------------------------------------------------

KVExportClass::~KVExportClass() {
  // A destructor must not throw; whoever needs to know that the last bytes
  // reached the disk calls CloseFile itself.
  try {
    CloseFile();
  } catch (...) {
  }
}

void KVExportClass::Export(const QString& /*fileName*/) {}

void KVExportClass::Fail(const QString& reason) const { throw std::runtime_error(reason.toStdString()); }

void KVExportClass::OpenFile(const QString& fileName) {
  stream_.reset();
  auto file = std::make_unique<QFile>(fileName);
  if (!file->open(QIODevice::WriteOnly | QIODevice::Truncate)) Fail(file->errorString());
  stream_ = std::move(file);
}

void KVExportClass::CloseFile() {
  if (!stream_) return;
  std::unique_ptr<QFile> file = std::move(stream_);
  const bool flushed = file->flush();
  const QString reason = file->errorString();
  file->close();
  if (!flushed) Fail(reason);
}

void KVExportClass::WriteBytes(const QByteArray& bytes) {
  if (!stream_) Fail("No file is open.");
  if (bytes.isEmpty()) return;
  if (stream_->write(bytes) != bytes.size()) Fail(stream_->errorString());
}

void KVExportClass::WriteString(const QString& text) { WriteBytes(text.toUtf8()); }

void KVExportClass::WriteNewLine() { WriteBytes(QByteArrayLiteral("\r\n")); }

void KVExportClass::WriteLine(const QString& text) {
  WriteString(text);
  WriteNewLine();
}

// ----- KVExportSGridClass ----------------------------------------------------------

KVExportSGridClass::~KVExportSGridClass() = default;

void KVExportSGridClass::Export(const QString& fileName) {
  if (!Grid) return;
  OpenFile(fileName);
  for (CurrentRow = 0; CurrentRow < Grid->RowCount(); ++CurrentRow) WriteRow();
  CloseFile();
}

void KVExportSGridClass::WriteRow() {
  QString line;
  const int cols = Grid->ColCount();
  for (CurrentCol = 0; CurrentCol < cols; ++CurrentCol) {
    if (CurrentCol > 0) line += Separator;
    line += CsvField(Grid->Cell(CurrentCol, CurrentRow), Separator);
  }
  WriteLine(line);
}

QString KVExportSGridClass::CsvField(const QString& cell, QChar separator) {
  const bool quote = cell.contains(separator) || cell.contains(QLatin1Char('"')) ||
                     cell.contains(QLatin1Char('\r')) || cell.contains(QLatin1Char('\n'));
  if (!quote) return cell;
  QString inner = cell;
  inner.replace(QLatin1String("\""), QLatin1String("\"\""));
  return QLatin1Char('"') + inner + QLatin1Char('"');
}

// ----- KVExportDialogClass ----------------------------------------------------------

QString KVExportDialogClass::WithCsvExtension(const QString& fileName) {
  // The extension part is what follows the last dot of the name itself (not
  // of a folder); "stock." has a dot and so an extension, though an empty one.
  const QString name = QFileInfo(fileName).fileName();
  return name.contains(QLatin1Char('.')) ? fileName : fileName + ".csv";
}

bool KVExportDialogClass::Execute() {
  try {
    const QString chosen =
        kui::ModalSeam::GetSaveFileName(nullptr, "Save As", QString(), kFilter, false);
    if (chosen.isEmpty()) return false;
    FileName = WithCsvExtension(chosen);
    return true;
  } catch (...) {
    return false;
  }
}

// ----- the export command -------------------------------------------------------------

bool KVExportGridCommand(kui::KvStringGrid* grid, const QString& where) {
  KVExportDialogClass dialog;
  if (!dialog.Execute()) return false;
  try {
    KVExportSGridClass exporter;
    exporter.Grid = grid;
    exporter.Export(dialog.FileName);
  } catch (const std::exception& e) {
    // Silence here would leave the user believing in a file that is not
    // there, or is only partly written.
    if (DMDB) {
      DMDB->LogException(e, where);
      DMDB->ShowMessage("The file " + dialog.FileName + " could not be written.\n" +
                        QString::fromUtf8(e.what()));
    }
    return false;
  }
  if (DMDB) DMDB->ShowMessage("Export complete.");
  return true;
}
