#include "GameSummary.h"

#include "FeltBadge.h"
#include "TableZoom.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

namespace {

constexpr int Margin = 10;
constexpr int TitleHeight = 26;
constexpr int LineHeight = 18;

} // namespace

TGameSummary::TGameSummary(QWidget* Parent) : QWidget(Parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    hide();
}

void TGameSummary::SetBreakdown(const TGameBreakdown& Value) {
    FBreakdown = Value;
    update();
}

QString TGameSummary::Title() const {
    // A name needs its own verb in languages that put it inside "You" and "The Computer".
    return (FBreakdown.NamedWinner ? tr("%1 Won", "the winner is a player's name") : tr("%1 Won"))
        .arg(FBreakdown.Winner);
}

QList<QPair<QString, QString>> TGameSummary::Lines() const {
    const auto number = [](int64_t Value) { return QString::number(Value); };
    return {
        {tr("Cards laid"), number(FBreakdown.CardsLaid)},
        {tr("Turn-over passes"), number(FBreakdown.Passes)},
        {tr("Level bonus"), number(FBreakdown.LevelBonus)},
        {tr("Cards bonus"), number(FBreakdown.CardsBonus)},
        {tr("Time"), FormatTime(FBreakdown.Milliseconds)},
        {tr("Score"), number(FBreakdown.Score)},
    };
}

QString TGameSummary::FormatTime(int64_t Milliseconds) {
    const int64_t seconds = std::max<int64_t>(0, Milliseconds) / 1000;
    const QString minSec =
        QStringLiteral("%1:%2").arg(seconds / 60 % 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
    if (seconds < 3600)
        return minSec;
    return QStringLiteral("%1:%2").arg(seconds / 3600).arg(minSec.rightJustified(5, u'0'));
}

QFont TGameSummary::TitleFont() const {
    QFont title = font();
    title.setPixelSize(15);
    title.setBold(true);
    // A longer title in another language takes a smaller size rather than losing its ends.
    const int inner = width() - 2 * Margin;
    while (title.pixelSize() > 11 && QFontMetrics(title).horizontalAdvance(Title()) > inner)
        title.setPixelSize(title.pixelSize() - 1);
    return title;
}

void TGameSummary::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRect area = ZoomPainter(p, this);
    TFeltBadge::PaintGround(p, area);
    const int inner = area.width() - 2 * Margin;

    p.setFont(TitleFont());
    p.setPen(TFeltBadge::Cream());
    p.drawText(QRect(Margin, 4, inner, TitleHeight), Qt::AlignCenter, Title());
    p.setPen(QPen(TFeltBadge::CaptionColor(), 1));
    p.drawLine(QPointF(Margin, TitleHeight + 6.5),
               QPointF(area.width() - Margin, TitleHeight + 6.5));

    QFont caption = font();
    caption.setPixelSize(12);
    QFont value = caption;
    value.setBold(true);
    const QList<QPair<QString, QString>> lines = Lines();
    int top = TitleHeight + 10;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        // The score stands apart, under the parts it is made of.
        const bool last = i == lines.size() - 1;
        if (last) {
            top += 4;
            p.setPen(QPen(TFeltBadge::CaptionColor(), 1));
            p.drawLine(QPointF(Margin, top - 2.5), QPointF(area.width() - Margin, top - 2.5));
        }
        const QRect row(Margin, top, inner, LineHeight);
        p.setFont(last ? value : caption);
        p.setPen(last ? TFeltBadge::Cream() : TFeltBadge::CaptionColor());
        p.drawText(row, Qt::AlignLeft | Qt::AlignVCenter, lines[i].first);
        p.setFont(value);
        p.setPen(TFeltBadge::Cream());
        p.drawText(row, Qt::AlignRight | Qt::AlignVCenter, lines[i].second);
        top += LineHeight;
    }
}
