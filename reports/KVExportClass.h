#pragma once
// Comma-separated export of a string grid.
//
//   KVExportDialogClass dlg;                   // asks for the file name
//   if (dlg.Execute()) {
//     KVExportSGridClass exporter;
//     exporter.Grid = grid;
//     exporter.Export(dlg.FileName);           // throws when the file cannot be written
//   }
//
// or, the whole command of a report ("Export" button, pop-up "Export..."):
//   KVExportGridCommand(grid, "TMainForm::SpButExportClick");
//
// The file: one line per grid row from row 0 (header, totals and blank rows
// included), every column (hidden ones included), cells joined by the
// separator, every line ended by CR LF, UTF-8 without a byte-order mark. A cell
// that holds the separator, a double quote, a CR or an LF is written in double
// quotes with its inner quotes doubled, so such a cell cannot shift the
// columns; every other cell is written exactly as it stands.
#include <QString>

#include <memory>

class QFile;

namespace kui {
class KvStringGrid;
}

class KVExportClass {
 public:
  KVExportClass() = default;
  virtual ~KVExportClass();
  KVExportClass(const KVExportClass&) = delete;
  KVExportClass& operator=(const KVExportClass&) = delete;

  // Writes the data to the file; the base class has nothing to write.
  virtual void Export(const QString& fileName);

  // A new file, or the existing one emptied. Throws std::runtime_error with
  // the reason when it cannot be created.
  void OpenFile(const QString& fileName);
  // Flushes and closes the file; throws when the last bytes cannot be written.
  void CloseFile();
  void WriteString(const QString& text);
  void WriteNewLine();
  void WriteLine(const QString& text);

  bool FileOpen() const { return stream_ != nullptr; }

  QChar Separator = QLatin1Char(',');

 protected:
  [[noreturn]] void Fail(const QString& reason) const;

 private:
  void WriteBytes(const QByteArray& bytes);

  std::unique_ptr<QFile> stream_;
};

class KVExportSGridClass : public KVExportClass {
 public:
  ~KVExportSGridClass() override;

  // Every row of the grid into the file; nothing at all when no grid is set.
  void Export(const QString& fileName) override;
  // The current row as one line.
  void WriteRow();

  // A cell as it stands in the file.
  static QString CsvField(const QString& cell, QChar separator);

  kui::KvStringGrid* Grid = nullptr;  // not owned
  int CurrentCol = 0;
  int CurrentRow = 0;
};

class KVExportDialogClass {
 public:
  // The save dialog: true when a file name was chosen, which FileName then
  // holds (".csv" added to a name without extension).
  bool Execute();

  // The name with ".csv" added when it has no extension ("stock." keeps its
  // empty extension as typed).
  static QString WithCsvExtension(const QString& fileName);

  QString FileName;

  static constexpr const char* kFilter = "CSV files (*.csv);;All files (*.*)";
};

// The export command of a report: the save dialog (cancel: nothing more), the
// grid into the file, then "Export complete.". A file that cannot be written
// is logged under `where` and reported to the user with the reason. True when
// the file was written.
bool KVExportGridCommand(kui::KvStringGrid* grid, const QString& where);
