#pragma once
// The one table of ./suite bench: every row that the benchmark programs wrote
// (Google Benchmark's JSON with the counters of kvbench::Comparison), as
// aligned text for the terminal and as CSV.
#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

namespace kvbench {

struct TableRow {
  QString benchmark;   // the benchmark's name without the engine
  QString engine;      // "SQLite", "PostgreSQL" or "-"
  double oursMs = -1;  // -1: not measured
  double baseMs = -1;
  double goal = 0;     // 0: none
  QString error;       // the benchmark's error, when it failed

  double Ratio() const { return oursMs >= 0 && baseMs > 0 ? oursMs / baseMs : -1; }
  // "yes", "no", or "-" without a goal or a ratio.
  QString Met() const;
};

// The rows of one program's JSON output; throws std::runtime_error when the
// text is not such output.
std::vector<TableRow> RowsFromJson(const QByteArray& json);

// "12.3 ms", "1.25 s", "-".
QString FormatMs(double ms);

class BenchTable {
 public:
  void Add(const std::vector<TableRow>& rows);
  const std::vector<TableRow>& Rows() const { return rows_; }
  static QStringList Header();
  // The cells of a row as the table shows them.
  static QStringList Cells(const TableRow& r);
  QString Text() const;  // aligned columns, one line per row
  QString Csv() const;   // header line, then one line per row, plain numbers in ms

 private:
  std::vector<TableRow> rows_;
};

}  // namespace kvbench
