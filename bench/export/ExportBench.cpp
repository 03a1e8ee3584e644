// A 20,000-row, 14-column stock listing grid (1,000 rows with
// KV_BENCH_SCALE=small) printed to PDF through the frame's standard print
// form and exported to CSV, each against the grid's text written to a plain
// file in the same iterations: the floor neither output can beat.
#include "KvBenchCompare.h"
#include "KvBenchMain.h"
#include "KvBenchOutput.h"
#include "KVExportClass.h"
#include "KvStringGrid.h"
#include "Report1Form.h"

#include <benchmark/benchmark.h>

#include <QFileInfo>
#include <QTemporaryDir>

namespace {

constexpr int kColumns = 14;

int Rows() { return qEnvironmentVariable("KV_BENCH_SCALE") == "small" ? 1000 : 20000; }

// The grid as the product stock listing leaves it: a header row, PLU rows,
// a few of them with a comma in the description (quoted in the file).
kui::KvStringGrid& Grid() {
  static kui::KvStringGrid* grid = [] {
    auto* g = new kui::KvStringGrid;
    g->SetColCount(kColumns);
    g->SetRowCount(Rows() + 1);
    g->SetFixedCols(0);
    g->SetDefaultColWidth(72);
    g->SetRowTexts(0, {"PLU", "Supplier", "Brand", "Style", "Colour", "Size", "Category", "Department",
                       "Description", "Cost", "Retail", "Qty", "T. Cost", "T. Retail"});
    for (int r = 1; r <= Rows(); ++r) {
      const int qty = r % 40 - 5;
      const double cost = (r % 500) * 1.25, retail = (r % 500) * 2.5;
      g->SetRowTexts(r, {QString("%1").arg(r, 10, 10, QChar('0')), "ACME LTD", "NORTHERN", QString("STYLE %1").arg(r % 997),
                         "NAVY", QString::number(8 + 2 * (r % 6)), "DRESSES", "WOMENSWEAR",
                         r % 10 == 0 ? "SUMMER DRESS, LONG" : "SUMMER DRESS", QString::number(cost, 'f', 2),
                         QString::number(retail, 'f', 2), QString::number(qty), QString::number(cost * qty, 'f', 2),
                         QString::number(retail * qty, 'f', 2)});
    }
    return g;
  }();
  return *grid;
}

// The same cells joined by commas, one write per line, without looking at
// what the cells hold.
void PlainText(const QString& path) {
  kvbench::WritePlainText(path, [](QFile& f) {
    for (int r = 0; r < Grid().RowCount(); ++r) f.write((Grid().RowTexts(r).join(',') + "\r\n").toUtf8());
  });
}

void BM_GridToPdf(benchmark::State& state) {
  TReport1Form form(120);
  form.AddGridColumnLabels(Grid(), [](int col) { return col >= 9 ? kr::Alignment::Right : kr::Alignment::Left; });
  form.SetGrid(&Grid());
  form.SetTitle("Product Stock Listing By Supplier");
  QTemporaryDir dir;
  const QString path = dir.filePath("listing.pdf");
  kvbench::Comparison row(state, "-");
  for (auto _ : state) {
    row.Ours([&] {
      if (!form.QuickRep1.ExportToPdf(path)) state.SkipWithError("PDF not written");
    });
    row.Baseline([&] { PlainText(dir.filePath("listing.txt")); });
  }
  state.counters["pages"] = static_cast<double>(form.QuickRep1.RenderPages().size());
  kvbench::OutputCounters(state, Rows(), QFileInfo(path).size());
  row.Report();
}

void BM_GridToCsv(benchmark::State& state) {
  QTemporaryDir dir;
  const QString path = dir.filePath("listing.csv");
  kvbench::Comparison row(state, "-");
  for (auto _ : state) {
    row.Ours([&] {
      KVExportSGridClass exporter;
      exporter.Grid = &Grid();
      exporter.Export(path);
    });
    row.Baseline([&] { PlainText(dir.filePath("listing.txt")); });
  }
  kvbench::OutputCounters(state, Rows(), QFileInfo(path).size());
  row.Report();
}

KV_BENCH_ROW("Export/GridToPdf", BM_GridToPdf);
KV_BENCH_ROW("Export/GridToCsv", BM_GridToCsv);

}  // namespace

int main(int argc, char** argv) { return kvbench::RunGuiBenchmarks(argc, argv); }
