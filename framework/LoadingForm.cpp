#include "LoadingForm.h"

#include "KvColour.h"
#include "MessageFrame.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

#include <cstdlib>
#include <ctime>

namespace {
constexpr int kClientWidth = 819;
constexpr int kClientHeight = 168;
constexpr int kLogoWidth = 171;
constexpr int kBarWidth = 648;
constexpr int kBarHeight = 88;
constexpr int kPanelWidth = 59;

QLabel* TextPanel(QWidget* parent, const char* name, int height, quint32 bg, const QColor& fg) {
  auto* l = new QLabel(parent);
  l->setObjectName(name);
  l->setFixedHeight(height);
  l->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  l->setMargin(2);
  l->setFont(kvVerdana(19));
  kui::PaintBackground(l, kvColour(bg));
  QPalette p = l->palette();
  p.setColor(QPalette::WindowText, fg);
  l->setPalette(p);
  return l;
}

QPixmap Logo() {
  QPixmap pm(150, 150);
  pm.fill(Qt::white);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  p.setBrush(QColor(0x29, 0x29, 0x29));
  p.setPen(Qt::NoPen);
  p.drawRoundedRect(QRectF(35, 20, 80, 80), 12, 12);
  p.setPen(Qt::white);
  p.setFont(kvVerdana(60, true));
  p.drawText(QRectF(35, 20, 80, 80), Qt::AlignCenter, QStringLiteral("T"));
  p.setPen(QColor(0x29, 0x29, 0x29));
  p.setFont(kvVerdana(19, true));
  p.drawText(QRectF(0, 105, 150, 35), Qt::AlignCenter, QStringLiteral("Tessarin"));
  return pm;
}
}  // namespace

TFormLoading::TFormLoading(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint) {
  std::srand(static_cast<unsigned>(std::time(nullptr)));
  setObjectName("FormLoading");
  setFixedSize(kClientWidth + 2, kClientHeight + 2);
  kui::PaintBackground(this, Qt::black);

  auto* logo = new QLabel(this);
  logo->setObjectName("PanelLogo");
  logo->setFixedWidth(kLogoWidth);
  logo->setAlignment(Qt::AlignCenter);
  logo->setPixmap(Logo());
  kui::PaintBackground(logo, kvColour(0xFFFFFF));

  auto* right = new QWidget(this);
  right->setObjectName("PanelRight");
  PanelMsg = TextPanel(right, "PanelMsg", 44, 0x292929, Qt::white);
  PanelInfo = TextPanel(right, "PanelInfo", 36, 0xCFF9FC, Qt::black);
  auto* column = new QVBoxLayout(right);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  column->addWidget(BuildBar());
  column->addStretch();
  column->addWidget(PanelMsg);
  column->addWidget(PanelInfo);

  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(1, 1, 1, 1);
  row->setSpacing(0);
  row->addWidget(logo);
  row->addWidget(right, 1);

  TimerLoading = new QTimer(this);
  TimerLoading->setObjectName("TimerLoading");
  TimerLoading->setInterval(25);
  connect(TimerLoading, &QTimer::timeout, this, &TFormLoading::TimerLoadingTimer);
  ResetBar();
}

QWidget* TFormLoading::BuildBar() {
  auto* bar = new QWidget(this);
  bar->setObjectName("PanelBar");
  bar->setFixedSize(kBarWidth, kBarHeight);
  kui::PaintBackground(bar, kvColour(0xF4F4F4));
  for (int i = 0; i < kBarPanels; ++i) {
    auto* panel = new QWidget(bar);
    panel->setObjectName(QStringLiteral("Panel%1").arg(i, 2, 10, QLatin1Char('0')));
    panel->setGeometry(i * kPanelWidth, 0, kPanelWidth, kBarHeight);
    BarPanels[static_cast<size_t>(i)] = panel;
  }
  return bar;
}

void TFormLoading::PaintPanel(int index, quint32 bgr) {
  kui::PaintBackground(BarPanels[static_cast<size_t>(index)], kvColour(bgr));
}

quint32 TFormLoading::PanelColour(int index) const {
  return kvColourValue(BarPanels[static_cast<size_t>(index)]->palette().color(QPalette::Window));
}

void TFormLoading::SetMessage(const QString& text) {
  setWindowTitle(text);
  PanelMsg->setText(text);
}

void TFormLoading::SetInfo(const QString& text) {
  PanelInfo->setText(text);
  PanelInfo->hide();
}

void TFormLoading::ShowLoading() {
  PanelInfo->setVisible(!PanelInfo->text().isEmpty());
  const bool appearing = !isVisible();
  if (appearing) {
    if (QScreen* screen = QGuiApplication::primaryScreen())
      move(screen->availableGeometry().center() - rect().center());
    show();
  }
  if (!TimerLoading->isActive()) TimerLoading->start();
  LetPaint(appearing);
}

void TFormLoading::LetPaint(bool now) {
  if (!now && painted_.isValid() && painted_.elapsed() < kPaintMs) return;
  painted_.start();
  QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TFormLoading::ResetBar() {
  for (int i = 0; i < kBarPanels; ++i) PaintPanel(i, kBarColour);
  Step = -1;
}

int TFormLoading::RandomColour() { return std::rand() % 65536; }

void TFormLoading::TimerLoadingTimer() {
  TimerLoading->stop();
  const int taken = Step++;
  if (taken >= -1 && taken < kBarPanels - 1)
    PaintPanel(taken + 1, static_cast<quint32>(RandomColour()));
  else
    ResetBar();
  // Closing the window during the pump (FormClose) leaves the timer off.
  QPointer<TFormLoading> self(this);
  QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  if (self && isVisible()) TimerLoading->start();
}

void TFormLoading::showEvent(QShowEvent* event) {
  PanelInfo->hide();
  PanelInfo->setVisible(!PanelInfo->text().isEmpty());
  QWidget::showEvent(event);
}

void TFormLoading::closeEvent(QCloseEvent* event) {
  TimerLoading->stop();
  QWidget::closeEvent(event);
}
