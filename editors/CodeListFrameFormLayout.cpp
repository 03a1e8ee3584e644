// TCodeListFrameForm: the window's controls, built in code, and their signals.
#include "CodeListFrameForm.h"

#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QToolButton>
#include <QVBoxLayout>

#include <functional>

#include "CodeListGlyphs.h"
#include "KuiColour.h"
#include "KvEdit.h"
#include "KvFocusColour.h"
#include "KvStringGrid.h"

namespace {

using editors::Verdana;

constexpr int kTitleHeight = 48;
constexpr int kTitlePixels = 27;
constexpr int kFieldPixels = 19;
constexpr int kListPixels = 16;
constexpr int kStripHeight = 32;
constexpr int kListWidth = 300;
constexpr int kGlyphSide = 48;

// An owner-drawn list: the window paints each item (ListBoxParamDrawItem and
// the like), every item has one fixed height.
class OwnerDraw : public QStyledItemDelegate {
 public:
  using Painter = std::function<void(QPainter&, const QStyleOptionViewItem&, int row)>;
  OwnerDraw(QObject* owner, int itemHeight, Painter painter)
      : QStyledItemDelegate(owner), height_(itemHeight), painter_(std::move(painter)) {}
  void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    painter_(*p, option, index.row());
  }
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    return {QStyledItemDelegate::sizeHint(option, index).width(), height_};
  }

 private:
  int height_;
  Painter painter_;
};

}  // namespace

void TCodeListFrameForm::BuildWindow() {
  kui::PaintBackground(this, Qt::white);
  resize(1024, 737);
  setFont(Verdana(kFieldPixels));
  auto* body = new QVBoxLayout(this);
  body->setContentsMargins(0, 0, 0, 0);
  body->setSpacing(0);
  BuildTitlePanel(body);
  BuildStrip(body);
  BuildContent(body);

  PanelID = new QLabel(this);
  PanelID->setObjectName("PanelID");
  PanelID->hide();
  StringGrid1 = new kui::KvStringGrid(this);
  StringGrid1->setObjectName("StringGrid1");
  StringGrid1->SetFixedRows(0);
  StringGrid1->SetFixedCols(0);
  StringGrid1->SetRowCount(0);
  StringGrid1->hide();

  new kui::KvFocusColour(this, kui::KvFocusColour::kEditors);
}

void TCodeListFrameForm::BuildTitlePanel(QVBoxLayout* body) {
  PanelTop = new QLabel(this);
  PanelTop->setObjectName("PanelTop");
  PanelTop->setFixedHeight(kTitleHeight);
  PanelTop->setFont(Verdana(kTitlePixels, true));
  PanelTop->setIndent(12);
  kui::PaintBackground(PanelTop, Qt::white);
  auto* bar = new QHBoxLayout(PanelTop);
  bar->setContentsMargins(0, 0, 0, 0);
  bar->addStretch();
  ImageExit = editors::ExitButton(PanelTop, kTitleHeight, 12);
  connect(ImageExit, &QToolButton::clicked, this, [this] { ImageExitClick(); });
  bar->addWidget(ImageExit);
  body->addWidget(PanelTop);
}

void TCodeListFrameForm::BuildStrip(QVBoxLayout* body) {
  PanelMsg = new QWidget(this);
  PanelMsg->setObjectName("PanelMsg");
  PanelMsg->setFixedHeight(kStripHeight);
  kui::PaintBackground(PanelMsg, kui::BgrColour(kYellowColour));
  auto* strip = new QHBoxLayout(PanelMsg);
  strip->setContentsMargins(0, 0, 0, 0);
  strip->addStretch();
  PanelAction = new QLabel(TCodeListModeClass::kView, PanelMsg);
  PanelAction->setObjectName("PanelAction");
  PanelAction->setAlignment(Qt::AlignCenter);
  PanelAction->setFixedWidth(140);
  PanelAction->setFont(Verdana(kFieldPixels, true));
  kui::PaintBackground(PanelAction, kui::BgrColour(kActionColour));
  PanelAction->setVisible(mode_.GetKeeping() == Keeping::Caption);
  strip->addWidget(PanelAction);
  body->addWidget(PanelMsg);
}

QToolButton* TCodeListFrameForm::SquareButton(const char* name, const QString& caption, int glyph) {
  auto* b = new QToolButton(this);
  b->setObjectName(name);
  b->setText(caption);
  b->setToolTip(caption);
  b->setAutoRaise(true);
  b->setFocusPolicy(Qt::NoFocus);
  b->setFixedSize(kButtonSide, kButtonSide);
  b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
  b->setIcon(editors::GlyphIcon(static_cast<editors::Glyph>(glyph), kGlyphSide));
  b->setIconSize({kGlyphSide, kGlyphSide});
  b->setFont(Verdana(14, true));
  b->setCursor(Qt::PointingHandCursor);
  return b;
}

void TCodeListFrameForm::BuildContent(QVBoxLayout* body) {
  auto* content = new QHBoxLayout;
  content->setContentsMargins(12, 12, 12, 12);
  content->setSpacing(16);

  content_ = content;
  PanelList = new QLabel(this);
  PanelList->setObjectName("PanelList");
  ListBoxParam = new QListWidget(this);
  ListBoxParam->setObjectName("ListBoxParam");
  connect(ListBoxParam, &QListWidget::currentRowChanged, this, [this] {
    if (!loading_) ListBoxParamClick();
  });
  listColumn_ = ListColumn(PanelList, ListBoxParam);
  content->addLayout(listColumn_);

  PanelFields = new QWidget(this);
  PanelFields->setObjectName("PanelFields");
  fields_ = new QVBoxLayout(PanelFields);
  fields_->setContentsMargins(0, 0, 0, 0);
  fields_->setSpacing(12);
  fields_->addStretch();
  content->addWidget(PanelFields, 1);

  EditName = new kui::KvEdit(this);
  EditName->setObjectName("EditName");
  EditName->SetCharCase(kui::KvEdit::CharCase::Upper);
  EditName->SetMaxLength(kNameLength);

  auto* buttons = new QVBoxLayout;
  buttons->setSpacing(6);
  SpButPrint = SquareButton("SpButPrint", "Print", static_cast<int>(editors::Glyph::Print));
  SpButAdd = SquareButton("SpButAdd", "Add", static_cast<int>(editors::Glyph::Add));
  SpButEdit = SquareButton("SpButEdit", "Edit", static_cast<int>(editors::Glyph::Edit));
  SpButCancel = SquareButton("SpButCancel", "Cancel", static_cast<int>(editors::Glyph::Cancel));
  SpButSave = SquareButton("SpButSave", "Save", static_cast<int>(editors::Glyph::Save));
  connect(SpButPrint, &QToolButton::clicked, this, [this] { SpButPrintClick(); });
  connect(SpButAdd, &QToolButton::clicked, this, [this] { SpButAddClick(); });
  connect(SpButEdit, &QToolButton::clicked, this, [this] { SpButEditClick(); });
  connect(SpButCancel, &QToolButton::clicked, this, [this] { SpButCancelClick(); });
  connect(SpButSave, &QToolButton::clicked, this, [this] { SpButSaveClick(); });
  for (QToolButton* b : {SpButPrint, SpButAdd, SpButEdit, SpButCancel, SpButSave}) buttons->addWidget(b);
  buttons->addStretch();
  content->addLayout(buttons);
  body->addLayout(content, 1);
}

QVBoxLayout* TCodeListFrameForm::ListColumn(QLabel* caption, QListWidget* list) {
  auto* column = new QVBoxLayout;
  column->setSpacing(0);
  caption->setAlignment(Qt::AlignCenter);
  caption->setFixedHeight(36);
  caption->setFont(Verdana(kFieldPixels, true));
  kui::PaintBackground(caption, kui::BgrColour(kYellowColour));
  auto* buttons = new QHBoxLayout(caption);  // room for a list's own buttons at the right
  buttons->setContentsMargins(0, 0, 4, 0);
  buttons->addStretch();
  list->setFont(Verdana(kListPixels));
  list->setUniformItemSizes(true);
  list->setFixedWidth(kListWidth);
  list->setItemDelegate(new OwnerDraw(this, kListItemHeight,
                                      [this, list](QPainter& p, const QStyleOptionViewItem& option, int row) {
                                        ListBoxParamDrawItem(list, p, option, row);
                                      }));
  column->addWidget(caption);
  column->addWidget(list, 1);
  return column;
}

QListWidget* TCodeListFrameForm::AddListBefore(const QString& caption, const QString& name, QLabel** captionPanel) {
  auto* label = new QLabel(caption, this);
  label->setObjectName("Panel" + name);
  auto* list = new QListWidget(this);
  list->setObjectName(name);
  content_->insertLayout(0, ListColumn(label, list));
  lists_.push_back(list);
  if (captionPanel) *captionPanel = label;
  return list;
}

void TCodeListFrameForm::AddListButton(QWidget* button, QLabel* captionPanel) {
  QLabel* caption = captionPanel ? captionPanel : PanelList;
  button->setParent(caption);
  static_cast<QHBoxLayout*>(caption->layout())->addWidget(button);
}

void TCodeListFrameForm::AddListFilter(QWidget* filter) {
  filter->setParent(this);
  listColumn_->insertWidget(1, filter);
}

QFrame* TCodeListFrameForm::AddShape() {
  auto* shape = new QFrame(PanelFields);
  shape->setObjectName("Shape" + QString::number(fields_->count()));
  // Rounded corners as the shapes of the other windows have them.
  shape->setStyleSheet(QString("QFrame#%1 { background: %2; border-radius: 10px; }")
                           .arg(shape->objectName(), kui::BgrColour(kYellowColour).name()));
  auto* grid = new QGridLayout(shape);
  grid->setContentsMargins(16, 14, 16, 14);
  grid->setHorizontalSpacing(12);
  grid->setVerticalSpacing(10);
  grid->setColumnStretch(1, 1);
  fields_->insertWidget(fields_->count() - 1, shape);
  return shape;
}

QLabel* TCodeListFrameForm::AddField(QFrame* shape, const QString& caption, QWidget* field) {
  auto* grid = static_cast<QGridLayout*>(shape->layout());
  const int row = grid->rowCount() == 1 && !grid->itemAtPosition(0, 0) ? 0 : grid->rowCount();
  auto* label = new QLabel(caption, shape);
  // A shape's style sheet stops the form's font at its border.
  label->setFont(font());
  label->setBuddy(field);
  grid->addWidget(label, row, 0, Qt::AlignLeft | Qt::AlignVCenter);
  field->setParent(shape);
  grid->addWidget(field, row, 1);
  return label;
}

void TCodeListFrameForm::ColourOnFocus(QWidget* widget) { widget->installEventFilter(this); }

bool TCodeListFrameForm::eventFilter(QObject* watched, QEvent* event) {
  if (auto* w = qobject_cast<QWidget*>(watched)) {
    if (event->type() == QEvent::FocusIn) kui::KvFocusColour::Paint(w, kui::BgrColour(kui::KvFocusColour::kEditors));
    if (event->type() == QEvent::FocusOut) kui::KvFocusColour::Paint(w, Qt::white);
  }
  return kui::KvMainWindow::eventFilter(watched, event);
}

void TCodeListFrameForm::SetTitle(const QString& title) {
  PanelTop->setText(title);
  setWindowTitle(title);
}

QString TCodeListFrameForm::Title() const { return PanelTop->text(); }

void TCodeListFrameForm::SetListCaption(const QString& caption) { PanelList->setText(caption); }

void TCodeListFrameForm::ListBoxParamDrawItem(QListWidget* list, QPainter& p, const QStyleOptionViewItem& option,
                                              int index) {
  if (!list) return;
  const QPalette& pal = option.palette;
  const bool selected = option.state & QStyle::State_Selected;
  const QColor ink = selected                                   ? pal.color(QPalette::HighlightedText)
                     : !(option.state & QStyle::State_Enabled) ? pal.color(QPalette::Disabled, QPalette::Text)
                                                               : QColor(Qt::black);
  p.save();
  p.fillRect(option.rect, selected ? pal.highlight() : pal.base());
  p.setPen(ink);
  p.setFont(list->font());
  p.drawText(option.rect.adjusted(4, 2, 0, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
             list->item(index) ? list->item(index)->text() : QString());
  p.restore();
}
