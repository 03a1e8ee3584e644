// kvbench_table: reads the JSON output of the benchmark programs and prints
// the one table of ./suite bench; with --csv FILE it also writes it as CSV.
//   kvbench_table [--csv FILE] RESULT.json...
#include <QCoreApplication>
#include <QFile>
#include <QTextStream>

#include <stdexcept>

#include "BenchTableClass.h"

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QStringList args = QCoreApplication::arguments().mid(1);
  QTextStream out(stdout), err(stderr);
  QString csv;
  if (args.size() >= 2 && args[0] == "--csv") {
    csv = args[1];
    args = args.mid(2);
  }
  kvbench::BenchTable table;
  int failures = 0;
  for (const QString& path : args) {
    QFile f(path);
    try {
      if (!f.open(QIODevice::ReadOnly)) throw std::runtime_error("cannot be read");
      table.Add(kvbench::RowsFromJson(f.readAll()));
    } catch (const std::exception& e) {
      err << "kvbench_table: " << path << ": " << e.what() << "\n";
      ++failures;
    }
  }
  out << table.Text();
  if (!csv.isEmpty()) {
    QFile f(csv);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
      err << "kvbench_table: cannot write " << csv << "\n";
      return 1;
    }
    f.write(table.Csv().toUtf8());
  }
  return failures ? 1 : 0;
}
