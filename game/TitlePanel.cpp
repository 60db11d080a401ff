#include "TitlePanel.h"

#include "TableZoom.h"
#include "ksdensity.h"
#include "version.h"

#include <QPainter>

TTitlePanel::TTitlePanel(QWidget* Parent) : QWidget(Parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TTitlePanel::paintEvent(QPaintEvent*) {
    // Read when first painted, and again on a screen of another density or at a new zoom.
    const qreal ratio = devicePixelRatioF() * TableZoom(this);
    if (FPicture.isNull() ||
        (!qFuzzyCompare(FPicture.devicePixelRatio(), ratio) && !FSettle.Wait(ratio)))
        FPicture = KsDensityPicture(QStringLiteral("title"), ratio);
    QPainter p(this);
    p.fillRect(rect(), QColor(0, 90, 40)); // the felt, should the picture be missing
    const QRect area = ZoomPainter(p, this);
    p.drawImage(0, 0, FPicture);

    // In the window's own type, which the buttons load anyway.
    QFont small = font();
    small.setPixelSize(10);
    p.setFont(small);
    p.setPen(QColor(220, 220, 200));
    p.drawText(QRect(0, 318, area.width() - 4, 16), Qt::AlignCenter,
               tr("Version %1").arg(TolviVersion()));
}
