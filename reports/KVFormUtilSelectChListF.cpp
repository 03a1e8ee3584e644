#include "KVFormUtilSelectChListF.h"

#include "KuiColour.h"
#include "KvCheckListBox.h"
#include "PickItemDrawClass.h"
#include "ReportTypes.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int kTitleHeight = 68;
constexpr int kTitleFontPixels = 29;
constexpr int kListFontPixels = 19;
constexpr int kListWidth = 451;
constexpr int kListHeight = 416;

QFont Verdana(int pixels, bool bold = false) { return kr::PixelFont("Verdana", pixels, bold); }

// The list's items: the check box as the list draws it, the rest of the item
// by the dialog (ChListMDrawItem).
class CheckItemDelegate : public QStyledItemDelegate {
 public:
  explicit CheckItemDelegate(TKVFormUtilSelectChList* form) : QStyledItemDelegate(form), form_(form) {}

  void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const QWidget* view = option.widget;
    QStyle* style = view ? view->style() : nullptr;
    const QRect check = style ? style->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &opt, view)
                              : QRect(option.rect.topLeft(), QSize(0, 0));
    p->save();
    p->fillRect(option.rect, option.palette.base());
    QStyleOptionViewItem rest = option;
    rest.rect.setLeft(check.right() + 1);
    form_->ChListMDrawItem(*p, rest, index.row());
    p->restore();
    if (!style) return;
    QStyleOptionViewItem box = opt;
    box.rect = check;
    box.state &= ~(QStyle::State_On | QStyle::State_Off);
    box.state |= opt.checkState == Qt::Checked ? QStyle::State_On : QStyle::State_Off;
    style->drawPrimitive(QStyle::PE_IndicatorItemViewItemCheck, &box, p, view);
  }

 private:
  TKVFormUtilSelectChList* form_;
};

QToolButton* FlatButton(QWidget* parent, const char* name, const QString& caption) {
  auto* b = new QToolButton(parent);
  b->setObjectName(name);
  b->setText(caption);
  b->setAutoRaise(true);
  b->setFont(Verdana(kListFontPixels));
  b->setCursor(Qt::PointingHandCursor);
  return b;
}

}  // namespace

TKVFormUtilSelectChList::TKVFormUtilSelectChList(QWidget* owner) : kui::KvDialog(owner, Border::Fixed) {
  setObjectName("KVFormUtilSelectChList");
  setWindowFlag(Qt::WindowCloseButtonHint, false);
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  kui::PaintBackground(this, kui::BgrColour(kFormColour));

  PanelTitle = new QLabel(this);
  PanelTitle->setObjectName("PanelTitle");
  PanelTitle->setFixedHeight(kTitleHeight);
  PanelTitle->setAlignment(Qt::AlignCenter);
  PanelTitle->setFont(Verdana(kTitleFontPixels, true));
  kui::PaintBackground(PanelTitle, Qt::white);

  ChListM = new kui::KvCheckListBox(this);
  ChListM->setObjectName("ChListM");
  ChListM->setFont(Verdana(kListFontPixels));
  ChListM->setFixedSize(kListWidth, kListHeight);
  ChListM->SetItemHeight(kItemHeight);
  ChListM->SetDisplayText(&TKVFormUtilSelectChList::ItemName);
  ChListM->setItemDelegate(new CheckItemDelegate(this));

  PanelFound = new QLabel(this);
  PanelFound->setObjectName("PanelFound");
  PanelFound->setFixedWidth(kListWidth);
  PanelFound->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  PanelFound->setFont(Verdana(kListFontPixels));
  PanelFound->setIndent(6);
  PanelFound->setMinimumHeight(30);
  kui::PaintBackground(PanelFound, kui::BgrColour(kFoundColour));

  SpSelectAll = FlatButton(this, "SpSelectAll", "Select All");
  SpSelectNone = FlatButton(this, "SpSelectNone", "Select None");
  BitBtnOK = new QPushButton("OK", this);
  BitBtnOK->setObjectName("BitBtnOK");
  BitBtnOK->setDefault(true);
  BitBtnCancel = new QPushButton("Cancel", this);
  BitBtnCancel->setObjectName("BitBtnCancel");
  BitBtnCancel->setAutoDefault(false);
  for (QPushButton* b : {BitBtnOK, BitBtnCancel}) {
    b->setFont(Verdana(15));
    b->setMinimumSize(110, 36);
  }

  connect(SpSelectAll, &QToolButton::clicked, this, [this] { SpSelectAllClick(); });
  connect(SpSelectNone, &QToolButton::clicked, this, [this] { SpSelectNoneClick(); });
  connect(BitBtnOK, &QPushButton::clicked, this, [this] { SetModalResult(mrOk); });
  connect(BitBtnCancel, &QPushButton::clicked, this, [this] { SetModalResult(mrCancel); });

  auto* selects = new QHBoxLayout;
  selects->addWidget(SpSelectAll);
  selects->addWidget(SpSelectNone);
  selects->addStretch(1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(BitBtnOK);
  buttons->addWidget(BitBtnCancel);
  auto* middle = new QVBoxLayout;
  middle->setContentsMargins(41, 12, 41, 12);
  middle->setSpacing(6);
  middle->addWidget(ChListM, 0, Qt::AlignHCenter);
  middle->addWidget(PanelFound, 0, Qt::AlignHCenter);
  middle->addLayout(selects);
  middle->addStretch(1);
  middle->addLayout(buttons);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(PanelTitle);
  layout->addLayout(middle, 1);
  setFixedSize(kClientWidth, kClientHeight);
  if (owner) move(owner->window()->geometry().center() - rect().center());
}

TKVFormUtilSelectChList::~TKVFormUtilSelectChList() = default;

QString TKVFormUtilSelectChList::ItemName(const QString& item) {
  const qsizetype eq = item.lastIndexOf(u'=');
  return eq < 0 ? item : item.left(eq);
}

QString TKVFormUtilSelectChList::ItemId(const QString& item) {
  const qsizetype eq = item.lastIndexOf(u'=');
  return eq < 0 ? QString() : item.mid(eq + 1);
}

void TKVFormUtilSelectChList::SetItems(const QStringList& items) { ChListM->SetItems(items); }

bool TKVFormUtilSelectChList::Execute() {
  UpdateCaptions();
  return kui::KvDialog::Execute() && CountChecked() > 0;
}

void TKVFormUtilSelectChList::UpdateCaptions() {
  setWindowTitle(Title);
  PanelTitle->setText(Title);
  PanelFound->setText("Found " + QString::number(ChListM->Count()));
}

void TKVFormUtilSelectChList::GetCheckedItems(QStringList* items) const {
  if (!items) return;
  *items = ChListM->CheckedItems();
}

int TKVFormUtilSelectChList::CountChecked() const { return ChListM->CheckedCount(); }

void TKVFormUtilSelectChList::CheckAll(bool checked) { ChListM->CheckAll(checked); }

void TKVFormUtilSelectChList::ChListMDrawItem(QPainter& p, const QStyleOptionViewItem& option, int index) {
  TPickItemDrawClass::Draw(p, option, ChListM->font(), ItemName(ChListM->Item(index)), {4, 2});
}
