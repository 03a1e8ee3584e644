#pragma once
// The print form of a report grid: a report (QuickRep1) whose detail records
// are the rows of a string grid, read cell by cell; the database is never
// asked again.
//
//   class TFormRep : public TGridReportForm {      // a program's print form
//    public:
//     TFormRep() : TGridReportForm(120, 1) {
//       auto& detail = QuickRep1.AddBand(kr::BandType::Detail, 30, "QRBandRepLine");
//       AddColumnLabel(detail, 0, "QRLabRootPLU", {2, 2, 47, 12});
//       ...
//     }
//    protected:
//     void StyleDetail(int row) override { ... }  // the row's kind: colour, bold
//   };
//   TFormRep form; form.SetGrid(grid); form.SetTitle("..."); form.Preview(window);
//
// Every output runs a pass of its own: QuickRep1BeforePrint puts the row
// counter back before the first printed row, QuickRep1NeedData hands out the
// next row until the grid's row count is reached (no empty band after the
// last row). A grid whose row 0 is a fixed header starts at row 1; a grid
// without fixed rows starts at row 0.
#include "QuickReport.h"

#include <QString>

#include <vector>

class QWidget;

namespace kui {
class KvStringGrid;
}

class TGridReportForm {
 public:
  // zoom: the zoom the form was laid out at; firstRow: the first grid row printed.
  explicit TGridReportForm(int zoom = 100, int firstRow = 1);
  virtual ~TGridReportForm();
  TGridReportForm(const TGridReportForm&) = delete;
  TGridReportForm& operator=(const TGridReportForm&) = delete;

  kr::QuickReport QuickRep1;

  void SetTitle(const QString& title) { QuickRep1.ReportTitle = title; }
  QString Title() const { return QuickRep1.ReportTitle; }
  void SetGrid(kui::KvStringGrid* grid) { grid_ = grid; }
  kui::KvStringGrid* Grid() const { return grid_; }
  // The text of a column at the current print row; "" for a column at or
  // beyond the grid's column count.
  QString GetCell(int col) const;
  int PrintRow() const { return printRow_; }
  int FirstRow() const { return firstRow_; }

  // The preview (through the modal seam), only when a grid is set. False when
  // there was nothing to show.
  bool Preview(QWidget* parent = nullptr);

  // The report's events.
  void QuickRep1BeforePrint();
  bool QuickRep1NeedData();

  // A detail label that takes the cell of `col` for every printed row.
  kr::Label& AddColumnLabel(kr::Band& band, int col, const QString& name, const QRectF& geometry,
                            kr::Alignment alignment = kr::Alignment::Left);
  // The label of a column map entry by its name, or nullptr.
  kr::Label* ColumnLabel(const QString& name) const;

 protected:
  // After the counter is reset: titles, pictures, footer texts.
  virtual void BeforePrint() {}
  // After the cells of `row` were copied: colours and fonts of the row's kind.
  virtual void StyleDetail(int row) {}

 private:
  struct ColumnLabelMap {
    int col;
    kr::Label* label;
  };
  kui::KvStringGrid* grid_ = nullptr;
  int firstRow_;
  int printRow_ = 0;
  std::vector<ColumnLabelMap> columns_;
};
