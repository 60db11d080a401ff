#include "shapes.h"

#include <QPainterPathStroker>
#include <QTransform>
#include <cmath>

namespace cardgen {

namespace {

// Point where the line from Outside touches the circle (Centre, Radius), on the side away
// from the vertical axis through the origin.
QPointF OuterTangent(QPointF Centre, qreal Radius, QPointF Outside) {
    const QPointF d = Outside - Centre;
    const qreal dist = std::hypot(d.x(), d.y());
    const qreal base = std::atan2(d.y(), d.x());
    const qreal spread = std::acos(Radius / dist);
    const QPointF a = Centre + Radius * QPointF(std::cos(base + spread), std::sin(base + spread));
    const QPointF b = Centre + Radius * QPointF(std::cos(base - spread), std::sin(base - spread));
    return std::abs(a.x()) > std::abs(b.x()) ? a : b;
}

QPainterPath Circle(QPointF Centre, qreal Radius) {
    QPainterPath path;
    path.addEllipse(Centre, Radius, Radius);
    return path;
}

// Two round lobes side by side running to a point: the body of hearts and spades.
QPainterPath Lobes(qreal LobeY, qreal Radius, qreal TipY) {
    const QPointF left(-0.25, LobeY);
    const QPointF right(0.25, LobeY);
    const QPointF tip(0, TipY);
    QPainterPath body = Circle(left, Radius).united(Circle(right, Radius));
    QPainterPath wedge;
    wedge.moveTo(tip);
    wedge.lineTo(OuterTangent(right, Radius, tip));
    wedge.lineTo(right);
    wedge.lineTo(left);
    wedge.lineTo(OuterTangent(left, Radius, tip));
    wedge.closeSubpath();
    return body.united(wedge);
}

// The flared foot of clubs and spades.
QPainterPath Stem(qreal Top, qreal Bottom, qreal Foot) {
    QPainterPath stem;
    stem.moveTo(-0.09, Top);
    stem.quadTo(-0.07, Bottom - 0.12, -Foot, Bottom);
    stem.lineTo(Foot, Bottom);
    stem.quadTo(0.07, Bottom - 0.12, 0.09, Top);
    stem.closeSubpath();
    return stem;
}

} // namespace

QPainterPath SuitPath(TSuit Suit) {
    QPainterPath path;
    switch (Suit) {
    case TSuit::Heart:
        path = Lobes(-0.2, 0.255, 0.52);
        break;
    case TSuit::Spade:
        path = Lobes(0.1, 0.255, -0.56).united(Stem(0.12, 0.55, 0.22));
        break;
    case TSuit::Club: {
        // Three lobes that only just touch, so the notches between them stay visible.
        const qreal r = 0.225;
        path = Circle({0, -0.3}, r)
                   .united(Circle({-0.275, 0.1}, r))
                   .united(Circle({0.275, 0.1}, r))
                   .united(Circle({0, 0.02}, 0.11))
                   .united(Stem(0.05, 0.55, 0.22));
        break;
    }
    case TSuit::Diamond:
        // Slightly hollow sides, as the printed diamond has.
        path.moveTo(0, -0.56);
        path.quadTo(0.18, -0.25, 0.42, 0);
        path.quadTo(0.18, 0.25, 0, 0.56);
        path.quadTo(-0.18, 0.25, -0.42, 0);
        path.quadTo(-0.18, -0.25, 0, -0.56);
        path.closeSubpath();
        break;
    }
    return path.simplified();
}

QPainterPath FitPath(const QPainterPath& Path, const QRectF& Box) {
    const QRectF bounds = Path.boundingRect();
    const qreal scale = std::min(Box.width() / bounds.width(), Box.height() / bounds.height());
    QTransform t;
    t.translate(Box.center().x(), Box.center().y());
    t.scale(scale, scale);
    t.translate(-bounds.center().x(), -bounds.center().y());
    return t.map(Path);
}

namespace {

// Centre lines of the glyphs in a unit cell, y downwards.
QPainterPath GlyphLines(QChar C) {
    QPainterPath p;
    switch (C.unicode()) {
    case 'A':
        p.moveTo(0, 1);
        p.lineTo(0, 0.375);
        p.lineTo(0.5, 0);
        p.lineTo(1, 0.375);
        p.lineTo(1, 1);
        p.moveTo(0, 0.625);
        p.lineTo(1, 0.625);
        break;
    case '0':
        p.addEllipse(QRectF(0, 0, 1, 1));
        break;
    case '1':
        p.moveTo(0, 0.22);
        p.lineTo(1, 0);
        p.lineTo(1, 1);
        break;
    case '2':
        p.moveTo(0, 0.25);
        p.cubicTo(0.05, -0.06, 1, -0.08, 1, 0.3);
        p.cubicTo(1, 0.55, 0.2, 0.72, 0, 1);
        p.lineTo(1, 1);
        break;
    case '3':
        p.moveTo(0, 0.12);
        p.cubicTo(0.25, -0.06, 1, -0.05, 0.95, 0.26);
        p.cubicTo(0.92, 0.45, 0.6, 0.47, 0.35, 0.47);
        p.cubicTo(0.7, 0.47, 1, 0.55, 1, 0.74);
        p.cubicTo(1, 1.06, 0.25, 1.06, 0, 0.88);
        break;
    case '4':
        p.moveTo(0.78, 1);
        p.lineTo(0.78, 0);
        p.lineTo(0, 0.68);
        p.lineTo(1, 0.68);
        break;
    case '5':
        p.moveTo(0.95, 0);
        p.lineTo(0.08, 0);
        p.lineTo(0.03, 0.45);
        p.cubicTo(0.3, 0.36, 1, 0.35, 1, 0.7);
        p.cubicTo(1, 1.05, 0.2, 1.05, 0, 0.88);
        break;
    case '6':
        p.moveTo(0.92, 0.04);
        p.cubicTo(0.35, -0.08, 0, 0.25, 0, 0.7);
        p.addEllipse(QRectF(0, 0.42, 1, 0.58));
        break;
    case '7':
        p.moveTo(0, 0);
        p.lineTo(1, 0);
        p.cubicTo(0.6, 0.35, 0.4, 0.6, 0.35, 1);
        break;
    case '8':
        p.addEllipse(QRectF(0.08, 0, 0.84, 0.46));
        p.addEllipse(QRectF(0, 0.46, 1, 0.54));
        break;
    case '9':
        p = QTransform(-1, 0, 0, -1, 1, 1).map(GlyphLines(QLatin1Char('6')));
        break;
    case 'J':
        p.moveTo(0.3, 0);
        p.lineTo(1, 0);
        p.moveTo(0.82, 0);
        p.lineTo(0.82, 0.68);
        p.cubicTo(0.82, 1.05, 0.05, 1.05, 0, 0.7);
        break;
    case 'Q':
        p.addEllipse(QRectF(0, 0, 1, 1));
        p.moveTo(0.55, 0.7);
        p.lineTo(1, 1.02);
        break;
    case 'K':
        p.moveTo(0, 0);
        p.lineTo(0, 1);
        p.moveTo(1, 0);
        p.lineTo(0.04, 0.62);
        p.moveTo(0.36, 0.42);
        p.lineTo(1, 1);
        break;
    default:
        break;
    }
    return p;
}

qreal CellWidth(QChar C, const TGlyphStyle& Style) {
    return C == QLatin1Char('1') ? Style.Width * 0.5 : Style.Width;
}

} // namespace

QPainterPath TextPath(const QString& Text, const TGlyphStyle& Style) {
    QPainterPathStroker stroker;
    stroker.setWidth(Style.Stroke);
    stroker.setCapStyle(Qt::SquareCap);
    stroker.setJoinStyle(Qt::MiterJoin);
    stroker.setMiterLimit(1.5);
    const qreal inset = Style.Stroke / 2;
    QPainterPath out;
    qreal x = 0;
    for (const QChar c : Text) {
        const qreal w = CellWidth(c, Style);
        QTransform t;
        t.translate(x + inset, inset);
        t.scale(std::max(w - Style.Stroke, qreal(0)), Style.Height - Style.Stroke);
        const QPainterPath lines = t.map(GlyphLines(c));
        if (!lines.isEmpty())
            out.addPath(stroker.createStroke(lines));
        x += w + Style.Gap;
    }
    out.setFillRule(Qt::WindingFill);
    return out;
}

qreal TextWidth(const QString& Text, const TGlyphStyle& Style) {
    qreal width = 0;
    for (const QChar c : Text)
        width += CellWidth(c, Style) + Style.Gap;
    return Text.isEmpty() ? 0 : width - Style.Gap;
}

QString RankText(int Rank) {
    switch (Rank) {
    case 1:
        return QStringLiteral("A");
    case 11:
        return QStringLiteral("J");
    case 12:
        return QStringLiteral("Q");
    case 13:
        return QStringLiteral("K");
    default:
        return QString::number(Rank);
    }
}

QPainterPath JokerMarkPath() {
    // A jester's cap: two points arching out of the crown and drooping to the sides, a bell at
    // each tip, over a band. United piece by piece, so the pieces' windings cannot cancel.
    QPainterPath arch(QPointF(0.5, 0.62));
    arch.quadTo(0.28, -0.2, 0.12, 0.6);
    QPainterPathStroker stroker;
    stroker.setWidth(0.15);
    stroker.setCapStyle(Qt::FlatCap);
    const QPainterPath left = stroker.createStroke(arch).simplified();
    QPainterPath crown;
    crown.addPolygon(QPolygonF({{0.34, 0.96}, {0.4, 0.5}, {0.6, 0.5}, {0.66, 0.96}}));
    crown.closeSubpath();
    QPainterPath cap = left.united(QTransform(-1, 0, 0, 1, 1, 0).map(left)).united(crown);
    for (const QPointF bell : {QPointF(0.11, 0.8), QPointF(0.89, 0.8)}) {
        QPainterPath ball;
        ball.addEllipse(bell, 0.12, 0.17);
        cap = cap.united(ball);
    }
    return cap;
}

} // namespace cardgen
