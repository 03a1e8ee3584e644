// TCodeListFrameForm: start-up, the list, the modes, Save, Cancel and the
// printed list.
#include "CodeListFrameForm.h"

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QScopeGuard>
#include <QTimer>
#include <QToolButton>

#include "CodeListSaveClass.h"
#include "DataModF.h"
#include "KvBusyGuard.h"
#include "KvEdit.h"
#include "KvStringGrid.h"
#include "KvTransaction.h"
#include "PickList.h"
#include "WaitClass.h"

namespace {

// The caption-keeping save shows no wait window: its busy guard only
// disables the window and shows the wait cursor.
class NoWaitWindow : public kui::KvWaitIndicator {
 public:
  void ShowWait(const QString&, const QString&) override {}
  void CloseWait() override {}
};

constexpr const char* kListNotRead = "Error: The list could not be read. Please try again.";
constexpr const char* kEntryNotRead = "Error: The entry could not be read. Please try again.";
constexpr const char* kPrintNotRead = "Error: The list could not be read for printing. Please try again.";

}  // namespace

TCodeListFrameForm::TCodeListFrameForm(Keeping keeping, QWidget* parent)
    : kui::KvMainWindow(parent), mode_(keeping) {
  BuildWindow();
  ClearRecord();
  SetViewMode();
  if (DMDB) DMDB->Init();
}

TCodeListFrameForm::~TCodeListFrameForm() = default;

QString TCodeListFrameForm::Where(const char* method) const {
  return QString::fromLatin1(metaObject()->className()) + "::" + QString::fromLatin1(method);
}

template <class F>
void TCodeListFrameForm::Handle(const char* method, F&& work) {
  try {
    work();
  } catch (const std::exception& e) {
    if (!DMDB) return;
    DMDB->LogException(e, Where(method));
    DMDB->ShowMessage("Error: " + TDMDB::ExceptionMessage(e));
  } catch (...) {
    if (!DMDB) return;
    DMDB->LogException("Unknown exception", Where(method));
    DMDB->ShowMessage("Error: Unknown exception");
  }
}

bool TCodeListFrameForm::Refuse(const QString& message, QWidget* focus) {
  DMDB->ShowMessage(message);
  if (focus) focus->setFocus();
  return false;
}

// ----- start-up -----------------------------------------------------------------------

void TCodeListFrameForm::showEvent(QShowEvent* e) {
  kui::KvMainWindow::showEvent(e);
  if (shown_) return;
  shown_ = true;
  FormShow();
}

void TCodeListFrameForm::FormShow() {
  Handle("FormShow", [this] {
    // Without a database or a user the program ends; the reason is in the log.
    if (!DMDB || !DMDB->ConnectAndLoadUser(false)) {
      Terminate();
      return;
    }
    AfterConnect();
    if (LoadList() && ListBoxParam->count() > 0) SelectEntry(0);
  });
}

void TCodeListFrameForm::Terminate() {
  terminated_ = true;
  // The program ends once its loop runs: start-up comes before it.
  const std::function<void()> end = OnTerminate ? OnTerminate : [this] {
    close();
    QCoreApplication::quit();
  };
  QTimer::singleShot(0, this, end);
}

void TCodeListFrameForm::ImageExitClick() { close(); }

// ----- the list ----------------------------------------------------------------------------

bool TCodeListFrameForm::ReadListItems(QStringList& items) {
  kdb::Query* q = DMDB->DBQueryRemote1;
  if (!DMDB->RunQuery(ListSQL(), q)) return false;
  for (q->First(); !q->Eof(); q->Next())
    items << q->FieldByName("NAME").AsString() + "=" + q->FieldByName("ID").AsString();
  return true;
}

bool TCodeListFrameForm::LoadList() {
  ClearRecord();
  SetViewMode();
  QStringList items;
  const bool read = ReadListItems(items);
  loading_ = true;
  kui::SetPickItems(ListBoxParam, items);
  loading_ = false;
  // An empty list after a failed query would read as "no entries yet".
  if (!read) DMDB->ShowMessage(kListNotRead);
  return read;
}

void TCodeListFrameForm::SelectEntry(int index) {
  if (index < 0 || index >= ListBoxParam->count()) {
    loading_ = true;
    ListBoxParam->setCurrentRow(-1);
    loading_ = false;
    ClearRecord();
    return;
  }
  loading_ = true;
  ListBoxParam->setCurrentRow(index);
  loading_ = false;
  ListBoxParamClick();
  if (mode_.GetKeeping() == Keeping::Member) ListBoxParam->setFocus();
}

int TCodeListFrameForm::IndexOfName(const QString& name) const {
  for (int i = 0; i < ListBoxParam->count(); ++i)
    if (kui::PickNameAt(ListBoxParam, i) == name) return i;
  return -1;
}

QString TCodeListFrameForm::GetSelectedName() const { return kui::SelectedPickName(ListBoxParam); }

QString TCodeListFrameForm::GetSelectedID() const { return kui::SelectedPickValue(ListBoxParam); }

void TCodeListFrameForm::ListBoxParamClick() {
  Handle("ListBoxParamClick", [this] {
    ClearRecord();
    if (ListBoxParam->currentRow() < 0) return;
    // The list does not react to clicks while one entry is read.
    loading_ = true;
    const auto done = qScopeGuard([this] { loading_ = false; });
    ShowName(GetSelectedName());
    SetCurrentID(GetSelectedID());
    try {
      LoadRecord();
    } catch (const std::exception& e) {
      // A record half read must not be edited and saved as if it were whole.
      DMDB->LogException(e, Where("ListBoxParamClick"));
      ClearRecord();
      DMDB->ShowMessage(kEntryNotRead);
    }
  });
}

// ----- the record and the modes ------------------------------------------------------

void TCodeListFrameForm::SetCurrentID(const QString& id) {
  mode_.SetCurrentID(id);
  PanelID->setText(mode_.GetKeeping() == Keeping::Caption ? mode_.CurrentID() : QString());
}

void TCodeListFrameForm::ClearRecord() {
  mode_.ClearRecord();
  PanelID->clear();
  EditName->SetMaxLength(kNameLength);
  EditName->clear();
  Baseline.Clear();
  ClearFields();
}

void TCodeListFrameForm::ShowName(const QString& name) { ShowFieldText(EditName, name, kNameLength); }

void TCodeListFrameForm::ShowFieldText(kui::KvEdit* edit, const QString& text, int length) {
  edit->SetMaxLength(qMax(length, static_cast<int>(text.size())));
  edit->setText(text);
}

void TCodeListFrameForm::ApplyControls() {
  const TCodeListModeClass::Controls c = mode_.Shown();
  ListBoxParam->setEnabled(c.listsEnabled);
  for (QListWidget* list : lists_) list->setEnabled(c.listsEnabled);
  EditName->setReadOnly(!c.fieldsWritable);
  SpButPrint->setVisible(c.viewButtons);
  SpButAdd->setVisible(c.viewButtons);
  SpButEdit->setVisible(c.viewButtons);
  SpButCancel->setVisible(c.editButtons);
  SpButSave->setVisible(c.editButtons);
  PanelAction->setText(mode_.Mode());
  SetFieldsEditing(c.fieldsWritable);
}

void TCodeListFrameForm::SetViewMode() {
  mode_.SetView();
  ApplyControls();
}

void TCodeListFrameForm::SetEditMode() { ApplyControls(); }

void TCodeListFrameForm::SetEditing(bool editing) {
  if (!editing) {
    SetViewMode();
    return;
  }
  if (!mode_.Editing() && !mode_.StartEdit()) mode_.StartAdd();
  SetEditMode();
}

void TCodeListFrameForm::SpButAddClick() {
  Handle("SpButAddClick", [this] {
    ClearRecord();
    mode_.StartAdd();
    SetEditMode();
    AfterAddStarted();
    EditName->setFocus();
  });
}

void TCodeListFrameForm::SpButEditClick() {
  Handle("SpButEditClick", [this] {
    if (!mode_.StartEdit()) {
      DMDB->ShowMessage(SelectRecordMessage());
      if (mode_.GetKeeping() == Keeping::Member) ListBoxParam->setFocus();
      return;
    }
    SetEditMode();
    AfterEditStarted();
    EditName->setFocus();
    if (mode_.GetKeeping() == Keeping::Caption) EditName->selectAll();
  });
}

int TCodeListFrameForm::ReselectIndex(const QString& savedName) const {
  return mode_.ReselectsSavedName() ? IndexOfName(savedName) : 0;
}

void TCodeListFrameForm::Reselect(const QString& savedName) {
  // Caption keeping starts the window afresh (connection and user checked
  // again); both read the list again, so other users' changes appear.
  if (mode_.GetKeeping() == Keeping::Caption) {
    FormShow();
    if (!terminated_) SelectEntry(ReselectIndex(savedName));
  } else if (LoadList()) {
    SelectEntry(ReselectIndex(savedName));
  }
}

void TCodeListFrameForm::SpButCancelClick() {
  Handle("SpButCancelClick", [this] {
    if (!mode_.CancelReloads()) return;
    // Caption keeping shows its first entry again, member keeping its
    // editor's own entry.
    if (mode_.GetKeeping() == Keeping::Caption)
      FormShow();
    else if (LoadList())
      SelectEntry(ReselectIndex(QString()));
  });
}

// ----- the save ---------------------------------------------------------------------------

void TCodeListFrameForm::LockForSave(kdb::Database& db) { TCodeListSaveClass::LockTable(db, RecordTable()); }

void TCodeListFrameForm::SetSaveMessage(const QString& message) {
  if (busy_ && mode_.ShowsSaveProgress()) busy_->SetMessage(message);
}

qint64 TCodeListFrameForm::d_SaveRecord(bool adding) {
  kdb::Database& db = *DMDB->DBDatabaseRemote;
  // The baseline moves on to what the save writes; a save that does not
  // commit wrote nothing, so the next try is checked against the old one.
  const kdb::EditBaseline loaded = Baseline;
  try {
    kdb::Transaction tx(db);
    LockForSave(db);
    CheckInSave(db);
    const qint64 id = d_WriteRecord(db);
    if (mode_.RenamesProducts(adding)) {
      SetSaveMessage(kUpdatingProducts);
      d_RenameProducts(db, id);
    }
    tx.Commit();
    return id;
  } catch (...) {
    Baseline = loaded;
    throw;
  }
}

void TCodeListFrameForm::SpButSaveClick() {
  Handle("SpButSaveClick", [this] {
    if (!Editing() || !ValidateRecord()) return;
    const QString savedName = EditName->text();
    const bool adding = mode_.Adding();
    // The input stays on screen whatever happens: a refused or failed save
    // leaves the window in its mode with the fields as typed.
    try {
      TWaitClass wait;
      NoWaitWindow noWait;
      SpButCancel->hide();
      SpButSave->hide();
      const auto restore = qScopeGuard([this] { ApplyControls(); });
      kui::KvBusyGuard busy(this, kSaving, QString(),
                            mode_.ShowsSaveProgress() ? static_cast<kui::KvWaitIndicator*>(&wait) : &noWait);
      busy_ = &busy;
      const auto forget = qScopeGuard([this] { busy_ = nullptr; });
      d_SaveRecord(adding);
    } catch (const TCodeListRefusal& r) {
      Refuse(r.Message(), r.Focus());
      return;
    } catch (const kdb::EditConflict& e) {
      Refuse(e.Message(), EditName);
      return;
    } catch (const std::exception& e) {
      DMDB->LogException(e, Where("SpButSaveClick"));
      DMDB->ShowMessage(SaveFailedMessage() + "\n\n" + TDMDB::ExceptionMessage(e));
      return;
    }
    if (mode_.ShowsSaveProgress()) DMDB->ShowMessage(SavedMessage());
    Reselect(savedName);
  });
}

// ----- the printed list -----------------------------------------------------------------

std::unique_ptr<TQuickReport1> TCodeListFrameForm::PreparePrint() {
  StringGrid1->ClearCells();
  StringGrid1->SetRowCount(0);
  if (!FillPrintGrid()) return nullptr;
  std::unique_ptr<TQuickReport1> form = CreatePrintForm();
  form->SetGrid(StringGrid1);
  form->SetTitle(PrintTitle());
  return form;
}

void TCodeListFrameForm::SpButPrintClick() {
  Handle("SpButPrintClick", [this] {
    std::unique_ptr<TQuickReport1> form = PreparePrint();
    if (!form) {
      DMDB->ShowMessage(kPrintNotRead);
      return;
    }
    form->Preview(this);
  });
}
