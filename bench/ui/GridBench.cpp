// Filling and scrolling a string grid as large as the biggest reports make it.
// KV_BENCH_SCALE=small uses ~5,000 rows (the smoke run); otherwise 100,000.
// The fill's baseline is the same texts made and kept in plain lists.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <memory>

#include "KuiColour.h"
#include "KvBenchCompare.h"
#include "KvBenchMain.h"
#include "KvStringGrid.h"

namespace {

constexpr int kCols = 15;

int Rows() { return qEnvironmentVariable("KV_BENCH_SCALE") == "small" ? 5000 : 100000; }

void Fill(kui::KvStringGrid& g, int rows) {
  g.SetColCount(kCols);
  g.SetRowCount(1);
  for (int c = 0; c < kCols; ++c) g.SetCell(c, 0, QString("Column %1").arg(c));
  // Row by row, as a report run writes them: one more row, then its cells.
  for (int r = 1; r <= rows; ++r) {
    g.SetRowCount(r + 1);
    for (int c = 0; c < kCols; ++c) g.SetCell(c, r, QString::number(r * kCols + c));
  }
}

std::unique_ptr<kui::KvStringGrid> ShownGrid() {
  auto g = std::make_unique<kui::KvStringGrid>();
  g->resize(1024, 700);
  g->SetFixedRows(1);
  g->SetFixedCols(1);
  g->show();
  QApplication::processEvents();
  return g;
}

// The texts a fill writes, kept in lists: the floor of holding them.
void FillLists(std::vector<QStringList>& rows, int count) {
  rows.assign(1, {});
  for (int c = 0; c < kCols; ++c) rows[0] << QString("Column %1").arg(c);
  for (int r = 1; r <= count; ++r) {
    QStringList& row = rows.emplace_back();
    for (int c = 0; c < kCols; ++c) row << QString::number(r * kCols + c);
  }
}

void BM_FillGrid(benchmark::State& state) {
  const int rows = Rows();
  kvbench::Comparison row(state, "-");
  for (auto _ : state) {
    auto g = ShownGrid();
    row.Ours([&] { Fill(*g, rows); });
    benchmark::DoNotOptimize(g->Cell(3, rows));
    std::vector<QStringList> lists;
    row.Baseline([&] { FillLists(lists, rows); });
    benchmark::DoNotOptimize(lists.back().back());
  }
  state.SetItemsProcessed(state.iterations() * rows * kCols);
  state.counters["rows"] = rows;
  row.Report();
}
KV_BENCH_ROW("Grid/Fill", BM_FillGrid);

// One iteration scrolls from the top to the bottom a page at a time, painting
// every page (with an owner-draw hook, as the report windows have).
void BM_ScrollPainted(benchmark::State& state) {
  const int rows = Rows();
  auto g = ShownGrid();
  Fill(*g, rows);
  g->OnDrawCell = [](kui::KvStringGrid& grid, QPainter& p, int col, int row, const QRect& r,
                     kui::KvGridDrawState st) {
    p.fillRect(r, kui::BgrColour(st.fixed ? 0xC6FFFF : row % 2 ? 0xFFFFFF : 0xE9E9E9));
    kui::KvStringGrid::DrawCellText(p, r, grid.Cell(col, row), col > 4 ? Qt::AlignRight : Qt::AlignLeft);
  };
  QApplication::processEvents();
  QImage frame(g->viewport()->size(), QImage::Format_ARGB32_Premultiplied);
  long long frames = 0;
  kvbench::Comparison row(state, "-");
  for (auto _ : state) {
    row.Ours([&] {
      for (int top = 1; top < rows; top += std::max(1, g->VisibleRowCount())) {
        g->SetTopRow(top);
        g->viewport()->render(&frame);
        ++frames;
      }
    });
  }
  row.Report();
  state.counters["frames"] = benchmark::Counter(static_cast<double>(frames), benchmark::Counter::kIsRate);
  state.counters["rows"] = rows;
}
KV_BENCH_ROW("Grid/ScrollPainted", BM_ScrollPainted);

}  // namespace

int main(int argc, char** argv) { return kvbench::RunGuiBenchmarks(argc, argv); }
