// A 20,000-row, 10-column listing (1,000 rows with KV_BENCH_SCALE=small)
// laid out into pages and printed to PDF, each against the same text written
// to a plain file in the same iterations, the floor a printout cannot beat.
#include <QuickReport.h>

#include "KvBenchCompare.h"
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

void PlainText(const QString& path) {
  kvbench::WritePlainText(path, [](QFile& f) {
    QTextStream out(&f);
    for (const auto& row : Grid()) out << row.join('\t') << '\n';
  });
}

void BM_ReportLayoutPages(benchmark::State& state) {
  Listing listing;
  QTemporaryDir dir;
  size_t pages = 0;
  kvbench::Comparison row(state, "-");
  for (auto _ : state) {
    row.Ours([&] { pages = listing.rep.RenderPages().size(); });
    row.Baseline([&] { PlainText(dir.filePath("listing.txt")); });
  }
  state.counters["pages"] = static_cast<double>(pages);
  kvbench::OutputCounters(state, Rows(), 0);
  row.Report();
}

void BM_ReportToPdf(benchmark::State& state) {
  Listing listing;
  QTemporaryDir dir;
  const QString path = dir.filePath("listing.pdf");
  kvbench::Comparison row(state, "-");
  for (auto _ : state) {
    row.Ours([&] {
      if (!listing.rep.ExportToPdf(path)) state.SkipWithError("PDF not written");
    });
    row.Baseline([&] { PlainText(dir.filePath("listing.txt")); });
  }
  kvbench::OutputCounters(state, Rows(), QFileInfo(path).size());
  row.Report();
}

KV_BENCH_ROW("Report/LayoutPages", BM_ReportLayoutPages);
KV_BENCH_ROW("Report/ToPdf", BM_ReportToPdf);

}  // namespace

int main(int argc, char** argv) { return kvbench::RunGuiBenchmarks(argc, argv); }
