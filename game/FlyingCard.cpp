#include "FlyingCard.h"

#include <QPaintEvent>
#include <QPainter>
#include <cmath>

TFlyingCard::TFlyingCard(QWidget* Form) : QWidget(Form) {
    // It covers all it owns: nothing beneath is painted for it.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    hide();
}

void TFlyingCard::SetBitmap(const QImage& Value) {
    FBitmap = Value;
    const qreal ratio = FBitmap.devicePixelRatio();
    resize(int(std::ceil(FBitmap.width() / ratio)), int(std::ceil(FBitmap.height() / ratio)));
    update();
}

void TFlyingCard::paintEvent(QPaintEvent* Event) {
    QPainter p(this);
    // A picture of a fractional ratio leaves a sliver of the last device pixel uncovered.
    if (QSizeF(FBitmap.size()) / FBitmap.devicePixelRatio() != QSizeF(size()))
        p.fillRect(Event->rect(), palette().color(QPalette::Window));
    p.drawImage(0, 0, FBitmap);
}
