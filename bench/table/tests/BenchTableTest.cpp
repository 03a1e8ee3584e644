// The bench table read from Google Benchmark's JSON: names without the
// engine, ratios against the goal, failed rows kept, both outputs.
#include <gtest/gtest.h>

#include "BenchTableClass.h"

namespace {

const QByteArray kJson = R"({
  "context": {"date": "today"},
  "benchmarks": [
    {"name": "StyleSave/300rows/SQLite/manual_time", "run_type": "iteration", "label": "SQLite",
     "ours_ms": 30.0, "base_ms": 12.0, "ratio": 2.5, "goal": 1.5},
    {"name": "StyleSave/300rows/PostgreSQL/manual_time", "run_type": "iteration", "label": "PostgreSQL",
     "ours_ms": 14.0, "base_ms": 10.0, "goal": 1.5},
    {"name": "StyleSave/300rows/SQLite/manual_time_median", "run_type": "aggregate", "label": "SQLite",
     "ours_ms": 99.0},
    {"name": "GridToPdf", "run_type": "iteration", "ours_ms": 2500.0, "base_ms": 20.0},
    {"name": "Scroll", "run_type": "iteration", "ours_ms": 5.0},
    {"name": "Fetch/SQLite/fetch-only", "run_type": "iteration", "real_time": 2500.0, "time_unit": "us"},
    {"name": "Fetch/PostgreSQL", "run_type": "iteration", "label": "PostgreSQL",
     "error_occurred": true, "error_message": "no server"}
  ]})";

TEST(BenchTable, ReadsRowsWithoutEngineAndSuffixes) {
  const std::vector<kvbench::TableRow> rows = kvbench::RowsFromJson(kJson);
  ASSERT_EQ(rows.size(), 6u);  // the aggregate is left out
  EXPECT_EQ(rows[0].benchmark, "StyleSave/300rows");
  EXPECT_EQ(rows[0].engine, "SQLite");
  EXPECT_DOUBLE_EQ(rows[0].Ratio(), 2.5);
  EXPECT_EQ(rows[0].Met(), "no");
  EXPECT_EQ(rows[1].Met(), "yes");        // 1.4x against 1.5x
  EXPECT_EQ(rows[2].engine, "-");
  EXPECT_EQ(rows[2].Met(), "-");          // no goal
  EXPECT_EQ(rows[3].Ratio(), -1);         // no baseline
  EXPECT_EQ(rows[4].benchmark, "Fetch/fetch-only");  // engine from the name, time from its own unit
  EXPECT_EQ(rows[4].engine, "SQLite");
  EXPECT_DOUBLE_EQ(rows[4].oursMs, 2.5);
  EXPECT_EQ(rows[5].error, "no server");
  EXPECT_THROW(kvbench::RowsFromJson("{\"not\": 1}"), std::runtime_error);
  EXPECT_THROW(kvbench::RowsFromJson("garbage"), std::runtime_error);
}

TEST(BenchTable, TextAndCsvShowEveryRow) {
  kvbench::BenchTable t;
  t.Add(kvbench::RowsFromJson(kJson));
  const QStringList lines = t.Text().split('\n', Qt::SkipEmptyParts);
  ASSERT_EQ(lines.size(), 7);
  EXPECT_TRUE(lines[0].startsWith("benchmark"));
  EXPECT_TRUE(lines[1].contains("30.0 ms") && lines[1].contains("12.0 ms") && lines[1].contains("2.50x") &&
              lines[1].contains("1.5x") && lines[1].trimmed().endsWith("no"))
      << lines[1].toStdString();
  EXPECT_TRUE(lines[3].contains("2.50 s") && lines[3].contains("125.00x")) << lines[3].toStdString();
  EXPECT_TRUE(lines[6].contains("failed: no server"));
  // Columns line up: every line's "engine" column starts at the same place.
  const qsizetype at = lines[0].indexOf("engine");
  EXPECT_EQ(lines[1].indexOf("SQLite"), at);
  EXPECT_EQ(lines[2].indexOf("PostgreSQL"), at);

  const QStringList csv = t.Csv().split('\n', Qt::SkipEmptyParts);
  ASSERT_EQ(csv.size(), 7);
  EXPECT_EQ(csv[0], "benchmark,engine,ours_ms,baseline_ms,ratio,goal,met,error");
  EXPECT_EQ(csv[1], "StyleSave/300rows,SQLite,30.000,12.000,2.500,1.5,no,");
  EXPECT_EQ(csv[4], "Scroll,-,5.000,,,,-,");
  EXPECT_EQ(csv[6], "Fetch,PostgreSQL,,,,,-,no server");
}

TEST(BenchTable, FormatsTimesByTheirSize) {
  EXPECT_EQ(kvbench::FormatMs(-1), "-");
  EXPECT_EQ(kvbench::FormatMs(1.234), "1.23 ms");
  EXPECT_EQ(kvbench::FormatMs(56.78), "56.8 ms");
  EXPECT_EQ(kvbench::FormatMs(456.7), "457 ms");
  EXPECT_EQ(kvbench::FormatMs(4567), "4.57 s");
  EXPECT_EQ(kvbench::FormatMs(45678), "45.7 s");
}

}  // namespace
