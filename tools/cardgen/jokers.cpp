// The two jokers: a laughing jester's head over a fan of cards. They share every pixel but the
// four corner marks, which are red on the red joker and blue on the blue one.
#include "cardset.h"
#include "raster.h"

#include <QTransform>

namespace cardgen {

namespace {

using namespace palette;

constexpr QSize MarkSize(15, 11);
constexpr QPoint MarkAt(2, 4);
constexpr QRgb BlueMark = Blue;

QPointF At(qreal X, qreal Y) {
    return {X, Y};
}

// Five cards fanned out from a point near the bottom edge.
void CardFan(TArtist& a) {
    const QPointF pivot(35.5, 87);
    static constexpr TSuit suits[] = {TSuit::Spade, TSuit::Heart, TSuit::Club, TSuit::Diamond,
                                      TSuit::Spade};
    for (int i = 0; i < 5; ++i) {
        QTransform t;
        t.translate(pivot.x(), pivot.y());
        t.rotate(-50 + 25 * i);
        const QRectF card(-8, -35, 16, 23);
        QPainterPath outline;
        outline.addRoundedRect(card, 2, 2);
        a.Fill(t.map(outline), Black);
        QPainterPath inside;
        inside.addRoundedRect(card.adjusted(1, 1, -1, -1), 1.5, 1.5);
        a.Fill(t.map(inside), White);
        const TSuit suit = suits[i];
        a.Fill(t.map(FitPath(SuitPath(suit), QRectF(-3.5, -32, 7, 8))), InkOf(suit));
    }
}

// One point of the cap: from two points of the band out to a bell at Tip, its sides bowed
// towards Bend.
void CapPoint(TArtist& a, QPointF From, QPointF To, QPointF Bend, QPointF Tip, QRgb Colour) {
    QPainterPath point(From);
    point.quadTo(Bend, Tip);
    point.quadTo((Bend + To) / 2 + (Bend - From) * 0.15, To);
    point.closeSubpath();
    a.Fill(point, Colour);
    a.Line(point, 1, Black);
    a.Ellipse(Tip, 2.8, 2.8, Black);
    a.Ellipse(Tip, 1.9, 1.9, Gold);
}

void JesterHead(TArtist& a) {
    const QPointF face(35.5, 44);
    // Ruff collar under the chin.
    for (int pass = 0; pass < 2; ++pass)
        for (int i = 0; i < 6; ++i) {
            const QPointF c(23.5 + i * 4.8, 56 + (i == 0 || i == 5 ? -1.5 : 0));
            a.Ellipse(c, pass == 0 ? 3.4 : 2.4, pass == 0 ? 3.4 : 2.4, pass == 0 ? Black : White);
        }
    // The cap's points come first; the face and the band cover their roots.
    CapPoint(a, face + At(-8, -10), face + At(-2, -6), face + At(-18, -18), face + At(-21, -3),
             Red);
    CapPoint(a, face + At(8, -10), face + At(2, -6), face + At(18, -18), face + At(21, -3), Green);
    CapPoint(a, face + At(-6, -8), face + At(6, -8), face + At(-4, -22), face + At(5, -31), Gold);
    // Face.
    a.Ellipse(face, 10, 11, Black);
    a.Ellipse(face, 9, 10, Skin);
    // Eyes squeezed shut with laughter, brows raised.
    QPainterPath eyes;
    eyes.moveTo(face + At(-6.5, -1));
    eyes.quadTo(face + At(-4.25, -4), face + At(-2, -1));
    eyes.moveTo(face + At(2, -1));
    eyes.quadTo(face + At(4.25, -4), face + At(6.5, -1));
    a.Line(eyes, 1.2, Black);
    a.Ellipse(face + At(-6, 3), 1.5, 1, SkinShade);
    a.Ellipse(face + At(6, 3), 1.5, 1, SkinShade);
    a.Ellipse(face + At(0, 1.5), 1.6, 1.6, Red);
    // The wide open laughing mouth with teeth and tongue.
    QPainterPath mouth;
    mouth.moveTo(face + At(-5.5, 4));
    mouth.lineTo(face + At(5.5, 4));
    mouth.quadTo(face + At(5, 9.5), face + At(0, 9.5));
    mouth.quadTo(face + At(-5, 9.5), face + At(-5.5, 4));
    mouth.closeSubpath();
    a.Fill(mouth, DarkRed);
    a.Rect(face.x() - 4.5, face.y() + 4, 9, 1.5, White);
    a.Ellipse(face + At(0, 8), 2.2, 1.2, Red);
    a.Line(mouth, 0.9, Black);
    // The band of the cap across the brow.
    QPainterPath band;
    band.moveTo(face + At(-10, -5));
    band.quadTo(face + At(0, -12), face + At(10, -5));
    a.Line(band, 4, Black);
    a.Line(band, 2.4, Blue);
}

} // namespace

QImage DrawJoker(bool Red) {
    TFineCanvas canvas(CardWidth, CardHeight, White);
    {
        TArtist a(canvas.Painter());
        CardFan(a);
        JesterHead(a);
    }
    QImage card = canvas.Result();
    const QImage mark = RenderMask(MarkSize, [](QPainter& p) {
        p.drawPath(FitPath(JokerMarkPath(), QRectF(0, 0, MarkSize.width(), MarkSize.height())));
    });
    const QRgb colour = Red ? SuitRed : BlueMark;
    StampBothWays(card, mark, MarkAt, colour);
    StampBothWays(card, mark, QPoint(CardWidth - MarkAt.x() - MarkSize.width(), MarkAt.y()),
                  colour);
    return card;
}

} // namespace cardgen
