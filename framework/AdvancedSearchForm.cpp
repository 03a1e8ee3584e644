#include "AdvancedSearchForm.h"

#include "KvColour.h"
#include "KvDb.h"
#include "KvEdit.h"
#include "KvFocusColour.h"
#include "MessageFrame.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

TFormAdvancedSearch* FormAdvancedSearch = nullptr;

namespace {

constexpr int kTitleHeight = 72;
constexpr int kEditWidth = 200;
constexpr int kEditHeight = 27;

// A magnifying glass over a tag: the picture of the title panel.
QPixmap SearchPicture() {
  QPixmap pm(56, 56);
  pm.fill(Qt::white);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(kvColour(0x292929), 5, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(34, 34), QPointF(50, 50));
  p.setBrush(kvColour(TFormAdvancedSearch::kFormColour));
  p.setPen(QPen(kvColour(0x292929), 4));
  p.drawEllipse(QPointF(23, 23), 16, 16);
  return pm;
}

}  // namespace

TFormAdvancedSearch::TFormAdvancedSearch(QWidget* parent, TUse use)
    : kui::KvDialog(parent, Border::Fixed), use_(use) {
  setObjectName("FormAdvancedSearch");
  setWindowTitle("Advanced Search");
  setFixedSize(kClientWidth, kClientHeight);
  kui::PaintBackground(this, kvColour(kFormColour));

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  BitBtnOK = buttons->button(QDialogButtonBox::Ok);
  BitBtnOK->setObjectName("BitBtnOK");
  BitBtnCancel = buttons->button(QDialogButtonBox::Cancel);
  BitBtnCancel->setObjectName("BitBtnCancel");
  for (QPushButton* b : {BitBtnOK, BitBtnCancel}) b->setMinimumSize(100, 34);
  connect(buttons, &QDialogButtonBox::accepted, this, [this] { SetModalResult(mrOk); });
  connect(buttons, &QDialogButtonBox::rejected, this, [this] { SetModalResult(mrCancel); });

  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  column->addWidget(BuildTitle());
  column->addWidget(BuildFields(), 1);
  auto* bottom = new QHBoxLayout;
  bottom->setContentsMargins(20, 8, 20, 16);
  bottom->addWidget(buttons);
  column->addLayout(bottom);

  new kui::KvFocusColour(this, use_ == TUse::History ? kui::KvFocusColour::kGrey
                                                     : kui::KvFocusColour::kEditors);
}

TFormAdvancedSearch::~TFormAdvancedSearch() {
  if (FormAdvancedSearch == this) FormAdvancedSearch = nullptr;
}

QWidget* TFormAdvancedSearch::BuildTitle() {
  auto* panel = new QWidget(this);
  panel->setObjectName("PanelTop");
  panel->setFixedHeight(kTitleHeight);
  kui::PaintBackground(panel, kvColour(0xFFFFFF));
  auto* picture = new QLabel(panel);
  picture->setObjectName("ImageTitle");
  picture->setPixmap(SearchPicture());
  PanelTitle = new QLabel("Advanced Search", panel);
  PanelTitle->setObjectName("PanelTitle");
  PanelTitle->setFont(kvVerdana(27, true));
  auto* row = new QHBoxLayout(panel);
  row->setContentsMargins(16, 4, 16, 4);
  row->setSpacing(16);
  row->addWidget(picture);
  row->addWidget(PanelTitle, 1);
  return panel;
}

QWidget* TFormAdvancedSearch::BuildFields() {
  auto* area = new QWidget(this);
  auto* grid = new QGridLayout(area);
  grid->setContentsMargins(16, 16, 16, 8);
  grid->setHorizontalSpacing(10);
  grid->setVerticalSpacing(12);
  // Table order is the order of the conditions; the window shows them in two
  // columns of six.
  EditSupplier = AddField(0, "EditSupplier", "Supplier:", "supplier_name", false);
  EditSupplierStyle = AddField(1, "EditSupplierStyle", "Supplier Style:", "style", false);
  EditStyleRef = AddField(2, "EditStyleRef", "Style Ref:", "style_ref", false);
  EditDescription = AddField(3, "EditDescription", "Description:", "description", false);
  EditColour = AddField(4, "EditColour", "Colour:", "colour_name", false);
  EditSeason = AddField(5, "EditSeason", "Season:", "season_name", false);
  EditCategory = AddField(6, "EditCategory", "Category:", "category_name", false);
  EditDepartment = AddField(7, "EditDepartment", "Department:", "department_name", false);
  EditSubDepartment =
      AddField(8, "EditSubDepartment", "Sub-Department:", "subdepartment_name", false);
  EditBrandLabel = AddField(9, "EditBrandLabel", "Brand:", "brandlabel_name", false);
  EditSizesScale = AddField(10, "EditSizesScale", "Sizes Scale:", "sizesscale_name", false);
  EditRootPLU = AddField(11, "EditRootPLU", "Root PLU:", "root_plu", true);
  for (int i = 0; i < kFields; ++i) {
    kui::KvEdit* edit = fields_[static_cast<size_t>(i)].edit;
    auto* label = new QLabel(edit->accessibleName(), area);
    label->setFont(kvVerdana(13));
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setBuddy(edit);
    edit->setParent(area);
    const int row = i % 6;
    const int col = (i / 6) * 2;
    grid->addWidget(label, row, col);
    grid->addWidget(edit, row, col + 1);
  }
  return area;
}

kui::KvEdit* TFormAdvancedSearch::AddField(int index, const char* name, const char* label,
                                           const char* column, bool matchAnywhere) {
  auto* edit = new kui::KvEdit(this);
  edit->setObjectName(name);
  edit->setAccessibleName(label);
  edit->SetCharCase(kui::KvEdit::CharCase::Upper);
  edit->setFont(kvVerdana(13));
  edit->setFixedSize(kEditWidth, kEditHeight);
  fields_[static_cast<size_t>(index)] = {edit, column, matchAnywhere};
  return edit;
}

void TFormAdvancedSearch::showEvent(QShowEvent* event) {
  kui::KvDialog::showEvent(event);
  FormShow();
}

void TFormAdvancedSearch::FormShow() {
  WhereStarted = false;
  // The stock evaluation offers the last run's fields again.
  if (use_ != TUse::Valuation)
    for (const Field& f : fields_) f.edit->clear();
  EditSupplier->setFocus();
}

QString TFormAdvancedSearch::NextJoin() {
  if (WhereStarted) return " and ";
  WhereStarted = true;
  return " where ";
}

QString TFormAdvancedSearch::GetWhereClause() {
  QString clause;
  for (const Field& f : fields_)
    if (!f.edit->text().isEmpty()) clause += Condition(f);
  return clause;
}

QString TFormAdvancedSearch::Condition(const Field& f) {
  // A backslash is searched for like any other character on both engines;
  // % and _ keep their meaning.
  const QString text = kdb::sql::LikeEscape(f.edit->text(), kdb::sql::Wildcards::Keep);
  const QString column = QLatin1String(f.column);
  if (use_ == TUse::Valuation) return " and " + column + " like " + kdb::sql::Like("%" + text + "%");
  const QString pattern = f.matchAnywhere ? "%" + text + "%" : text + "%";
  return NextJoin() + column + " like " + kdb::sql::Like(pattern);
}
