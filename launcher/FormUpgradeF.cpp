#include "FormUpgradeF.h"

#include "KuiColour.h"
#include "KvMainWindow.h"
#include "MessageFrame.h"
#include "ModalSeam.h"
#include "TestForm.h"

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QWheelEvent>

namespace {

const QColor kInk = kui::BgrColour(0x2D2A2B);
const QColor kAccent = kui::BgrColour(0x2F7DE0);
const QColor kPaper = kui::BgrColour(0xF4F7F8);
const QColor kMuted = kui::BgrColour(0x6E6A6B);


void Text(QPainter& p, const QRectF& r, int px, bool bold, const QColor& c, const QString& text,
          int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap) {
  p.setPen(c);
  p.setFont(kvVerdana(px, bold));
  p.drawText(r, flags, text);
}

void Header(QPainter& p) {
  p.fillRect(QRectF(0, 0, TFormUpgrade::kImageWidth, 230), kInk);
  p.fillRect(QRectF(0, 230, TFormUpgrade::kImageWidth, 10), kAccent);
  Text(p, QRectF(48, 100, 700, 70), 54, true, Qt::white, QStringLiteral("Tessarin"));
  Text(p, QRectF(50, 172, 700, 40), 22, false, kAccent,
       QStringLiteral("Back office for fashion retailers"));
}

// A small colour-by-size grid, the way the style editor shows stock.
void GridSample(QPainter& p, const QPointF& at) {
  const QStringList sizes = {"S", "M", "L", "XL", "Total"};
  struct Row {
    const char* colour;
    quint32 bgr;
    int qty[4];
  };
  const Row rows[] = {{"NAVY", 0x60300A, {4, 7, 6, 2}},
                      {"RED", 0x2020C8, {2, 5, 5, 1}},
                      {"STONE", 0xA8C4D2, {3, 6, 4, 3}}};
  constexpr double kFirst = 110, kCell = 58, kRow = 30;
  const double width = kFirst + kCell * sizes.size();
  p.fillRect(QRectF(at, QSizeF(width, kRow * 5)), Qt::white);
  p.fillRect(QRectF(at, QSizeF(width, kRow)), kInk);
  p.setFont(kvVerdana(13, true));
  p.setPen(Qt::white);
  for (int c = 0; c < sizes.size(); ++c)
    p.drawText(QRectF(at.x() + kFirst + c * kCell, at.y(), kCell, kRow), Qt::AlignCenter, sizes[c]);
  int totals[5] = {};
  for (int r = 0; r < 3; ++r) {
    const double y = at.y() + kRow * (r + 1);
    p.fillRect(QRectF(at.x(), y, kFirst, kRow), kui::BgrColour(rows[r].bgr));
    p.setPen(r == 2 ? kInk : QColor(Qt::white));
    p.drawText(QRectF(at.x() + 8, y, kFirst - 8, kRow), Qt::AlignVCenter, rows[r].colour);
    p.setPen(kInk);
    int sum = 0;
    for (int c = 0; c < 4; ++c) {
      sum += rows[r].qty[c];
      totals[c] += rows[r].qty[c];
      p.drawText(QRectF(at.x() + kFirst + c * kCell, y, kCell, kRow), Qt::AlignCenter,
                 QString::number(rows[r].qty[c]));
    }
    totals[4] += sum;
    p.drawText(QRectF(at.x() + kFirst + 4 * kCell, y, kCell, kRow), Qt::AlignCenter,
               QString::number(sum));
  }
  const double y = at.y() + kRow * 4;
  p.fillRect(QRectF(at.x(), y, width, kRow), kPaper);
  p.drawText(QRectF(at.x() + 8, y, kFirst, kRow), Qt::AlignVCenter, QStringLiteral("TOTALS"));
  for (int c = 0; c < 5; ++c)
    p.drawText(QRectF(at.x() + kFirst + c * kCell, y, kCell, kRow), Qt::AlignCenter,
               QString::number(totals[c]));
  p.setPen(QPen(kMuted, 1));
  p.setBrush(Qt::NoBrush);
  p.drawRect(QRectF(at, QSizeF(width, kRow * 5)));
}

void Features(QPainter& p, double top) {
  const QStringList features = {
      "Every branch on one central database server",
      "Stock per branch in colours and sizes",
      "Branch prices and wholesale packs",
      "Barcodes and external product codes",
      "Stock, history and valuation reports",
      "Brands, categories, departments and seasons",
  };
  for (int i = 0; i < features.size(); ++i) {
    const double x = 56 + (i % 2) * 350;
    const double y = top + (i / 2) * 64;
    p.setPen(Qt::NoPen);
    p.setBrush(kAccent);
    p.drawEllipse(QRectF(x, y + 4, 14, 14));
    Text(p, QRectF(x + 26, y, 300, 56), 16, false, kInk, features[i]);
  }
}

void Footer(QPainter& p) {
  const double top = TFormUpgrade::kImageHeight - 150;
  p.fillRect(QRectF(0, top, TFormUpgrade::kImageWidth, 150), kAccent);
  Text(p, QRectF(56, top + 30, 680, 40), 26, true, Qt::white,
       QStringLiteral("Ready for more than one shop?"));
  Text(p, QRectF(56, top + 76, 680, 60), 16, false, Qt::white,
       QStringLiteral("Ask us about the Multi-User Edition:\n") + TMainForm::kSupportAddress);
}

}  // namespace

TFormUpgrade::TFormUpgrade(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::FramelessWindowHint) {
  setObjectName("FormUpgrade");
  setAutoFillBackground(true);
  ScrollBoxImg = new QScrollArea(this);
  ScrollBoxImg->setObjectName("ScrollBoxImg");
  ScrollBoxImg->setFrameShape(QFrame::NoFrame);
  ScrollBoxImg->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  ScrollBoxImg->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  Image1 = new QLabel;
  Image1->setObjectName("Image1");
  Image1->setPixmap(BrochurePage());
  Image1->setFixedSize(kImageWidth, kImageHeight);
  ScrollBoxImg->setWidget(Image1);
  ScrollBoxImg->setGeometry(0, 0, kBoxWidth, height());
  for (QObject* o : std::initializer_list<QObject*>{this, ScrollBoxImg, ScrollBoxImg->viewport(), Image1})
    o->installEventFilter(this);
}

void TFormUpgrade::Execute() {
  QPalette black = palette();
  black.setColor(QPalette::Window, Qt::black);
  setPalette(black);
  ScrollBoxImg->verticalScrollBar()->setValue(0);
  setWindowState(windowState() | Qt::WindowMaximized);
  kui::ModalSeam::Exec(*this);
}

void TFormUpgrade::PlaceScrollBox() {
  // Anchored to the top and the bottom of the window.
  ScrollBoxImg->setGeometry(ScrollBoxImg->x(), 0, kBoxWidth, height());
  FormPaint();
}

void TFormUpgrade::FormPaint() {
  const int left = width() / 2 - ScrollBoxImg->width() / 2;
  if (ScrollBoxImg->x() != left) ScrollBoxImg->move(left, ScrollBoxImg->y());
}

void TFormUpgrade::FormMouseWheel(QWheelEvent* event) {
  event->accept();
  try {
    QScrollBar* bar = ScrollBoxImg->verticalScrollBar();
    const int step = 2 * bar->singleStep();
    const int delta = event->angleDelta().y();
    if (delta < 0) bar->setValue(bar->value() + step);
    else if (delta > 0) bar->setValue(bar->value() - step);
  } catch (...) {
    // A position that cannot be set leaves the picture where it is.
  }
}

void TFormUpgrade::FormKeyPress() { reject(); }

void TFormUpgrade::FormClick() { reject(); }

void TFormUpgrade::FormShow() {}

void TFormUpgrade::paintEvent(QPaintEvent* event) {
  FormPaint();
  QDialog::paintEvent(event);
}

void TFormUpgrade::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  PlaceScrollBox();
}

void TFormUpgrade::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  kui::FitMaximisedWindow(this);
  FormShow();
}

bool TFormUpgrade::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::KeyPress:
      FormKeyPress();
      return true;
    case QEvent::MouseButtonRelease:
      // A click is the left button's; the other buttons leave the window open.
      if (static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton)
        return QDialog::eventFilter(watched, event);
      FormClick();
      return true;
    case QEvent::Wheel:
      FormMouseWheel(static_cast<QWheelEvent*>(event));
      return true;
    default:
      return QDialog::eventFilter(watched, event);
  }
}

QPixmap TFormUpgrade::BrochurePage() {
  QPixmap page(kImageWidth, kImageHeight);
  page.fill(Qt::white);
  QPainter p(&page);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  Header(p);
  Text(p, QRectF(56, 280, 680, 50), 32, true, kInk, QStringLiteral("Grow from one shop to many"));
  Text(p, QRectF(56, 336, 680, 110), 17, false, kMuted,
       QStringLiteral("The Multi-User Edition keeps every branch, every till and every office "
                      "on one shared database. Your styles, prices and code lists stay exactly "
                      "as you set them up in the Quick Start Edition."));
  p.fillRect(QRectF(0, 460, kImageWidth, 240), kPaper);
  GridSample(p, QPointF(56, 490));
  Text(p, QRectF(520, 490, 230, 180), 15, false, kInk,
       QStringLiteral("See the stock of every colour and size in every branch at a glance, "
                      "and move it where it sells."));
  Features(p, 740);
  Footer(p);
  return page;
}
