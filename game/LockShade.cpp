#include "LockShade.h"

#include "FumbleLock.h"
#include "TableZoom.h"
#include "ksabort.h"

#include <QPainter>
#include <algorithm>

namespace {

// The bar runs down in steps: smooth enough to read, and each step repaints.
constexpr int StepMs = 40;

} // namespace

TLockShade::TLockShade(QWidget* Form, const TFumbleLock& Lock, const std::array<QRect, 4>& Cards)
    : QWidget(Form), FLock(Lock) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    QRect area;
    for (const QRect& card : Cards)
        area = area.united(card);
    area.setBottom(area.bottom() + BarGap + BarHeight);
    setGeometry(area);
    for (size_t i = 0; i < Cards.size(); ++i)
        FCards[i] = Cards[i].translated(-area.topLeft());
    FFrameTimer.setSingleShot(true);
    connect(&FFrameTimer, &QTimer::timeout, this, [this] { KsHandleEvent([this] { Frame(); }); });
    hide();
}

void TLockShade::SetEnabled(bool Value) {
    FEnabled = Value;
    Frame();
}

void TLockShade::Frame() {
    if (!FEnabled || !FLock.Locked() || !parentWidget()->isVisible()) {
        FFrameTimer.stop();
        hide();
        return;
    }
    if (isHidden()) {
        raise();
        show();
    } else {
        update();
    }
    FFrameTimer.start(int(std::min<int64_t>(StepMs, FLock.Remaining())));
}

void TLockShade::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRect area = ZoomPainter(p, this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 30, 15, 120));
    for (const QRect& card : FCards)
        p.drawRoundedRect(QRectF(card), 4, 4);
    // The felt green of the panels, its length the time the lock still holds.
    const double left = double(FLock.Remaining()) / double(TFumbleLock::LockMs);
    const int full = FCards.back().right() - FCards.front().left() + 1;
    p.setBrush(QColor(0, 90, 40));
    p.drawRoundedRect(
        QRectF(FCards.front().left(), area.height() - BarHeight, full * left, BarHeight), 1.5, 1.5);
}
