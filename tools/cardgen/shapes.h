// Vector shapes of the card set: suit symbols, the glyphs of ranks and digits and the joker's
// mark. Everything is defined here in code, so no installed font takes part in any picture.
#pragma once

#include <QPainterPath>
#include <QRectF>
#include <QString>

namespace cardgen {

enum class TSuit { Club, Diamond, Heart, Spade };

constexpr bool IsRed(TSuit Suit) {
    return Suit == TSuit::Diamond || Suit == TSuit::Heart;
}

// The suit symbol, about one unit wide and centred on the origin, pointing up.
QPainterPath SuitPath(TSuit Suit);

// Path scaled uniformly to fit Box and centred in it.
QPainterPath FitPath(const QPainterPath& Path, const QRectF& Box);

// How strokes of the vector glyphs are drawn: each glyph cell is Height high and Width wide
// ("1" is narrower), glyphs are Gap apart.
struct TGlyphStyle {
    qreal Height = 10;
    qreal Width = 7;
    qreal Stroke = 2;
    qreal Gap = 1;
};

// The filled outline of Text (digits and the ranks A, J, Q, K) with its top-left corner at the
// origin. Characters without a glyph are left out.
QPainterPath TextPath(const QString& Text, const TGlyphStyle& Style);
qreal TextWidth(const QString& Text, const TGlyphStyle& Style);

// The rank as printed in the corners: "A", "2" to "10", "J", "Q", "K" for ranks 1 to 13.
QString RankText(int Rank);

// A jester's cap with three bells, filling the unit square.
QPainterPath JokerMarkPath();

} // namespace cardgen
