// A 20,000-row, 10-column listing (1,000 rows with KV_BENCH_SCALE=small)
// laid out into pages, printed to PDF, and the same text written to a plain
// file in the same run, as the floor a printout cannot beat.
#include <QuickReport.h>

#include "KvBenchMain.h"
#include "KvBenchOutput.h"

#include <benchmark/benchmark.h>

#include <QFileInfo>
#include <QTemporaryDir>
#include <QTextStream>

namespace {

constexpr int kColumns = 10;

int Rows() { return qEnvironmentVariable("KV_BENCH_SCALE") == "small" ? 1000 : 20000; }

const std::vector<QStringList>& Grid() {
  static const std::vector<QStringList> grid = [] {
    std::vector<QStringList> g;
    g.reserve(Rows());
    for (int r = 0; r < Rows(); ++r) {
      QStringList row;
      row << QString("%1").arg(r, 10, 10, QChar('0')) << QString("STYLE %1").arg(r % 997)
          << "SUMMER DRESS" << "NAVY" << "12" << QString::number(r % 40 - 5);
      row << QString::number((r % 500) * 1.25, 'f', 2) << QString::number((r % 500) * 2.5, 'f', 2)
          << QString::number(r % 17) << QString::number(r * 3);
      g.push_back(row);
    }
    return g;
  }();
  return grid;
}

// A landscape listing as the stock reports print it: title, column captions,
// ten detail labels (numbers right-aligned), footer with date, title and page.
struct Listing {
  kr::QuickReport rep;
  std::vector<kr::Label*> cells;
  int row = -1;

  Listing() {
    rep.Page.Orientation = QPageLayout::Landscape;
    rep.Page.Frame = kr::Frame::All();
    rep.Options = {true, true};
    rep.ReportTitle = "Product Stock Listing";
    auto& header = rep.AddBand(kr::BandType::PageHeader, 52);
    header.AddLabel("QRLabelTitle", {6, 6, 10, 30}, rep.ReportTitle).AutoSize = true;
    auto& detail = rep.AddBand(kr::BandType::Detail, 18);
    detail.Frame = kr::Frame::Under();
    for (int c = 0; c < kColumns; ++c) {
      auto& l = detail.AddLabel(QString("QRLab%1").arg(c), {2.0 + c * 100, 2, 96, 14});
      l.Font = kr::PixelFont("Arial", 11);
      if (c >= 4) l.Alignment = kr::Alignment::Right;
      cells.push_back(&l);
    }
    auto& footer = rep.AddBand(kr::BandType::PageFooter, 32);
    footer.AddSysData("QRSysData2", kr::SysDataKind::DateTime, {4, 8, 200, 16});
    footer.AddSysData("QRSysData1", kr::SysDataKind::PageNumber, {900, 8, 100, 16}).Alignment = kr::Alignment::Right;
    rep.OnBeforePrint = [this] { row = -1; };
    rep.OnNeedData = [this] {
      const auto& g = Grid();
      if (++row >= static_cast<int>(g.size())) return false;
      for (int c = 0; c < kColumns; ++c) cells[c]->Caption = g[row][c];
      return true;
    };
  }
};

void BM_ReportLayoutPages(benchmark::State& state) {
  Listing listing;
  size_t pages = 0;
  for (auto _ : state) pages = listing.rep.RenderPages().size();
  state.counters["pages"] = static_cast<double>(pages);
  kvbench::OutputCounters(state, Rows(), 0);
}

void BM_ReportToPdf(benchmark::State& state) {
  Listing listing;
  QTemporaryDir dir;
  const QString path = dir.filePath("listing.pdf");
  for (auto _ : state)
    if (!listing.rep.ExportToPdf(path)) state.SkipWithError("PDF not written");
  kvbench::OutputCounters(state, Rows(), QFileInfo(path).size());
}

void BM_PlainTextFile(benchmark::State& state) {
  kvbench::PlainTextFile(state, Rows(), [](QFile& f) {
    QTextStream out(&f);
    for (const auto& row : Grid()) out << row.join('\t') << '\n';
  });
}

BENCHMARK(BM_ReportLayoutPages)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReportToPdf)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainTextFile)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return kvbench::RunGuiBenchmarks(argc, argv); }
