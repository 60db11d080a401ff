#include "TitlePanel.h"

#include "version.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

TTitlePanel::TTitlePanel(QWidget* Parent) : QWidget(Parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TTitlePanel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);

    // A strip of card-table felt with a gilt edge.
    QLinearGradient felt(0, 0, width(), 0);
    felt.setColorAt(0.0, QColor(0, 70, 32));
    felt.setColorAt(0.5, QColor(0, 104, 48));
    felt.setColorAt(1.0, QColor(0, 70, 32));
    p.fillRect(rect(), felt);
    p.fillRect(QRect(width() - 3, 0, 3, height()), QColor(196, 160, 64));
    p.fillRect(QRect(width() - 4, 0, 1, height()), QColor(120, 90, 30));

    // The title, set vertically so it reads from the bottom up like a book's spine.
    QFont title(QStringLiteral("DejaVu Serif"));
    title.setStyleHint(QFont::Serif);
    title.setBold(true);
    title.setPixelSize(46);
    p.save();
    p.translate(width() / 2.0 + 16, 300);
    p.rotate(-90);
    QPainterPath text;
    text.addText(0, 0, title, QStringLiteral("Tolvi"));
    p.setPen(QPen(QColor(60, 40, 0), 2));
    p.setBrush(QColor(240, 208, 96));
    p.drawPath(text);
    p.restore();

    // Four suit marks under the title.
    QFont suits(QStringLiteral("DejaVu Sans"));
    suits.setPixelSize(16);
    p.setFont(suits);
    const QString marks[4] = {QStringLiteral("\u2660"), QStringLiteral("\u2665"),
                              QStringLiteral("\u2663"), QStringLiteral("\u2666")};
    for (int i = 0; i < 4; ++i) {
        p.setPen(i % 2 ? QColor(220, 40, 40) : QColor(235, 235, 235));
        p.drawText(QRect(8 + 18 * i, 300, 18, 20), Qt::AlignCenter, marks[i]);
    }

    QFont small(QStringLiteral("DejaVu Sans"));
    small.setPixelSize(10);
    p.setFont(small);
    p.setPen(QColor(220, 220, 200));
    p.drawText(QRect(0, 318, width() - 4, 16), Qt::AlignCenter,
               QStringLiteral("Version %1").arg(TolviVersion()));
}
