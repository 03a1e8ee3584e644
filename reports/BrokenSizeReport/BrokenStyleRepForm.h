#pragma once
// The print form of the broken styles report: every grid row from row 0 (the
// grid has no fixed row) on a detail band with branch, root PLU, style and
// colour and the first twenty size columns; header rows print on grey. The
// page header holds the title and the static "Start Date:" label, the page
// footer the page number and the date and time of printing.
#include "FormReportF.h"

#include <array>

class TFormRep : public TGridReportForm {
 public:
  TFormRep();

  static constexpr int kSizes = 20;
  static constexpr quint32 kHeaderBandColour = 0xC0C0C0;
  static constexpr quint32 kDetailFrameColour = 0xE8E8E8;

  // The report as the program calls it.
  kr::QuickReport& QuickRepM = QuickRep1;
  kr::Band* QRBandHead = nullptr;
  kr::Label* QRLabelTitle = nullptr;
  kr::Label* QRLabelStartDate = nullptr;
  kr::Band* QRBandDetail = nullptr;
  kr::Label* QRLabBranch = nullptr;
  kr::Label* QRLabRootPLU = nullptr;
  kr::Label* QRLabStyle = nullptr;
  kr::Label* QRLabColour = nullptr;
  std::array<kr::Label*, kSizes> QRLabSize{};
  kr::Band* QRBandFoot = nullptr;
  kr::SysData* QRSysData1 = nullptr;     // page number
  kr::SysData* QRSysDataDate = nullptr;  // date and time

  void QuickRepMBeforePrint() { QuickRep1BeforePrint(); }
  bool QuickRepMNeedData() { return QuickRep1NeedData(); }

 protected:
  void BeforePrint() override;
  void StyleDetail(int row) override;
};
