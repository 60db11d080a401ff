// Aces and pip cards: strictly two colours, the suit's ink on white. Every pip and corner index
// is one mask stamped at whole pixel positions, so all pips of a suit are identical and the
// turned ones are exact 180 degree copies.
#include "cardset.h"
#include "raster.h"

#include <vector>

namespace cardgen {

namespace {

constexpr QSize PipSize(11, 14);
constexpr QSize IndexSize(10, 22);
constexpr QPoint IndexAt(2, 4);

// Pip columns and rows of the usual layouts.
constexpr int Left = 15, Centre = 30, Right = 45;
constexpr int Top = 9, Middle = 41;
constexpr int Row2 = 30;       // second of four rows
constexpr int TenInner = 19;   // centre pips of the ten
constexpr int SevenInner = 25; // centre pips of the seven and eight

// The usual layouts. Pips above the middle come with a turned copy below it; the middle ones
// stand upright on their own.
struct TPipLayout {
    std::vector<QPoint> Turned;
    std::vector<QPoint> Upright;
};

TPipLayout PipLayout(int Rank) {
    TPipLayout layout;
    auto pair = [&](int y) {
        layout.Turned.emplace_back(Left, y);
        layout.Turned.emplace_back(Right, y);
    };
    if (Rank == 2 || Rank == 3)
        layout.Turned.emplace_back(Centre, Top);
    if (Rank >= 4)
        pair(Top);
    if (Rank >= 9)
        pair(Row2);
    if (Rank == 6 || Rank == 7 || Rank == 8) {
        layout.Upright.emplace_back(Left, Middle);
        layout.Upright.emplace_back(Right, Middle);
    }
    if (Rank == 3 || Rank == 5 || Rank == 9)
        layout.Upright.emplace_back(Centre, Middle);
    if (Rank == 7)
        layout.Upright.emplace_back(Centre, SevenInner);
    if (Rank == 8)
        layout.Turned.emplace_back(Centre, SevenInner);
    if (Rank == 10)
        layout.Turned.emplace_back(Centre, TenInner);
    return layout;
}

QImage PipMask(TSuit Suit, QSize Size) {
    return RenderMask(Size, [Suit, Size](QPainter& p) {
        p.drawPath(FitPath(SuitPath(Suit), QRectF(0, 0, Size.width(), Size.height())));
    });
}

// The large spade of the ace of spades carries a white inner line and a small ornament, as
// the ace of spades traditionally is the decorated one.
QImage AceOfSpadesMask(QSize Size) {
    return RenderMask(Size, [Size](QPainter& p) {
        const QRectF box(0, 0, Size.width(), Size.height());
        const QPainterPath spade = FitPath(SuitPath(TSuit::Spade), box);
        p.drawPath(spade);
        const QPainterPath inner = FitPath(SuitPath(TSuit::Spade), box.adjusted(4, 4.5, -4, -4.5));
        const QPainterPath core =
            FitPath(SuitPath(TSuit::Spade), box.adjusted(5.5, 6.5, -5.5, -6.5));
        // The white line stays open above the stem, so the spade remains one shape.
        QPainterPath gap;
        gap.addRect(QRectF(box.center().x() - 2.5, box.center().y() + 6, 5, box.height()));
        p.setBrush(Qt::white);
        p.drawPath(inner.subtracted(core).subtracted(gap));
        QPainterPath gem;
        const QPointF c = box.center() + QPointF(0, -1);
        gem.moveTo(c + QPointF(0, -5));
        gem.lineTo(c + QPointF(3, 0));
        gem.lineTo(c + QPointF(0, 5));
        gem.lineTo(c + QPointF(-3, 0));
        gem.closeSubpath();
        p.drawPath(gem);
    });
}

QImage IndexMask(TSuit Suit, int Rank) {
    return RenderMask(IndexSize, [Suit, Rank](QPainter& p) {
        const QString text = RankText(Rank);
        TGlyphStyle style;
        style.Height = 10;
        style.Width = text.size() > 1 ? 6 : 7;
        style.Gap = 1;
        style.Stroke = 2;
        // Whole-pixel placement keeps the two-pixel strokes crisp.
        const int left = (IndexSize.width() - int(TextWidth(text, style))) / 2;
        p.drawPath(TextPath(text, style).translated(left, 0));
        p.drawPath(FitPath(SuitPath(Suit), QRectF(0.5, 12, 9, 10)));
    });
}

} // namespace

QRgb InkOf(TSuit Suit) {
    return IsRed(Suit) ? SuitRed : Black;
}

void DrawCornerIndices(QImage& Card, TSuit Suit, int Rank) {
    StampBothWays(Card, IndexMask(Suit, Rank), IndexAt, InkOf(Suit));
}

QImage DrawPipCard(TSuit Suit, int Rank) {
    QImage card(CardWidth, CardHeight, QImage::Format_RGB32);
    card.fill(White);
    const QRgb ink = InkOf(Suit);
    DrawCornerIndices(card, Suit, Rank);
    if (Rank == 1) {
        const QSize size = Suit == TSuit::Spade ? QSize(39, 44) : QSize(27, 30);
        const QImage mask = Suit == TSuit::Spade ? AceOfSpadesMask(size) : PipMask(Suit, size);
        Stamp(card, mask, QPoint((CardWidth - size.width()) / 2, (CardHeight - size.height()) / 2),
              ink);
        return card;
    }
    const QImage pip = PipMask(Suit, PipSize);
    const TPipLayout layout = PipLayout(Rank);
    for (const QPoint& at : layout.Turned)
        StampBothWays(card, pip, at, ink);
    for (const QPoint& at : layout.Upright)
        Stamp(card, pip, at, ink);
    return card;
}

} // namespace cardgen
