// TForm1: construction, module settings, command line, the handler net, Esc
// and the title panel.
#include "StyleKeeperForm.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QShowEvent>
#include <QStackedWidget>
#include <QTime>
#include <QToolButton>

#include "ControlEventsClass.h"
#include "DataModF.h"
#include "Folders.h"
#include "Format.h"
#include "KuiApplication.h"
#include "KvEdit.h"
#include "PLUPricesPageF.h"
#include "Process.h"
#include "StartTrace.h"
#include "StyleKeeperControls.h"
#include "QuantityPageF.h"
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
  // The connect goes on on a thread of its own.
  kos::TraceStep("form begun");
  DMDB->ConnectAhead();
  kos::TraceStep("connect ahead started");
  // Without settings the tool goes on with the built-in defaults (the data
  // module has told the user); without database or user it ends quietly.
  ApplyModuleSettings();
  // The single-user edition's database file opens at once: its user is read
  // while the font configuration is still being read, before the window
  // needs it. A server's connect takes longer than building the window,
  // which is built meanwhile.
  const bool dataFirst = DMDB->Setup->LocalMode;
  bool started = dataFirst && DMDB->ConnectAndLoadUser(false);
  // So are the pick lists that depend on no other box: their rows wait for
  // their boxes, which are filled in the usual order below.
  if (started) RunStartLoaders(StartLists::ReadRows);
  kos::TraceStep("settings applied");
  kui::KvApplication::AwaitFontConfig();
  BuildWindow();
  kos::TraceStep("window made");
  CopyBuffer = std::make_unique<QStringList>();

  StartTime = QDateTime::currentDateTime();
  // Built as it first shows, holding no style: FormShow finds these already
  // hidden, so the style page is laid out once here and not again at show.
  HideStyleButtons();
  skui::SetVisible({SpButCancel, SpButSave, ImageSmall}, false);
  // The window works out its style and layout before the pick lists fill
  // their boxes, on a server while the connect goes on: showing it would do
  // so after them, measuring every item of every box for a width the boxes
  // keep as laid out here (their own) on either engine.
  ensurePolished();
  layout()->activate();
  kos::TraceStep("window laid out");
  if (!dataFirst) {
    started = DMDB->ConnectAndLoadUser(false);
    kos::TraceStep("user loaded");
    // The server answers the lists in one round trip; the fill below takes
    // their rows.
    if (started) RunStartLoaders(StartLists::OneTrip);
  }
  if (!started) {
    terminateRequested_ = true;
    return;
  }
  SelectedBranchIndex = 0;
  ReadCommandLine();
  PageCtrlSF->setCurrentWidget(TabShStyleDetails);

  RunStartLoaders(StartLists::Fill);
  kos::TraceStep("pick lists loaded");
  ClearColourList();
  // The form previews the keys of its controls for Esc, which closes it in
  // every mode; every other key belongs to the control's own unit.
  qApp->installEventFilter(this);
}

TForm1::~TForm1() {
  qApp->removeEventFilter(this);
  if (Form1 == this) Form1 = nullptr;
}

QString TForm1::Mode() const { return PanelAction->text(); }
QString TForm1::LoadedRootPLU() const { return LabelRootPLU->text(); }

void TForm1::SetModeWord(const QString& word) { PanelAction->setText(word); }

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

void TForm1::OnClick(QAbstractButton* button, const char* where, void (TForm1::*handler)()) {
  connect(button, &QAbstractButton::clicked, this, [this, where, handler] { Guard(where, [&] { (this->*handler)(); }); });
}

void TForm1::OnSelect(QComboBox* combo, const char* where, void (TForm1::*handler)()) {
  connect(combo, &QComboBox::activated, this, [this, where, handler] { Guard(where, [&] { (this->*handler)(); }); });
}

void TForm1::OnChange(QLineEdit* box, const char* where, void (TForm1::*handler)()) {
  connect(box, &QLineEdit::textChanged, this, [this, where, handler] { Guard(where, [&] { (this->*handler)(); }); });
}

void TForm1::ApplyModuleSettings() {
  DMDB->Init();
  const TBOSetupClass& setup = *DMDB->Setup;
  ImagesFolder = setup.GetImagesFolder();
  ApplyPageSettings(nullptr);
}

void TForm1::ApplyPageSettings(const TFormPart* page) {
  const TBOSetupClass& setup = *DMDB->Setup;
  if (TPLUPricesPage* p = PricesPage.IfMade(page)) p->SpButBSPrices->setVisible(setup.LOUseBSPrice);
  if (TQuantityPage* p = StockPage.IfMade(page)) p->CheckBoxCreateBarcodes->setChecked(setup.SFMakeTickets);
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
    Guard("TForm1::FormShow", [this] {
      kos::TraceStep("form show begun");
      FormShow();
      kos::TraceStep("form show ended");
    });
}

void TForm1::FormKeyPress(QChar key) {
  if (key == QChar(27)) close();
}

void TForm1::ImageExitClick() { close(); }

void TForm1::PanelTopDblClick() {
  const QTime elapsed = QTime(0, 0).addMSecs(StartTime.msecsTo(ShownTime));
  DMDB->MsgBox("Start Time: " + kos::FormatDateTime("hh:nn:ss.zzz", elapsed), 0);
}

void TForm1::ConnectTitleHandlers() {
  TControlEventsClass::Of(ImageExit).OnClick = [this] { Guard("TForm1::ImageExitClick", [this] { ImageExitClick(); }); };
  TControlEventsClass::Of(PanelTop).OnDblClick = [this] {
    Guard("TForm1::PanelTopDblClick", [this] { PanelTopDblClick(); });
  };
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return false;
  auto* widget = qobject_cast<QWidget*>(watched);
  if (!widget || widget->window() != this) return false;
  const auto* key = static_cast<QKeyEvent*>(event);
  if (key->key() != Qt::Key_Escape || key->modifiers() != Qt::NoModifier) return false;
  FormKeyPress(QChar(27));
  return true;
}
