#include "MessageFrame.h"

#include "KvColour.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTextBlockFormat>
#include <QTextCursor>
#include <QTextEdit>
#include <QVBoxLayout>

namespace {
constexpr int kClientWidth = 517;
constexpr int kBorder = 1;
constexpr int kTopHeight = 75;
constexpr quint32 kPanelColour = 0xC6FFFF;
}  // namespace

QFont kvVerdana(int pixelSize, bool bold) {
  QFont f(QStringLiteral("Verdana"));
  f.setPixelSize(pixelSize);
  f.setBold(bold);
  return f;
}

TMessageFrame::TMessageFrame(const QString& caption, int clientHeight, int bottomHeight,
                             QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint) {
  setFixedSize(kClientWidth + 2 * kBorder, clientHeight + 2 * kBorder);
  kui::PaintBackground(this, Qt::black);

  PanelTop = new QLabel(caption, this);
  PanelTop->setObjectName("PanelTop");
  PanelTop->setAlignment(Qt::AlignCenter);
  PanelTop->setFixedHeight(kTopHeight);
  PanelTop->setFont(kvVerdana(29, true));
  kui::PaintBackground(PanelTop, kvColour(kPanelColour));

  MemoMsg = new QTextEdit(this);
  MemoMsg->setObjectName("MemoMsg");
  MemoMsg->setReadOnly(true);
  MemoMsg->setFrameShape(QFrame::NoFrame);
  MemoMsg->setFont(kvVerdana(19));

  PanelBottom = new QWidget(this);
  PanelBottom->setObjectName("PanelBottom");
  PanelBottom->setFixedHeight(bottomHeight);
  kui::PaintBackground(PanelBottom, kvColour(kPanelColour));
  auto* buttons = new QHBoxLayout(PanelBottom);
  buttons->setContentsMargins(8, 0, 8, 0);
  buttons->setSpacing(40);
  buttons->addStretch();

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(kBorder, kBorder, kBorder, kBorder);
  layout->setSpacing(0);
  layout->addWidget(PanelTop);
  layout->addWidget(MemoMsg, 1);
  layout->addWidget(PanelBottom);
}

QPushButton* TMessageFrame::AddButton(const QString& name, const QString& caption, int w, int h,
                                      int fontPx) {
  auto* b = new QPushButton(caption, PanelBottom);
  b->setObjectName(name);
  b->setFixedSize(w, h);
  b->setFont(kvVerdana(fontPx));
  auto* row = static_cast<QHBoxLayout*>(PanelBottom->layout());
  row->addWidget(b);
  row->addStretch();
  return b;
}

void TMessageFrame::PreviewKeys() {
  installEventFilter(this);
  for (QWidget* child : findChildren<QWidget*>()) child->installEventFilter(this);
}

void TMessageFrame::SetMessage(const QString& text) {
  MemoMsg->clear();
  MemoMsg->setPlainText(text);
  QTextCursor all(MemoMsg->document());
  all.select(QTextCursor::Document);
  QTextBlockFormat centred;
  centred.setAlignment(Qt::AlignHCenter);
  all.mergeBlockFormat(centred);
}

bool TMessageFrame::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress && FormKeyDown(static_cast<QKeyEvent*>(event)))
    return true;
  return QDialog::eventFilter(watched, event);
}
