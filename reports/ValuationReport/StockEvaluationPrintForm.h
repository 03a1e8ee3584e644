#pragma once
// The stock evaluation's print form: the frame's report form at zoom 100,
// printing every grid row from the title row on (the grid's row 0), with the
// company logo at the right of the page header when the settings ask for
// pictures, and the four totals in the page footer.
//
//   TFormReport form;
//   form.SetGrid(grid); form.SetTitle("Stock Evaluation By Department");
//   form.QRLabelTotalUnits->Caption = "12";  ...
//   form.ImagesFolder = setup.GetImagesFolder(); form.UseImages = setup.LOUseImages;
#include "Report1Form.h"

class TFormReport : public TReport1Form {
 public:
  TFormReport();

  static constexpr int kZoom = 100;
  static constexpr const char* kLogoFile = "Logo.jpg";

  kr::Image* QRImage1 = nullptr;  // the logo
  kr::Band* QRBand2 = nullptr;    // the detail band
  kr::Label* QRLabelTotalUnits = nullptr;
  kr::Label* QRLabelTotalCost = nullptr;
  kr::Label* QRLabelTotalRetail = nullptr;
  kr::Label* QRLabelTotalGrossProfit = nullptr;

  QString ImagesFolder;  // ends with "/"
  bool UseImages = false;

 protected:
  void BeforePrint() override;
  // The title row and the totals row print bold.
  void StyleDetail(int row) override;
};
