// TForm1: the colour's fields, the base lists and the filter, loading a
// colour, the modes and the picking of a display colour.
#include "ColoursForm.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <QToolButton>

#include <cstdlib>
#include <ctime>

#include "ColourRulesClass.h"
#include "DataModF.h"
#include "KuiColour.h"
#include "KuiGuard.h"
#include "KvEdit.h"
#include "ModalSeam.h"

namespace {

constexpr int kSwatchSide = 26;
constexpr int kSwatchesPerRow = 8;

}  // namespace

// ----- the colour panels ------------------------------------------------------------------

TColourPanel::TColourPanel(QWidget* parent) : QLabel(parent) {
  setFrameShape(QFrame::Box);
  setLineWidth(1);
  setCursor(Qt::PointingHandCursor);
  SetColour(colour_);
}

void TColourPanel::SetColour(quint32 bgr) {
  colour_ = bgr;
  kui::PaintBackground(this, kui::BgrColour(bgr));
}

void TColourPanel::mouseReleaseEvent(QMouseEvent* e) {
  QLabel::mouseReleaseEvent(e);
  if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()) && OnClick) OnClick();
}

// ----- the window ---------------------------------------------------------------------------

TForm1::TForm1(QWidget* parent) : TCodeListFrameForm(Keeping::Member, parent) {
  SetTitle(kTitle);
  SetListCaption(kTitle);
  BuildFields();
  if (DMDB) DMDB->SmoothFormFonts(this);
  // A new entry's display colour is random; another run starts elsewhere.
  std::srand(static_cast<unsigned>(std::time(nullptr)));
  // The frame cleared its own part before these fields existed.
  ClearRecord();
  SetViewMode();
}

TForm1::~TForm1() = default;

void TForm1::BuildFields() {
  const auto guarded = [this](const char* name, std::function<void()> work) {
    return [this, name, work = std::move(work)] { kui::Guarded(Where(name), work); };
  };

  ComboBoxBaseSelect = new QComboBox(this);
  ComboBoxBaseSelect->setObjectName("ComboBoxBaseSelect");
  AddListFilter(ComboBoxBaseSelect);
  connect(ComboBoxBaseSelect, &QComboBox::currentIndexChanged, this,
          guarded("ComboBoxBaseSelectChange", [this] { ComboBoxBaseSelectChange(); }));

  QFrame* shape = AddShape();
  AddField(shape, "Name:", EditName);

  auto* colourRow = new QWidget(this);
  auto* row = new QHBoxLayout(colourRow);
  row->setContentsMargins(0, 0, 0, 0);
  PanelColour = new TColourPanel(colourRow);
  PanelColour->setObjectName("PanelColour");
  PanelColour->setFixedSize(140, 32);
  PanelColour->OnClick = guarded("SpButSelectColourClick", [this] { SpButSelectColourClick(); });
  SpButSelectColour = new QToolButton(colourRow);
  SpButSelectColour->setObjectName("SpButSelectColour");
  SpButSelectColour->setText("More...");
  SpButSelectColour->setFont(font());
  SpButSelectColour->setMinimumHeight(32);
  SpButSelectColour->setCursor(Qt::PointingHandCursor);
  connect(SpButSelectColour, &QToolButton::clicked, this, PanelColour->OnClick);
  row->addWidget(PanelColour);
  row->addWidget(SpButSelectColour);
  row->addStretch();
  AddField(shape, "Colour:", colourRow);

  auto* swatches = new QWidget(this);
  swatches->setObjectName("PanelSwatches");
  auto* grid = new QGridLayout(swatches);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->setSpacing(6);
  for (const TColourRulesClass::Swatch& s : TColourRulesClass::Swatches()) {
    auto* swatch = new TColourPanel(swatches);
    swatch->setObjectName(s.name);
    swatch->setFixedSize(kSwatchSide, kSwatchSide);
    swatch->setToolTip(s.base);  // the swatch's hint is its base colour
    swatch->SetColour(s.colour);
    swatch->OnClick = guarded("PanelClWhiteClick", [this, swatch] { PanelClWhiteClick(swatch); });
    const int i = static_cast<int>(Swatches.size());
    grid->addWidget(swatch, i / kSwatchesPerRow, i % kSwatchesPerRow);
    Swatches.push_back(swatch);
  }
  grid->setColumnStretch(kSwatchesPerRow, 1);
  AddField(shape, QString(), swatches);

  ComboBoxBase = new QComboBox(this);
  ComboBoxBase->setObjectName("ComboBoxBase");
  ComboBoxBase->setFixedWidth(200);
  LabelBaseTitle = AddField(shape, "Base Colour:", ComboBoxBase);
  LabelBaseTitle->setObjectName("LabelBaseTitle");
}

bool TForm1::SingleUser() const { return DMDB && DMDB->Setup && DMDB->Setup->LocalMode; }

void TForm1::FillBaseColours() {
  ComboBoxBase->clear();
  ComboBoxBase->addItems(TColourRulesClass::BaseColours());
  ComboBoxBase->setCurrentIndex(-1);
  {
    // Filling the filter is no choice of the user's.
    const QSignalBlocker quiet(ComboBoxBaseSelect);
    ComboBoxBaseSelect->clear();
    ComboBoxBaseSelect->addItem(TColourRulesClass::kAll);
    ComboBoxBaseSelect->addItems(TColourRulesClass::BaseColours());
    ComboBoxBaseSelect->setCurrentIndex(0);
  }
  // The single-user edition keeps no base colours: every colour is listed
  // and saved with the first base colour.
  const bool shown = !SingleUser();
  ComboBoxBase->setVisible(shown);
  ComboBoxBaseSelect->setVisible(shown);
  LabelBaseTitle->setVisible(shown);
}

void TForm1::ComboBoxBaseSelectChange() {
  if (LoadList()) SelectEntry(0);
}

// ----- the record ----------------------------------------------------------------------------

QString TForm1::ListSQL() const {
  return TColourRulesClass::ListSQL(ComboBoxBaseSelect->currentIndex() > 0 ? ComboBoxBaseSelect->currentText()
                                                                           : QString());
}

void TForm1::ClearFields() {
  // PanelColour keeps its colour.
  ComboBoxBase->setCurrentIndex(-1);
  loadedBase_ = -2;
  savedName_.clear();
  savedColour_ = 0;
}

void TForm1::LoadRecord() {
  kdb::Query* q = DMDB->DBQueryRemote1;
  if (!DMDB->RunQuery("select name, rate, parent_name, parent_id, extra, value from parameters where id = " +
                          kdb::sql::Int(CurrentID()) + " and type = 'COLOUR'",
                      q))
    throw kdb::DbError("The colour could not be read.");
  if (q->RecordCount() == 0) throw kdb::DbError("The colour is no longer there.");
  ShowName(q->FieldByName("NAME").AsString());
  Baseline.Capture(*q, {"NAME", "RATE", "PARENT_NAME", "PARENT_ID", "EXTRA", "VALUE"});
  Baseline.SetCaption("NAME", "Name");
  Baseline.SetCaption("RATE", "Colour");
  Baseline.SetCaption("PARENT_NAME", "Base Colour");
  PanelColour->SetColour(TColourRulesClass::ColourOfRate(q->FieldByName("RATE").Value()));
  // Found whatever the letter case of the stored name; none when no base matches.
  ComboBoxBase->setCurrentIndex(ComboBoxBase->findText(q->FieldByName("PARENT_NAME").AsString(), Qt::MatchFixedString));
  loadedBase_ = ComboBoxBase->currentIndex();
}

// ----- modes and picking a colour ------------------------------------------------------------

void TForm1::ShowSwatches(bool shown) {
  for (TColourPanel* swatch : Swatches) swatch->setVisible(shown);
  SpButSelectColour->setVisible(shown);
  // Their row goes with them, so that the base colour moves up in View.
  if (!Swatches.empty()) Swatches.front()->parentWidget()->setVisible(shown);
}

void TForm1::SetFieldsEditing(bool editing) {
  ComboBoxBase->setEnabled(editing);
  ComboBoxBaseSelect->setEnabled(!editing);
  ShowSwatches(editing);
}

quint32 TForm1::RandomColour() const { return TColourRulesClass::RandomColour(); }

void TForm1::AfterAddStarted() { PanelColour->SetColour(RandomColour()); }

TColourPanel* TForm1::Swatch(const QString& name) const {
  for (TColourPanel* swatch : Swatches)
    if (swatch->objectName() == name) return swatch;
  return nullptr;
}

void TForm1::PanelClWhiteClick(TColourPanel* sender) {
  if (!Editing() || !sender) return;
  for (const TColourRulesClass::Swatch& s : TColourRulesClass::Swatches()) {
    if (sender->objectName() != s.name) continue;
    PanelColour->SetColour(s.colour);
    ComboBoxBase->setCurrentIndex(ComboBoxBase->findText(s.base));
    return;
  }
}

void TForm1::SpButSelectColourClick() {
  // The colour is picked while editing only, when "More..." shows.
  if (SpButSelectColour->isHidden()) return;
  const QColor chosen = kui::ModalSeam::GetColour(this, kui::BgrColour(Colour()));
  if (chosen.isValid()) PanelColour->SetColour(kui::ToBgr(chosen));
}
