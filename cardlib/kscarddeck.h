#pragma once
// The visual deck: a stack of card backs with the top card on it, the bottom card peeking out
// at the left, and a picture of its own once the deck is empty.

#include "kscustomcardcontrol.h"
#include "kssinglecard.h"

#include <memory>

class TKsCardDeck : public TKsCustomCardControl {
    Q_OBJECT
public:
    explicit TKsCardDeck(QWidget* Owner);
    ~TKsCardDeck() override;

    TKsSingleCard& CardFirst() { return *FCardFirst; }
    TKsSingleCard& CardLast() { return *FCardLast; }
    const TKsSingleCard& CardFirst() const { return *FCardFirst; }
    const TKsSingleCard& CardLast() const { return *FCardLast; }
    void SetCardFirst(const TKsSingleCard& Card) { FCardFirst->Assign(&Card); }
    void SetCardLast(const TKsSingleCard& Card) { FCardLast->Assign(&Card); }

    TKsVisualDeckType DeckType() const { return FDeckType; }
    void SetDeckType(TKsVisualDeckType T);
    bool ShowLastCard() const { return FShowLastCard; }
    void SetShowLastCard(bool Value);
    bool DeckEmpty() const { return FDeckEmpty; }
    void SetDeckEmpty(bool E);
    int32_t Layers() const { return FLayers; }
    void SetLayers(int32_t L);
    void RemoveLayer() { SetLayers(FLayers - 1); }
    bool Exhausted() const { return FExhausted; }
    void SetExhausted(bool Value) { FExhausted = Value; }
    TKsCardBackType DeckEmptyCardBack() const { return FDeckEmptyCardBack; }
    void SetDeckEmptyCardBack(TKsCardBackType Value);

    void SetCardBack(TKsCardBackType Value) override;
    void SetShowBack(bool Value) override;

    void RedrawAll(bool Direct) override;
    void DrawCard(TKsSingleCard& Card, bool Direct) override;
    void Loaded() override;

private:
    std::unique_ptr<TKsSingleCard> FCardFirst;
    std::unique_ptr<TKsSingleCard> FCardLast;
    TKsVisualDeckType FDeckType = dcSingle;
    bool FShowLastCard = true;
    bool FDeckEmpty = false;
    int32_t FLayers = 3;
    bool FExhausted = false;
    TKsCardBackType FDeckEmptyCardBack = cbO;
};
