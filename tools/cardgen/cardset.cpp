#include "cardset.h"

#include "raster.h"

namespace cardgen {

TMember MemberContent(int Member) {
    TMember m;
    if (Member >= 1 && Member <= 52) {
        static constexpr TSuit order[] = {TSuit::Club, TSuit::Diamond, TSuit::Heart, TSuit::Spade};
        m.Kind = TMemberKind::Face;
        m.Suit = order[(Member - 1) / 13];
        m.Rank = (Member - 1) % 13 + 1;
    } else if (Member == 53 || Member == 54) {
        m.Kind = TMemberKind::Joker;
        m.RedJoker = Member == 53;
    } else {
        m.Kind = TMemberKind::Back;
        m.Back = static_cast<TBack>(Member - 55);
    }
    return m;
}

QRgb TransparentColourOf(int Member) {
    return Member == MemberCount ? White : Transparent;
}

QImage DrawMember(int Member) {
    const TMember m = MemberContent(Member);
    switch (m.Kind) {
    case TMemberKind::Face:
        return m.Rank <= 10 ? DrawPipCard(m.Suit, m.Rank) : DrawCourt(m.Suit, m.Rank);
    case TMemberKind::Joker:
        return DrawJoker(m.RedJoker);
    case TMemberKind::Back:
        break;
    }
    return DrawBack(m.Back);
}

} // namespace cardgen
