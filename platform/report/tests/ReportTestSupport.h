#pragma once
// A report as the print forms of the suite build them, and reading a PDF back.
#include <QuickReport.h>

#include <gtest/gtest.h>

#include "KvTestSupport.h"

#include <cmath>

namespace kr_test {

using kr::BandType;

// A print form as the suite writes them: a grid of rows, a row counter reset
// by BeforePrint, NeedData copying the next row into the detail labels.
struct GridReport {
  kr::QuickReport rep;
  std::vector<QStringList> rows;
  int row = -1;
  int beforePrints = 0;
  kr::Label* title = nullptr;
  kr::Label* code = nullptr;
  kr::Label* qty = nullptr;

  explicit GridReport(int n) {
    rep.Page.Frame = kr::Frame::All();
    rep.Options = {true, true};
    rep.ReportTitle = "Product Stock Listing";
    rep.PrintDateTime = QDateTime(QDate(2024, 3, 5), QTime(14, 30));
    auto& header = rep.AddBand(BandType::PageHeader, 52, "QRBand1");
    header.Frame = kr::Frame::All();
    title = &header.AddLabel("QRLabelTitle", {6, 6, 10, 30});
    title->Font = kr::PixelFont("Arial", 24, true);
    title->AutoSize = true;
    auto& detail = rep.AddBand(BandType::Detail, 30, "QRBandRepLine");
    detail.Frame = kr::Frame::Under();
    code = &detail.AddLabel("QRLabCode", {2, 2, 100, 20});
    qty = &detail.AddLabel("QRLabQty", {120, 2, 80, 20});
    qty->Alignment = kr::Alignment::Right;
    auto& footer = rep.AddBand(BandType::PageFooter, 32, "QRBand3");
    footer.Frame = kr::Frame::All();
    footer.AddSysData("QRSysData2", kr::SysDataKind::DateTime, {4, 8, 200, 16});
    footer.AddSysData("QRSysData3", kr::SysDataKind::ReportTitle, {250, 8, 200, 16}).Alignment = kr::Alignment::Center;
    auto& page = footer.AddSysData("QRSysData1", kr::SysDataKind::PageNumber, {600, 8, 100, 16});
    page.Text = "Page ";
    page.Alignment = kr::Alignment::Right;
    for (int i = 0; i < n; ++i) rows.push_back({QString("ROW%1").arg(i, 5, 10, QChar('0')), QString::number(i * 3)});
    rep.OnBeforePrint = [this] {
      ++beforePrints;
      row = -1;
      title->Caption = rep.ReportTitle;
    };
    rep.OnNeedData = [this] {
      if (++row >= static_cast<int>(rows.size())) return false;
      code->Caption = rows[row][0];
      qty->Caption = rows[row][1];
      return true;
    };
  }

  // Detail rows that fit one page between header and footer, worked out here
  // from the paper, independently of the layout code.
  int RowsPerPage() const {
    const qreal body = rep.Page.PrintableRectMm().height() - kr::DesignPixelsToMm(52 + 32, rep.Page.Zoom);
    return static_cast<int>(std::floor(body / kr::DesignPixelsToMm(30, rep.Page.Zoom)));
  }
};

inline QStringList DetailCodes(const std::vector<kr::RenderedPage>& pages) {
  QStringList out;
  for (const auto& p : pages)
    for (const auto* b : p.BandsOf(BandType::Detail)) out << b->FindText("QRLabCode")->PrintedText();
  return out;
}

// The text of a PDF file, as pdftotext reads it.
using kvtest::PdfText;

}  // namespace kr_test
