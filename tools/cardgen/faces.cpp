// Aces and pip cards: strictly two colours, the suit's ink on white. Every pip and corner index
// is one mask stamped at whole pixel positions, so all pips of a suit are identical and the
// turned ones are exact 180 degree copies.
#include "cardset.h"
#include "raster.h"

#include <vector>

namespace cardgen {

namespace {

// Where the pips and corner indices go. The large indices take about twice the height of the
// usual ones, and the pips shrink and close in towards the middle to leave them room.
struct TFaceGeometry {
    QSize PipSize;
    QSize IndexSize;
    QPoint IndexAt;
    // Pip columns and rows of the usual layouts.
    int Left, Centre, Right;
    int Top, Middle;
    int Row2;       // second of four rows
    int TenInner;   // centre pips of the ten
    int SevenInner; // centre pips of the seven and eight
    QSize AceSize, AceOfSpadesSize;
    // The index glyphs: rank height, stroke and the suit's box below the rank.
    qreal RankHeight, RankWidth, RankWidthTwo, Stroke;
    QRectF IndexSuit;
};

const TFaceGeometry& Geometry() {
    static const TFaceGeometry usual{{11, 14}, {10, 22}, {2, 4}, 15, 30, 45,
                                     9,        41,       30,     19, 25, {27, 30},
                                     {39, 44}, 10,       7,      6,  2,  {0.5, 12, 9, 10}};
    static const TFaceGeometry large{{9, 11},  {16, 39}, {2, 3}, 20, 31, 42,
                                     8,        42,       31,     19, 25, {25, 28},
                                     {31, 35}, 18,       12,     9,  3,  {0.5, 21, 15, 17}};
    return DrawSettings().LargeIndices ? large : usual;
}

// The usual layouts. Pips above the middle come with a turned copy below it; the middle ones
// stand upright on their own.
struct TPipLayout {
    std::vector<QPoint> Turned;
    std::vector<QPoint> Upright;
};

TPipLayout PipLayout(int Rank) {
    const TFaceGeometry& g = Geometry();
    TPipLayout layout;
    auto pair = [&](int y) {
        layout.Turned.emplace_back(g.Left, y);
        layout.Turned.emplace_back(g.Right, y);
    };
    if (Rank == 2 || Rank == 3)
        layout.Turned.emplace_back(g.Centre, g.Top);
    if (Rank >= 4)
        pair(g.Top);
    if (Rank >= 9)
        pair(g.Row2);
    if (Rank == 6 || Rank == 7 || Rank == 8) {
        layout.Upright.emplace_back(g.Left, g.Middle);
        layout.Upright.emplace_back(g.Right, g.Middle);
    }
    if (Rank == 3 || Rank == 5 || Rank == 9)
        layout.Upright.emplace_back(g.Centre, g.Middle);
    if (Rank == 7)
        layout.Upright.emplace_back(g.Centre, g.SevenInner);
    if (Rank == 8)
        layout.Turned.emplace_back(g.Centre, g.SevenInner);
    if (Rank == 10)
        layout.Turned.emplace_back(g.Centre, g.TenInner);
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
    const TFaceGeometry& g = Geometry();
    return RenderMask(g.IndexSize, [Suit, Rank, &g](QPainter& p) {
        const QString text = RankText(Rank);
        TGlyphStyle style;
        style.Height = g.RankHeight;
        style.Width = text.size() > 1 ? g.RankWidthTwo : g.RankWidth;
        style.Gap = 1;
        style.Stroke = g.Stroke;
        // Whole-pixel placement keeps the two-pixel strokes crisp.
        const int left = (g.IndexSize.width() - int(TextWidth(text, style))) / 2;
        p.drawPath(TextPath(text, style).translated(left, 0));
        p.drawPath(FitPath(SuitPath(Suit), g.IndexSuit));
    });
}

} // namespace

QRgb InkOf(TSuit Suit) {
    if (DrawSettings().FourColours && Suit == TSuit::Club)
        return palette::Green;
    if (DrawSettings().FourColours && Suit == TSuit::Diamond)
        return palette::Blue;
    return IsRed(Suit) ? SuitRed : Black;
}

void DrawCornerIndices(QImage& Card, TSuit Suit, int Rank) {
    const TFaceGeometry& g = Geometry();
    StampBothWays(Card, IndexMask(Suit, Rank), g.IndexAt, InkOf(Suit));
}

QRect CornerIndexArea() {
    const TFaceGeometry& g = Geometry();
    return {g.IndexAt, g.IndexSize};
}

QImage DrawPipCard(TSuit Suit, int Rank) {
    const TFaceGeometry& g = Geometry();
    QImage card(CardWidth * OutputScale(), CardHeight * OutputScale(), QImage::Format_RGB32);
    card.fill(White);
    const QRgb ink = InkOf(Suit);
    DrawCornerIndices(card, Suit, Rank);
    if (Rank == 1) {
        const QSize size = Suit == TSuit::Spade ? g.AceOfSpadesSize : g.AceSize;
        const QImage mask = Suit == TSuit::Spade ? AceOfSpadesMask(size) : PipMask(Suit, size);
        Stamp(card, mask, QPoint((CardWidth - size.width()) / 2, (CardHeight - size.height()) / 2),
              ink);
        return card;
    }
    const QImage pip = PipMask(Suit, g.PipSize);
    const TPipLayout layout = PipLayout(Rank);
    for (const QPoint& at : layout.Turned)
        StampBothWays(card, pip, at, ink);
    for (const QPoint& at : layout.Upright)
        Stamp(card, pip, at, ink);
    return card;
}

} // namespace cardgen
