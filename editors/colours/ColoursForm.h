#pragma once
// The colours editor's main window: the colours (PARAMETERS rows of TYPE
// COLOUR) in the list under a base-colour filter; the chosen colour's name,
// its display colour (painted in PanelColour, picked from sixteen swatches or
// the colour dialog; a new entry starts with a random one) and its base
// colour. Every save carries the name and the display colour into PRODUCTS
// in the same transaction.
//
// The members are spread over two files:
//   ColoursForm.cpp      the fields, the base lists and the filter, loading a colour, the modes, picking a colour
//   ColoursFormSave.cpp  the checks, the save with its products rewrite, the printed list
#include "CodeListFrameForm.h"

#include <QLabel>

#include <functional>
#include <vector>

class QComboBox;
class QMouseEvent;

// A bordered panel of one colour that answers a click (PanelColour and the
// swatches).
class TColourPanel : public QLabel {
 public:
  explicit TColourPanel(QWidget* parent);
  void SetColour(quint32 bgr);
  quint32 Colour() const { return colour_; }
  std::function<void()> OnClick;

 protected:
  void mouseReleaseEvent(QMouseEvent* e) override;

 private:
  quint32 colour_ = 0xFFFFFF;
};

class TForm1 : public TCodeListFrameForm {
  Q_OBJECT
 public:
  explicit TForm1(QWidget* parent = nullptr);
  ~TForm1() override;

  static constexpr const char* kTitle = "Colours";
  static constexpr const char* kSingleUserBase = "Beige";

  // ----- components ----------------------------------------------------------------
  QComboBox* ComboBoxBaseSelect = nullptr;  // the filter over the list
  TColourPanel* PanelColour = nullptr;
  QToolButton* SpButSelectColour = nullptr;  // "More..."
  std::vector<TColourPanel*> Swatches;       // PanelClWhite ... PanelClSilver
  QLabel* LabelBaseTitle = nullptr;
  QComboBox* ComboBoxBase = nullptr;

  // ----- handlers ----------------------------------------------------------------------
  void ComboBoxBaseSelectChange();
  void SpButSelectColourClick();
  // Bound to all sixteen swatches: the sender's colour and base colour.
  void PanelClWhiteClick(TColourPanel* sender);

  // ----- routines ------------------------------------------------------------------------
  void FillBaseColours();
  // Shows or hides the swatches and "More...".
  void ShowSwatches(bool shown);
  quint32 RandomColour() const;
  // The display colour shown (0x00BBGGRR).
  quint32 Colour() const { return PanelColour->Colour(); }
  TColourPanel* Swatch(const QString& name) const;

 protected:
  QString ListSQL() const override;
  QString RecordTable() const override { return "PARAMETERS"; }
  void AfterConnect() override { FillBaseColours(); }
  void ClearFields() override;
  void LoadRecord() override;
  void SetFieldsEditing(bool editing) override;
  void AfterAddStarted() override;
  QString SelectRecordMessage() const override { return "Please select a colour."; }
  bool ValidateRecord() override;
  void CheckInSave(kdb::Database& db) override;
  qint64 d_WriteRecord(kdb::Database& db) override;
  void d_RenameProducts(kdb::Database& db, qint64 id) override;
  QString SavedMessage() const override { return "Colour has been saved."; }
  QString SaveFailedMessage() const override { return "Error: Colour has not been saved."; }
  bool FillPrintGrid() override;
  std::unique_ptr<TQuickReport1> CreatePrintForm() override;

 private:
  void BuildFields();
  bool SingleUser() const;
  bool NameTaken(const QString& name);
  // The base colour to write: the stored spelling while the user left it.
  QString BaseToWrite() const;

  // The base colour's place in ComboBoxBase as the colour was loaded (-2: none loaded).
  int loadedBase_ = -2;
  // What the save left in the row, for the copies in PRODUCTS.
  QString savedName_;
  quint32 savedColour_ = 0;
};
