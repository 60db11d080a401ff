// Laying out and drawing one entry of a card group.

#include "kscardgroup.h"
#include "kssinglecard.h"
#include "kssurface.h"

#include <algorithm>

namespace {

struct TLayout {
    int32_t Left, Top, SurfaceWidth, SurfaceHeight, W, H;
};

TLayout CascadeLayout(TKsCascadeSide Side, TKsCascadeStyle Style, int32_t T, int32_t P,
                      int32_t Last) {
    if (Side == csRight) {
        switch (Style) {
        case csNormal:
            return {76 * P, 0, 76 * Last + 71, 96, 71, 96};
        case csTight:
            return {T * P, 0, T * Last + 71, 96, T, 96};
        case csLoose:
            break;
        }
        return {38 * P, 0, 38 * Last + 71, 96, 38, 96};
    }
    switch (Style) {
    case csNormal:
        return {0, 101 * P, 71, 101 * Last + 96, 71, 96};
    case csTight:
        return {0, T * P, 71, T * Last + 96, 71, T};
    case csLoose:
        break;
    }
    return {0, 50 * P, 71, 50 * Last + 96, 71, 50};
}

} // namespace

void TKsCardGroup::DrawCard(TKsSingleCard& Card, bool Direct) {
    // While a window description is applied every added entry and setter would lay out and
    // redraw the whole cascade again; Loaded draws the result once.
    if (Loading())
        return;
    const int32_t p = Card.Position();
    const int32_t last = Count() - 1;
    const int32_t t = FTightness;
    const bool right = FCascadeSide == csRight;
    TLayout l = CascadeLayout(FCascadeSide, FCascadeStyle, t, p, last);
    TKsSurface& s = Surface();

    if (!FMeasuring) {
        s.SetHeight(l.SurfaceHeight);
        s.SetWidth(l.SurfaceWidth);
    }

    // A covered card also shows over the places of the empty entries after it.
    int32_t& extent = right ? l.W : l.H;
    const int32_t full = right ? KsCardWidth : KsCardHeight;
    if (p < last && GetCard(p + 1) && GetCard(p + 1)->Empty()) {
        if (FCascadeStyle == csTight) {
            const int32_t k = t == 0 ? full - 1 : full / t - 1;
            for (int32_t j = p + 1; j <= p + 1 + k; ++j) {
                const TKsSingleCard* follower = GetCard(j);
                if (!follower || !follower->Empty())
                    break;
                if (j == last)
                    extent = full;
                else
                    extent += t;
            }
            // Several empty followers may add up to more than one card.
            extent = std::min(extent, full);
        } else if (FCascadeStyle == csLoose) {
            extent = full;
        }
    }
    if (p == last) {
        l.W = KsCardWidth;
        l.H = KsCardHeight;
    }

    const TKsRect rect{l.Left, l.Top, l.Left + l.W, l.Top + l.H};
    Card.SetCardRect(rect);
    if (FMeasuring)
        return;

    if (Card.Empty()) {
        s.Fill(rect);
        // Positions are not renumbered when an entry goes, so entry P - 1 may be this card.
        if (TKsSingleCard* before = GetCard(p - 1);
            FCascadeStyle != csNormal && before && before != &Card)
            before->Draw(false);
    } else {
        if (const TKsCardImage* picture = Card.ShownImage())
            s.CopyImage(*picture, {0, 0, l.W, l.H}, rect);
        if (Card.Negative())
            s.Invert(rect);
    }

    if (FCascadeStyle == csNormal) {
        if (right)
            s.Fill({l.Left + 71, 0, l.Left + 76, 96});
        else
            s.Fill({0, l.Top + 96, 71, l.Top + 101});
    }

    if (Direct)
        Invalidate();
    else
        PaintRect({l.Left, l.Top, l.SurfaceWidth, l.SurfaceHeight}, &Card);

    if (p == last && !Card.Empty() && FSortStyle != soNone)
        SortCards(FSortStyle);
}
