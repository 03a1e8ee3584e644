#pragma once
// The suppliers editor's main window: the suppliers (PARAMETERS rows of TYPE
// SUPPLIER) in the list; the chosen supplier's name and, on four pages picked
// by the panels under them, its main address, its agent with the concession
// flag (PARAMETERS.RATE), its mark-up, lead time and terms, and its returns
// address: the three ADDRESSES rows of TSupplierAddressClass. A save writes
// the supplier and its three rows in one transaction and, after an Edit,
// carries the name into PRODUCTS.
//
// The members are spread over two files:
//   SuppliersForm.cpp      the fields and pages, loading a supplier, the modes, the number fields
//   SuppliersFormSave.cpp  the checks, the save of the four rows, the rename, the printed list
#include "CodeListFrameForm.h"
#include "SupplierAddressClass.h"

#include <QMap>

#include <vector>

class QCheckBox;
class QGridLayout;
class QPlainTextEdit;
class QStackedWidget;

class TForm1 : public TCodeListFrameForm {
  Q_OBJECT
 public:
  explicit TForm1(QWidget* parent = nullptr);
  ~TForm1() override;

  static constexpr const char* kTitle = "Suppliers";
  static constexpr const char* kMarkupPoints = "Markup can only have one decimal point.";

  // ----- components ----------------------------------------------------------------
  QStackedWidget* PageControl1 = nullptr;  // its tab buttons hidden: the panels pick the page
  QWidget* TabSheetAddressDetails = nullptr;
  QWidget* TabSheetAgentDetails = nullptr;
  QWidget* TabSheetTerms = nullptr;
  QWidget* TabSheetRetAddress = nullptr;
  QToolButton* PanelSupAddress = nullptr;
  QToolButton* PanelSupRetAddress = nullptr;
  QToolButton* PanelSupAgent = nullptr;
  QToolButton* PanelSupTerms = nullptr;

  kui::KvEdit* EditHouseNoName = nullptr;
  kui::KvEdit* EditStreet = nullptr;
  kui::KvEdit* EditArea = nullptr;
  kui::KvEdit* EditTownCity = nullptr;
  kui::KvEdit* EditCounty = nullptr;
  kui::KvEdit* EditPostcode = nullptr;
  kui::KvEdit* EditTel = nullptr;
  kui::KvEdit* EditFax = nullptr;
  kui::KvEdit* EditEmail = nullptr;
  kui::KvEdit* EditWebsite = nullptr;

  kui::KvEdit* EditAgentFirstName = nullptr;
  kui::KvEdit* EditAgentSurname = nullptr;
  kui::KvEdit* EditAgentTelephone = nullptr;
  kui::KvEdit* EditAgentFax = nullptr;
  kui::KvEdit* EditAgentEmail = nullptr;
  QCheckBox* CheckBoxAllowPayments = nullptr;

  kui::KvEdit* EditMarkup = nullptr;
  kui::KvEdit* EditLeadTime = nullptr;
  QPlainTextEdit* MemoTerms = nullptr;

  kui::KvEdit* EditRetHouseNo = nullptr;
  kui::KvEdit* EditRetStreet = nullptr;
  kui::KvEdit* EditRetArea = nullptr;
  kui::KvEdit* EditRetTownCity = nullptr;
  kui::KvEdit* EditRetCounty = nullptr;
  kui::KvEdit* EditRetPostcode = nullptr;
  kui::KvEdit* EditRetTel = nullptr;
  kui::KvEdit* EditRetFax = nullptr;
  kui::KvEdit* EditRetEmail = nullptr;
  kui::KvEdit* EditRetWebsite = nullptr;

  // ----- handlers ----------------------------------------------------------------------
  void PanelSupAddressClick();
  void PanelSupRetAddressClick();
  void PanelSupAgentClick();
  void PanelSupTermsClick();
  void EditMarkupChange();
  // Drops every key but backspace, Enter and the digits (set to 0).
  void EditLeadTimeKeyPress(QChar& key);

  // ----- routines ------------------------------------------------------------------------
  // Filters a decimal box's text as it changes; each "." after the first is
  // told with the message and removed.
  void FilterDecimalText(kui::KvEdit* edit, const QString& message);
  // The name checks before a save; false (the user told) stops it.
  bool ValidateSupplier();
  // Writes the supplier's three address rows (inside the save's transaction).
  void UpdateSupplierAddresses(qint64 id);
  int FindListIndex(const QString& name) const { return IndexOfName(name); }
  // The page shown (one of the TabSheet... pages).
  QWidget* ShownPage() const;

 protected:
  QString ListSQL() const override;
  QString RecordTable() const override { return "PARAMETERS"; }
  void ClearFields() override;
  void LoadRecord() override;
  void SetFieldsEditing(bool editing) override;
  void AfterAddStarted() override;
  void AfterEditStarted() override;
  QString SelectRecordMessage() const override { return "Please select a supplier."; }
  bool ValidateRecord() override;
  void LockForSave(kdb::Database& db) override;
  void CheckInSave(kdb::Database& db) override;
  qint64 d_WriteRecord(kdb::Database& db) override;
  void d_RenameProducts(kdb::Database& db, qint64 id) override;
  QString SaveFailedMessage() const override { return "Error: Supplier has not been saved."; }
  bool FillPrintGrid() override;
  std::unique_ptr<TQuickReport1> CreatePrintForm() override;

  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // One box of the pages and the ADDRESSES column it shows.
  struct Field {
    int kind;        // TSupplierAddressClass::Kind
    QString column;
    QString caption;  // as the page names it, without the colon
    QWidget* box;     // a KvEdit, or the terms memo
    int length;       // what the box takes by typing; 0 for no limit
  };

  void BuildFields();
  QWidget* AddPage(const char* name, const QString& title, QGridLayout** rows);
  kui::KvEdit* AddEdit(QGridLayout* rows, const char* name, const QString& caption, int kind,
                       const QString& column, int length);
  QToolButton* AddPagePanel(QWidget* parent, const char* name, const QString& caption, QWidget* page);
  void ShowPage(QWidget* page);
  static QString TextOf(const QWidget* box);
  void ShowText(const Field& field, const QString& text);
  // The values of the three rows as the fields hold them; a field that still
  // shows what was loaded keeps the stored value.
  TSupplierAddressClass::RowValues AddressValues() const;
  QVariant AllowPaymentsValue() const;
  bool ValidateMarkup();
  bool NameTaken(const QString& name);

  std::vector<Field> fields_;
  std::vector<std::pair<QToolButton*, QWidget*>> pagePanels_;
  TSupplierAddressClass addresses_;
  QMap<const QWidget*, QString> loadedTexts_;  // each box's text as the load showed it
  bool loadedAllow_ = true;
  bool filtering_ = false;
  QString savedName_;  // the name the save left in the row
};
