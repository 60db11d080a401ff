#include "GameSummary.h"

#include "FeltBadge.h"
#include "TableZoom.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

namespace {

constexpr int Margin = 10;
constexpr int TitleHeight = 26;
constexpr int LinesTop = TitleHeight + 10;
constexpr int MostLineHeight = 18;
constexpr int ScoreGap = 4; // sets the score apart from its parts

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

QList<QPair<QString, QString>> TGameSummary::Parts() const {
    const auto number = [](int64_t Value) { return QString::number(Value); };
    const TGameBreakdown& b = FBreakdown;
    QList<QPair<QString, QString>> parts;
    if (b.LasVegas) {
        if (b.CarriedOver != 0)
            parts.append({tr("Carried over"), number(b.CarriedOver)});
        parts.append({tr("Stake"), number(-b.Stake)});
    }
    parts.append({tr("Cards laid"), number(b.CardsLaid)});
    parts.append({tr("Turn-over passes"), number(b.Passes)});
    if (b.Won) {
        parts.append({tr("Level bonus"), number(b.LevelBonus)});
        parts.append({tr("Cards bonus"), number(b.CardsBonus)});
        parts.append({tr("Winning point"), number(1)});
    }
    return parts;
}

QList<QPair<QString, QString>> TGameSummary::Lines() const {
    QList<QPair<QString, QString>> lines = Parts();
    lines.append({tr("Score"), QString::number(FBreakdown.Score)});
    lines.append({tr("Time"), FormatTime(FBreakdown.Milliseconds)});
    return lines;
}

QString TGameSummary::Note() const {
    return FBreakdown.Won && FBreakdown.OutOfHallOfFame ? tr("Not for the hall of fame")
                                                        : QString();
}

int TGameSummary::LineHeight() const {
    // The parts and the score below them share the height under the title.
    const int rows = int(Parts().size()) + 1;
    const int room = qRound(height() / TableZoom(this)) - LinesTop - ScoreGap - Margin / 2;
    return std::clamp(room / rows, 1, MostLineHeight);
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
    const int inner = qRound(width() / TableZoom(this)) - 2 * Margin;
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
    const QPen rule(TFeltBadge::CaptionColor(), 1);
    p.setPen(rule);
    p.drawLine(QPointF(Margin, TitleHeight + 6.5),
               QPointF(area.width() - Margin, TitleHeight + 6.5));

    const int lineHeight = LineHeight();
    QFont caption = font();
    caption.setPixelSize(std::min(12, lineHeight - 2));
    QFont value = caption;
    value.setBold(true);
    const auto drawLine = [&](const QRect& Row, const QPair<QString, QString>& Line, bool Bold) {
        p.setFont(Bold ? value : caption);
        p.setPen(Bold ? TFeltBadge::Cream() : TFeltBadge::CaptionColor());
        p.drawText(Row, Qt::AlignLeft | Qt::AlignVCenter, Line.first);
        p.setFont(value);
        p.setPen(TFeltBadge::Cream());
        p.drawText(Row, Qt::AlignRight | Qt::AlignVCenter, Line.second);
    };

    // The parts, and the score they add up to under them.
    const QList<QPair<QString, QString>> lines = Lines();
    const qsizetype parts = lines.size() - 2;
    int top = LinesTop;
    for (qsizetype i = 0; i < parts; ++i, top += lineHeight)
        drawLine(QRect(Margin, top, LinesWidth, lineHeight), lines[i], false);
    top += ScoreGap;
    p.setPen(rule);
    p.drawLine(QPointF(Margin, top - 2.5), QPointF(Margin + LinesWidth, top - 2.5));
    drawLine(QRect(Margin, top, LinesWidth, lineHeight), lines[parts], true);

    // Beside them, what is not part of the score: the time, and the note.
    const int side = Margin + LinesWidth + Gutter;
    const int sideWidth = area.width() - Margin - side;
    p.setPen(rule);
    p.drawLine(QPointF(side - Gutter / 2 + 0.5, LinesTop),
               QPointF(side - Gutter / 2 + 0.5, area.height() - Margin));
    drawLine(QRect(side, LinesTop, sideWidth, lineHeight), lines[parts + 1], false);
    if (const QString note = Note(); !note.isEmpty()) {
        p.setFont(caption);
        p.setPen(TFeltBadge::Cream());
        p.drawText(QRect(side, LinesTop + lineHeight + ScoreGap, sideWidth,
                         area.height() - LinesTop - lineHeight - ScoreGap - Margin / 2),
                   Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, note);
    }
}
