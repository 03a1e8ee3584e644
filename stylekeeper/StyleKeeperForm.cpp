// TForm1: construction, module settings, command line, keys and the title panel.
#include "StyleKeeperForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QShowEvent>
#include <QStackedWidget>
#include <QTime>
#include <QToolButton>

#include "DataModF.h"
#include "Folders.h"
#include "Format.h"
#include "KvEdit.h"
#include "Process.h"
#include "WaitClass.h"

TForm1* Form1 = nullptr;

namespace {

constexpr const char* kPackLabelProgram = "packlabelprint";

}  // namespace

TForm1::TForm1(QWidget* parent) : TForm1(QCoreApplication::arguments().mid(1), parent) {}

TForm1::TForm1(const QStringList& arguments, QWidget* parent)
    : kui::KvMainWindow(parent), arguments_(arguments) {
  if (!Form1) Form1 = this;
  setObjectName("Form1");
  setWindowTitle(kCaption);
  BuildWindow();
  CopyBuffer = std::make_unique<QStringList>();

  StartTime = QDateTime::currentDateTime();
  // Without settings the tool goes on with the built-in defaults (the data
  // module has told the user); without database or user it ends quietly.
  ApplyModuleSettings();
  if (!DMDB->ConnectAndLoadUser(false)) {
    terminateRequested_ = true;
    return;
  }
  SelectedBranchIndex = 0;
  ReadCommandLine();
  PageCtrlSF->setCurrentWidget(TabShStyleDetails);

  {
    TWaitClass wait;
    const std::pair<const char*, void (TForm1::*)()> loaders[] = {
        {"Please wait loading suppliers...", &TForm1::LoadSuppliers},
        {"Please wait loading colours...", &TForm1::LoadColours},
        {"Please wait loading seasons...", &TForm1::LoadSeasons},
        {"Please wait loading categories...", &TForm1::LoadCategories},
        {"Please wait loading departments...", &TForm1::LoadDepartments},
        {"Please wait loading sub-depatments...", &TForm1::LoadSubDepartmentList},
        {"Please wait loading brands...", &TForm1::LoadBrandLabelList},
        {"Please wait loading size ranges...", &TForm1::LoadSizeScaleList},
        {"Please wait loading vat rates...", &TForm1::LoadVatRateList},
        {"Please wait loading currencies...", &TForm1::LoadCurrencies},
    };
    for (const auto& [text, loader] : loaders) {
      wait.Show(text);
      (this->*loader)();
    }
  }
  ClearColourList();
  // The form previews every key of its controls (Esc closes in every mode).
  qApp->installEventFilter(this);
}

TForm1::~TForm1() {
  qApp->removeEventFilter(this);
  if (Form1 == this) Form1 = nullptr;
}

QString TForm1::Mode() const { return PanelAction->text(); }
QString TForm1::LoadedRootPLU() const { return LabelRootPLU->text(); }

void TForm1::SetModeWord(const QString& word) { PanelAction->setText(word); }

TForm1::DisabledWindow::DisabledWindow(QWidget* window) : window_(window), focus_(window->focusWidget()) {
  window_->setEnabled(false);
}

TForm1::DisabledWindow::~DisabledWindow() {
  window_->setEnabled(true);
  // The focus comes back as to a window made active again: the box is not
  // entered anew (the retail box would open the calculator once more).
  if (focus_ && focus_->isEnabled() && focus_->isVisible()) focus_->setFocus(Qt::ActiveWindowFocusReason);
}

void TForm1::Guard(const char* where, const std::function<void()>& f, bool tell) {
  try {
    f();
  } catch (const std::exception& e) {
    DMDB->LogException(e, where);
    setEnabled(true);
    if (tell) DMDB->ShowMessage(TDMDB::ExceptionMessage(e));
  } catch (...) {
    DMDB->LogException(QStringLiteral("Unknown error"), where);
    setEnabled(true);
    if (tell) DMDB->ShowMessage(QStringLiteral("Unknown error"));
  }
}

void TForm1::ApplyModuleSettings() {
  DMDB->Init();
  const TBOSetupClass& setup = *DMDB->Setup;
  ImagesFolder = setup.GetImagesFolder();
  SpButBSPrices->setVisible(setup.LOUseBSPrice);
  CheckBoxCreateBarcodes->setChecked(setup.SFMakeTickets);
}

void TForm1::ReadCommandLine() {
  CommandLineSupplierID = arguments_.value(0);
  RootPLUToOpen = arguments_.value(1);
}

bool TForm1::PackLabelProgramPresent() const {
  const QString folder = DMDB->ExeFolder;
  return kos::FileExists(folder + kPackLabelProgram) ||
         !kos::FindProgramIn(kPackLabelProgram, folder).isEmpty();
}

void TForm1::showEvent(QShowEvent* event) {
  kui::KvMainWindow::showEvent(event);
  if (!event->spontaneous() && !terminateRequested_)
    Guard("TForm1::FormShow", [this] { FormShow(); });
}

void TForm1::FormKeyPress(QChar key) {
  if (key == QChar(27)) close();
}

void TForm1::ImageExitClick() { close(); }

void TForm1::PanelTopDblClick() {
  const QTime elapsed = QTime(0, 0).addMSecs(StartTime.msecsTo(ShownTime));
  DMDB->MsgBox("Start Time: " + kos::FormatDateTime("hh:nn:ss.zzz", elapsed), 0);
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
  auto* widget = qobject_cast<QWidget*>(watched);
  if (!widget || widget->window() != this) return false;
  switch (event->type()) {
    case QEvent::MouseButtonRelease:
      if (watched == ImageExit) ImageExitClick();
      return false;
    case QEvent::MouseButtonDblClick:
      if (watched == PanelTop) PanelTopDblClick();
      return false;
    case QEvent::KeyPress: {
      const auto* key = static_cast<QKeyEvent*>(event);
      if (key->key() == Qt::Key_Escape && key->modifiers() == Qt::NoModifier) {
        FormKeyPress(QChar(27));
        return true;
      }
      // Typed keys reach the root PLU box itself, which hands them on to its
      // line edit; Tab moves on before the box's key filter sees it.
      const bool rootPLUBox = watched == ComboBoxRootPLU || watched == ComboBoxRootPLU->lineEdit();
      const bool tab = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab;
      if (rootPLUBox && !key->text().isEmpty() && !tab) {
        bool dropped = false;
        Guard("TForm1::ComboBoxRootPLUKeyPress",
              [&] { dropped = !ComboBoxRootPLUKeyPress(key->text().at(0)); }, false);
        return dropped;
      }
      return false;
    }
    case QEvent::FocusIn: {
      // Only a move inside the window enters a box; coming back from another
      // window (the calculator itself) does not.
      const auto reason = static_cast<QFocusEvent*>(event)->reason();
      if (watched == EditRetailPrice && reason != Qt::ActiveWindowFocusReason &&
          reason != Qt::PopupFocusReason)
        QMetaObject::invokeMethod(
            this, [this] { Guard("TForm1::EditRetailPriceEnter", [this] { EditRetailPriceEnter(); }); },
            Qt::QueuedConnection);
      return false;
    }
    case QEvent::FocusOut: {
      const auto reason = static_cast<QFocusEvent*>(event)->reason();
      if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason) return false;
      if (watched == EditCostPrice || watched == EditRetailPrice || watched == EditWSPrice)
        Guard("TForm1::EditCostPriceExit", [this] { EditCostPriceExit(); });
      else if (watched == ComboBoxCategories)
        Guard("TForm1::ComboBoxCategoriesExit", [this] { ComboBoxCategoriesExit(); });
      else if (watched == ComboBoxDepartments)
        Guard("TForm1::ComboBoxDepartmentsExit", [this] { ComboBoxDepartmentsExit(); });
      else if (watched == EditSupplierStyle)
        // After the move has settled: the step disables the window while it looks.
        QMetaObject::invokeMethod(
            this, [this] { Guard("TForm1::EditSupplierStyleExit", [this] { EditSupplierStyleExit(); }); },
            Qt::QueuedConnection);
      return false;
    }
    default:
      return false;
  }
}
