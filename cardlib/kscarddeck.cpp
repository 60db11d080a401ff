#include "kscarddeck.h"

#include "kscardimages.h"

TKsCardDeck::TKsCardDeck(QWidget* Owner) : TKsCustomCardControl(Owner) {
    FCardLast = std::make_unique<TKsSingleCard>(this, &Surface());
    SetEnabled(false); // drawn once, when in its place
    FCardLast->SetShowBack(false);
    SetEnabled(true);
    FCardLast->SetPosition(0);
    FCardFirst = std::make_unique<TKsSingleCard>(this, &Surface());
    FCardFirst->SetPosition(1);
    resize(Surface().Width(), Surface().Height());
    SetEmpty(false);
}

TKsCardDeck::~TKsCardDeck() {
    FCardFirst.reset();
    FCardLast.reset();
}

void TKsCardDeck::SetCardBack(TKsCardBackType Value) {
    TKsCustomCardControl::SetCardBack(Value);
    FCardLast->SetCardBack(Value);
    FCardFirst->SetCardBack(Value);
}

void TKsCardDeck::SetShowBack(bool Value) {
    TKsCustomCardControl::SetShowBack(Value);
    FCardLast->SetShowBack(false);
    FCardFirst->SetShowBack(Value);
}

void TKsCardDeck::SetShowLastCard(bool Value) {
    FShowLastCard = Value;
    RedrawAll(false);
}

void TKsCardDeck::SetDeckEmptyCardBack(TKsCardBackType Value) {
    FDeckEmptyCardBack = Value;
    if (FDeckEmpty)
        RedrawAll(false);
}

void TKsCardDeck::SetDeckEmpty(bool E) {
    FDeckEmpty = E;
    if (!E)
        FLayers = FDeckType == dcSingle ? 3 : 12;
    RedrawAll(false);
}

void TKsCardDeck::SetDeckType(TKsVisualDeckType T) {
    FDeckType = T;
    if (T == dcDouble) {
        SetLayers(12);
        return;
    }
    // The strip held the upper part of the wider double stack.
    if (Enabled())
        Surface().Fill({16, 0, Surface().Width(), 20});
    SetLayers(3);
}

void TKsCardDeck::SetLayers(int32_t L) {
    if (L >= 0) {
        FLayers = L;
        RedrawAll(false);
    } else if (FExhausted) {
        SetDeckEmpty(true);
        SetDeckType(FDeckType);
    }
}

void TKsCardDeck::RedrawAll(bool Direct) {
    if (!Enabled())
        return;
    FCardLast->Draw(Direct);
    FCardFirst->Draw(Direct);
}

void TKsCardDeck::Loaded() {
    TKsCustomCardControl::Loaded();
    if (AutoEmpty())
        SetDeckEmpty(true);
}

void TKsCardDeck::DrawCard(TKsSingleCard& Card, bool Direct) {
    const int32_t p = Card.Position();
    if (p != 0 && p != 1)
        return;
    TKsSurface& s = Surface();
    const TKsCardImage* picture = Card.ShownImage();
    int32_t x = 0, y = 0;

    if (p == 0) {
        if (FDeckType == dcSingle) {
            s.SetWidth(103);
            s.SetHeight(104);
        } else {
            s.SetWidth(139);
            s.SetHeight(96);
        }
        if (!FDeckEmpty && !FShowLastCard)
            s.Fill({0, 0, 16, 96});
        if (FShowLastCard && !FDeckEmpty && picture) {
            s.CopyImage(*picture, {0, 0, 16, 96}, {0, 0, 16, 96});
            if (Card.Negative())
                s.Invert({0, 0, 16, 96});
        }
    } else if (FDeckEmpty) {
        s.Fill({0, 0, 16, 96});
        if (const TKsCardImage* empty = CardImage(BackImageNumber(FDeckEmptyCardBack)))
            s.CopyImage(*empty, {0, 0, 71, 96}, {16, 0, 87, 96});
        s.Fill({87, 0, s.Width(), s.Height()});
        s.Fill({16, 96, s.Width(), s.Height()});
    } else {
        x = 16;
        const TKsCardImage* back = Card.BackImage();
        for (int32_t sliver = 0; sliver <= FLayers && back; ++sliver) {
            s.CopyImage(*back, {0, 0, 4, 96}, {x, y, x + 4, y + 96});
            if (FDeckType == dcSingle) {
                s.CopyImage(*back, {0, 0, 71, 2}, {x, y, x + 71, y + 2});
                y += 2;
            }
            x += 4;
        }
        if (picture)
            s.CopyImage(*picture, {0, 0, 71, 96}, {x, y, x + 71, y + 96});
        if (Card.Negative())
            s.Invert({x, y, x + 71, y + 96});
        s.Fill({x + 71, 0, s.Width(), s.Height()});
        s.Fill({16, y + 96, s.Width(), s.Height()});
    }

    Card.SetCardRect({x, y, x + KsCardWidth, y + KsCardHeight});
    if (Direct)
        Invalidate();
    else if (p == 0)
        PaintRect({0, 0, s.Width() - 71, s.Height()}, &Card);
    else
        PaintRect({x - 4 * FLayers - 4, 0, s.Width(), s.Height()}, &Card);
}
