#pragma once
// The printed style sheet: one line per root PLU of the main window's report
// grid StringGrid1 (18 columns, no header row), under a page header with the
// title and the column captions, over a footer with the date and time of
// printing and the page number. A4 landscape, margins of 10 mm, Arial; the
// header prints on the first page and the footer on the last; printed even
// without a line. Created per print with its grid and title set.
//
//   TQuickReport1 report;
//   report.SetGrid(StringGrid1);
//   report.SetTitle(TStyleListClass::StyleSheetTitle(style));
//   report.Preview(window);
#include <QStringList>

#include "FormReportF.h"

class TQuickReport1 : public TGridReportForm {
 public:
  TQuickReport1();

  // The captions over the grid's columns 0-17.
  static const QStringList& Captions();

  kr::Band* QRBandHeader = nullptr;
  kr::Label* QRLabelTitle = nullptr;
  kr::Band* QRBandDetail = nullptr;
  kr::Band* QRBandFooter = nullptr;
  kr::SysData* QRSysDataDate = nullptr;
  kr::SysData* QRSysDataPage = nullptr;

  // The report's events under the names the style editor knows them by.
  void QuickRepBeforePrint() { QuickRep1BeforePrint(); }
  bool QuickRepNeedData() { return QuickRep1NeedData(); }

  // The caption label over a column.
  kr::Label* CaptionOf(int col) const;

 protected:
  // The title, and the captions of the columns nothing fills ("STOCK:",
  // "MIN STK:") emptied.
  void BeforePrint() override;

 private:
  std::vector<kr::Label*> captions_;
};
