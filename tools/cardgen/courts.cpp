// Jack, Queen and King: a framed figure drawn once in the top half and repeated turned by 180
// degrees in the bottom half, as on printed court cards, in the sixteen-colour court palette.
#include "cardset.h"
#include "raster.h"

namespace cardgen {

namespace {

using namespace palette;

// Frame lines; the figure lives inside, its top half between y = 9 and the middle line y = 48.
constexpr int FrameLeft = 12, FrameTop = 8, FrameRight = 58;
constexpr qreal HalfLine = CardHeight / 2.0;
constexpr qreal HeadX = 33.5; // the figure stands a little left of centre, its arm to the right

// Each suit dresses its figures differently.
struct TDress {
    QRgb Robe;
    QRgb Panel;
    QRgb Trim;
};

TDress DressOf(TSuit Suit) {
    switch (Suit) {
    case TSuit::Club:
        return {Blue, Red, Gold};
    case TSuit::Diamond:
        return {Green, Red, Gold};
    case TSuit::Heart:
        return {Red, Blue, Gold};
    case TSuit::Spade:
        break;
    }
    return {Navy, Gold, Red};
}

QPointF At(qreal X, qreal Y) {
    return {X, Y};
}

// A large corner index takes the frame's top-left corner: the frame steps in around it (and,
// turned, around the bottom-right one), the things the figure holds at its left move in with
// it, and the index's suit stands for the picture's own suit mark.
struct TCourtLayout {
    int NotchX = FrameLeft; // the frame's line beside the index
    int NotchY = FrameTop;  // the frame's line under the index
    qreal Reach = 0;        // how far the left hand and what it holds move right
    bool SuitMark = true;
};

TCourtLayout CourtLayout() {
    if (!DrawSettings().LargeIndices)
        return {};
    const QRect index = CornerIndexArea();
    // One white pixel between the index and the frame.
    return {index.right() + 2, index.bottom() + 2, 5, false};
}

// Eyes, brows, nose and mouth on a face whose top-left corner is (X, Y), eleven pixels wide.
void Features(TArtist& a, qreal X, qreal Y, QRgb Brows, bool Lips) {
    a.Rect(X + 2, Y + 2, 2, 1, Brows);
    a.Rect(X + 7, Y + 2, 2, 1, Brows);
    a.Rect(X + 2, Y + 3, 2, 1, Black);
    a.Rect(X + 7, Y + 3, 2, 1, Black);
    a.Rect(X + 5, Y + 4, 1, 3, SkinShade);
    a.Rect(X + 4, Y + 7, 3, 1, Lips ? Red : DarkRed);
}

// Shoulders and robe down to the middle line, where the figure meets its turned copy; a panel
// with lozenges runs down the front.
void Robe(TArtist& a, const TDress& Dress, qreal NeckY) {
    QPainterPath robe;
    robe.moveTo(HeadX - 6, NeckY);
    robe.lineTo(HeadX + 6, NeckY);
    robe.quadTo(HeadX + 13, NeckY, HeadX + 15, NeckY + 5);
    robe.lineTo(FrameRight, HalfLine);
    robe.lineTo(FrameLeft + 1, HalfLine);
    robe.lineTo(HeadX - 15, NeckY + 5);
    robe.quadTo(HeadX - 13, NeckY, HeadX - 6, NeckY);
    robe.closeSubpath();
    a.Fill(robe, Dress.Robe);
    a.Line(robe, 1, Black);
    const qreal top = NeckY + 2;
    a.Rect(HeadX - 4, top, 8, HalfLine - top, Dress.Panel);
    a.Rect(HeadX - 5, top, 1, HalfLine - top, Dress.Trim);
    a.Rect(HeadX + 4, top, 1, HalfLine - top, Dress.Trim);
    for (qreal y = NeckY + 6; y < HalfLine - 2; y += 5)
        a.Polygon({At(HeadX, y - 2), At(HeadX + 2, y), At(HeadX, y + 2), At(HeadX - 2, y)},
                  Dress.Trim);
}

// A sleeve from the shoulder to a hand, with a cuff.
void Arm(TArtist& a, QPointF Shoulder, QPointF Hand, const TDress& Dress) {
    QPainterPath sleeve(Shoulder);
    sleeve.lineTo(Hand);
    a.Line(sleeve, 5.5, Black);
    a.Line(sleeve, 3.5, Dress.Robe);
    const QPointF cuff = Hand + (Shoulder - Hand) * 0.22;
    a.Line(cuff, cuff + (Hand - Shoulder) * 0.1, 3.5, Dress.Trim);
    a.Ellipse(Hand, 2.6, 2.4, Skin);
}

void SuitMark(TArtist& a, TSuit Suit) {
    if (!CourtLayout().SuitMark)
        return;
    a.Fill(FitPath(SuitPath(Suit), QRectF(FrameLeft + 2, FrameTop + 2, 9, 10)), InkOf(Suit));
}

void DrawKing(TArtist& a, TSuit Suit) {
    const TDress dress = DressOf(Suit);
    const qreal r = CourtLayout().Reach;
    const qreal face = HeadX - 5.5; // left edge of the face
    // Sword held upright at the right.
    QPainterPath sword;
    sword.moveTo(49, 9.5);
    sword.lineTo(51.5, 13);
    sword.lineTo(51.5, 38);
    sword.lineTo(46.5, 38);
    sword.lineTo(46.5, 13);
    sword.closeSubpath();
    a.Fill(sword, Silver);
    a.Line(sword, 1, Grey);
    a.Rect(48.5, 13, 1, 25, White);
    a.Rect(44, 38, 10, 2, Gold);
    a.Rect(48, 40, 2, 8, Brown);
    Robe(a, dress, 30);
    Arm(a, At(45, 34), At(49, 43), dress);
    Arm(a, At(22 + r, 35), At(21 + r, 40), dress);
    // An orb with a cross in the other hand.
    a.Ellipse(At(21 + r, 38), 4.2, 4.2, Black);
    a.Ellipse(At(21 + r, 38), 3.5, 3.5, Gold);
    a.Rect(20 + r, 37, 2, 1, Ochre);
    a.Rect(20.5 + r, 32, 1, 3, Gold);
    a.Rect(19.5 + r, 33, 3, 1, Gold);
    // Ermine collar across the shoulders.
    QPainterPath collar;
    collar.moveTo(HeadX - 11, 35);
    collar.quadTo(HeadX, 27, HeadX + 11, 35);
    a.Line(collar, 3, White);
    for (qreal x = HeadX - 8; x <= HeadX + 8; x += 4)
        a.Rect(x, collar.pointAtPercent((x - HeadX + 11) / 22).y(), 1, 1, Black);
    // Grey hair, face and a long beard.
    a.Rect(face - 2, 18, 15, 10, Silver);
    a.Rect(face, 18, 11, 10, Skin);
    a.Rect(face + 9, 19, 2, 8, SkinShade);
    Features(a, face, 18, Grey, false);
    a.Polygon(
        {At(face - 1, 24), At(face + 12, 24), At(face + 10, 30), At(HeadX, 34), At(face + 1, 30)},
        White);
    a.Rect(face + 2, 24.5, 7, 1, Silver);
    a.Rect(face + 4, 25.5, 3, 1, DarkRed);
    a.Line(At(HeadX - 2, 28), At(HeadX - 1, 32), 1, Silver);
    a.Line(At(HeadX + 2, 28), At(HeadX + 1, 32), 1, Silver);
    // Crown: a gold band with three points and jewels.
    a.Rect(face - 1, 12, 13, 5, DarkRed);
    a.Polygon({At(face - 2, 17), At(face - 2, 10), At(face + 2, 13.5), At(HeadX, 9),
               At(face + 9, 13.5), At(face + 13, 10), At(face + 13, 17)},
              Gold);
    a.Rect(face - 2, 15, 15, 1, Ochre);
    a.Rect(face + 1, 16, 2, 1, Red);
    a.Rect(HeadX - 1, 16, 2, 1, Blue);
    a.Rect(face + 8, 16, 2, 1, Red);
    a.Ellipse(At(HeadX, 9), 1, 1, White);
    SuitMark(a, Suit);
}

void DrawQueen(TArtist& a, TSuit Suit) {
    const TDress dress = DressOf(Suit);
    const qreal r = CourtLayout().Reach;
    const qreal face = HeadX - 5.5;
    // Long golden hair behind the head and shoulders.
    QPainterPath hair;
    hair.moveTo(face - 1, 14);
    hair.quadTo(HeadX, 9, face + 12, 14);
    hair.lineTo(face + 14, 33);
    hair.lineTo(face - 3, 33);
    hair.closeSubpath();
    a.Fill(hair, Gold);
    a.Line(At(face - 1, 22), At(face - 2, 32), 1, Ochre);
    a.Line(At(face + 12, 22), At(face + 13, 32), 1, Ochre);
    Robe(a, dress, 31);
    // Neck, necklace and a square neckline.
    a.Rect(HeadX - 2, 27, 4, 4, Skin);
    a.Rect(HeadX - 5, 30, 10, 3, Skin);
    for (qreal x = HeadX - 5; x < HeadX + 5; x += 2)
        a.Rect(x, 32, 1, 1, White);
    a.Rect(face, 17, 11, 10, Skin);
    a.Rect(face + 9, 18, 2, 8, SkinShade);
    Features(a, face, 16, Ochre, true);
    a.Rect(face + 1, 22, 2, 1, SkinShade);
    // Crown on top of the hair.
    a.Polygon({At(face + 1, 16), At(face + 1, 11), At(face + 3.5, 13), At(HeadX, 9.5),
               At(face + 7.5, 13), At(face + 10, 11), At(face + 10, 16)},
              Gold);
    a.Rect(face + 1, 15, 9, 1, Ochre);
    a.Rect(HeadX - 1, 13, 2, 2, Red);
    // A rose held at the left.
    a.Line(At(22 + r, 47), At(22.5 + r, 27), 1, Green);
    a.Polygon({At(22.5 + r, 35), At(17.5 + r, 31.5), At(22.5 + r, 33)}, Green);
    a.Ellipse(At(22.5 + r, 25.5), 3.2, 3, Red);
    a.Rect(21.5 + r, 24.5, 2, 1, DarkRed);
    a.Rect(22.5 + r, 25.5, 1, 1, DarkRed);
    Arm(a, At(26 + r, 36), At(22.5 + r, 42), dress);
    SuitMark(a, Suit);
}

void DrawJack(TArtist& a, TSuit Suit) {
    const TDress dress = DressOf(Suit);
    const qreal face = HeadX - 5.5;
    // Halberd at the right: a staff with an axe blade and a spike.
    a.Rect(47.5, 12, 1.5, 36, Brown);
    a.Polygon({At(48.25, 9), At(49.5, 13), At(47, 13)}, Silver);
    QPainterPath blade;
    blade.moveTo(49, 14);
    blade.quadTo(55, 14, 55, 19);
    blade.quadTo(52, 20, 49, 22);
    blade.closeSubpath();
    a.Fill(blade, Silver);
    a.Line(blade, 0.9, Grey);
    Robe(a, dress, 30);
    // A white collar.
    a.Polygon(
        {At(HeadX - 6, 29), At(HeadX + 6, 29), At(HeadX + 4, 33), At(HeadX, 31), At(HeadX - 4, 33)},
        White);
    Arm(a, At(44, 35), At(48.25, 42), dress);
    // Brown hair falling to the collar.
    QPainterPath hair;
    hair.addRoundedRect(QRectF(face - 2.5, 15, 16, 14), 4, 4);
    a.Fill(hair, Brown);
    a.Rect(face, 18, 11, 10, Skin);
    a.Rect(face + 9, 19, 2, 8, SkinShade);
    Features(a, face, 18, Brown, false);
    // Cap with a band and a feather.
    a.Ellipse(At(HeadX, 15), 9, 4.5, dress.Panel);
    a.Rect(face - 2, 16.5, 15, 2, dress.Trim);
    QPainterPath feather;
    feather.moveTo(HeadX + 4, 13);
    feather.quadTo(HeadX + 10, 11, HeadX + 12, 6);
    a.Line(feather, 2, White);
    SuitMark(a, Suit);
}

void Frame(TArtist& a, const TCourtLayout& Layout) {
    const int x = Layout.NotchX, y = Layout.NotchY;
    a.Rect(x, FrameTop, FrameRight - x + 1, 1, Black);
    if (y != FrameTop) {
        a.Rect(x, FrameTop, 1, y - FrameTop, Black);
        a.Rect(FrameLeft, y, x - FrameLeft + 1, 1, Black);
    }
    a.Rect(FrameLeft, y, 1, CardHeight - FrameTop - y, Black);
    a.Rect(FrameRight, FrameTop, 1, CardHeight - 2 * FrameTop, Black);
}

} // namespace

QImage DrawCourt(TSuit Suit, int Rank) {
    const TCourtLayout layout = CourtLayout();
    TFineCanvas canvas(CardWidth, CardHeight, White);
    {
        TArtist a(canvas.Painter());
        const QRectF inside(FrameLeft + 1, FrameTop + 1, FrameRight - FrameLeft - 1,
                            HalfLine - FrameTop - 1);
        a.Painter().setClipRect(inside);
        if (layout.NotchY != FrameTop) {
            QPainterPath notch;
            notch.addRect(QRectF(FrameLeft, FrameTop, layout.NotchX + 1 - FrameLeft,
                                 layout.NotchY + 1 - FrameTop));
            QPainterPath open;
            open.addRect(inside);
            a.Painter().setClipPath(open.subtracted(notch));
        }
        if (Rank == 13)
            DrawKing(a, Suit);
        else if (Rank == 12)
            DrawQueen(a, Suit);
        else
            DrawJack(a, Suit);
        a.Painter().setClipping(false);
        Frame(a, layout);
    }
    QImage card = canvas.Result();
    MirrorTopHalf(card);
    DrawCornerIndices(card, Suit, Rank);
    return card;
}

} // namespace cardgen
