#include "BenchTableClass.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <stdexcept>

namespace kvbench {

QString TableRow::Met() const {
  if (goal <= 0 || Ratio() < 0) return "-";
  return Ratio() <= goal ? "yes" : "no";
}

std::vector<TableRow> RowsFromJson(const QByteArray& json) {
  QJsonParseError err{};
  const QJsonDocument doc = QJsonDocument::fromJson(json, &err);
  if (err.error != QJsonParseError::NoError || !doc.object().contains("benchmarks"))
    throw std::runtime_error("not the JSON output of a benchmark program");
  std::vector<TableRow> rows;
  for (const QJsonValue& v : doc.object().value("benchmarks").toArray()) {
    const QJsonObject b = v.toObject();
    if (b.value("run_type").toString() == "aggregate") continue;
    TableRow r;
    r.engine = b.value("label").toString();
    // A benchmark without a label may still name its engine in its name.
    if (r.engine.isEmpty())
      for (const char* e : {"SQLite", "PostgreSQL"})
        if (b.value("name").toString().split('/').contains(QLatin1String(e))) r.engine = e;
    if (r.engine.isEmpty()) r.engine = "-";
    // The name without the engine's part, and without Google Benchmark's
    // own suffixes ("/manual_time", "/real_time", "/iterations:3").
    QStringList parts = b.value("name").toString().split('/');
    parts.removeIf([&](const QString& p) {
      return p == r.engine || p == "manual_time" || p == "real_time" || p.startsWith("iterations:") ||
             p.startsWith("min_time:");
    });
    r.benchmark = parts.join('/');
    r.oursMs = b.value("ours_ms").toDouble(-1);
    if (r.oursMs < 0 && b.contains("real_time")) {
      // A plain benchmark: its own time, in its unit.
      const QString unit = b.value("time_unit").toString();
      const double scale = unit == "ns" ? 1e-6 : unit == "us" ? 1e-3 : unit == "s" ? 1e3 : 1;
      r.oursMs = b.value("real_time").toDouble() * scale;
    }
    r.baseMs = b.value("base_ms").toDouble(-1);
    r.goal = b.value("goal").toDouble(0);
    if (b.value("error_occurred").toBool()) r.error = b.value("error_message").toString();
    rows.push_back(r);
  }
  return rows;
}

QString FormatMs(double ms) {
  if (ms < 0) return "-";
  if (ms >= 10000) return QString::number(ms / 1000, 'f', 1) + " s";
  if (ms >= 1000) return QString::number(ms / 1000, 'f', 2) + " s";
  if (ms >= 100) return QString::number(ms, 'f', 0) + " ms";
  if (ms >= 10) return QString::number(ms, 'f', 1) + " ms";
  return QString::number(ms, 'f', 2) + " ms";
}

void BenchTable::Add(const std::vector<TableRow>& rows) { rows_.insert(rows_.end(), rows.begin(), rows.end()); }

QStringList BenchTable::Header() { return {"benchmark", "engine", "ours", "baseline", "ratio", "goal", "met"}; }

QStringList BenchTable::Cells(const TableRow& r) {
  if (!r.error.isEmpty()) return {r.benchmark, r.engine, "failed: " + r.error, "", "", "", ""};
  const double ratio = r.Ratio();
  return {r.benchmark,
          r.engine,
          FormatMs(r.oursMs),
          FormatMs(r.baseMs),
          ratio < 0 ? "-" : QString::number(ratio, 'f', 2) + "x",
          r.goal > 0 ? QString::number(r.goal, 'g', 3) + "x" : "-",
          r.Met()};
}

QString BenchTable::Text() const {
  std::vector<QStringList> lines{Header()};
  for (const TableRow& r : rows_) lines.push_back(Cells(r));
  std::vector<qsizetype> width(Header().size(), 0);
  for (const QStringList& l : lines)
    for (int c = 0; c < l.size(); ++c) width[size_t(c)] = std::max(width[size_t(c)], l[c].size());
  QString out;
  for (const QStringList& l : lines) {
    QString line;
    for (int c = 0; c < l.size(); ++c) {
      // Names and engines to the left, figures to the right.
      const bool left = c < 2 || c == l.size() - 1;
      line += (left ? l[c].leftJustified(width[size_t(c)]) : l[c].rightJustified(width[size_t(c)])) + "  ";
    }
    out += line.trimmed() + "\n";
  }
  return out;
}

QString BenchTable::Csv() const {
  auto field = [](QString s) {
    if (!s.contains(',') && !s.contains('"') && !s.contains('\n')) return s;
    return "\"" + s.replace("\"", "\"\"") + "\"";
  };
  auto number = [](double v) { return v < 0 ? QString() : QString::number(v, 'f', 3); };
  QString out = "benchmark,engine,ours_ms,baseline_ms,ratio,goal,met,error\n";
  for (const TableRow& r : rows_) {
    const double ratio = r.Ratio();
    out += QStringList{field(r.benchmark), field(r.engine), number(r.oursMs), number(r.baseMs),
                       ratio < 0 ? QString() : QString::number(ratio, 'f', 3),
                       r.goal > 0 ? QString::number(r.goal) : QString(), r.Met(), field(r.error)}
               .join(',') +
           "\n";
  }
  return out;
}

}  // namespace kvbench
