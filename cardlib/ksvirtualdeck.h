#pragma once
// The logical deck: builds its card list from a composition (or a custom deck file), shuffles
// it and hands out cards from the top, keeping a linked visual deck in step.

#include "kscomponent.h"
#include "kscustomdeckfile.h"
#include "ksdeckcomposition.h"
#include "kstypes.h"

#include <QObject>
#include <functional>
#include <vector>

using TKsVirtualDeckNotifyEvent = std::function<void(TKsVirtualDeck* Sender)>;

class TKsVirtualDeck : public QObject, public TKsComponent {
    Q_OBJECT
public:
    explicit TKsVirtualDeck(QObject* Owner = nullptr);

    // Bottom of the deck first; the next card to hand out is at TopIndex.
    const std::vector<int32_t>& Cards() const { return FCards; }

    TKsIncludedCards& IncludedCards() { return FIncludedCards; }
    const TKsIncludedCards& IncludedCards() const { return FIncludedCards; }
    void SetIncludedCards(const TKsIncludedCards& Value) { FIncludedCards.Assign(&Value); }

    TKsCardDeck* VisualDeck() const { return FVisualDeck; }
    void SetVisualDeck(TKsCardDeck* Deck);

    TKsSprite* Sprite() const { return FSprite; }
    void SetSprite(TKsSprite* Value) { FSprite = Value; }

    const QString& CustomDeckFileName() const { return FCustomDeckFileName; }
    void SetCustomDeckFileName(const QString& Name);

    bool CustomDeck() const { return FCustomDeck; }
    void SetCustomDeck(bool Value);

    // Where a dealt card starts its flight; follows the visual deck's bounds when one is linked.
    int32_t OriginX() const;
    void SetOriginX(int32_t X) { FOriginX = X; }
    int32_t OriginY() const;
    void SetOriginY(int32_t Y) { FOriginY = Y; }

    int32_t TopIndex() const { return FTopIndex; }
    int32_t DeckSize() const { return FDeckSize; }
    int32_t ShuffleCount() const { return FShuffleCount; }
    void SetShuffleCount(int32_t Count) { FShuffleCount = Count; }
    bool DealAnimation() const { return FDealAnimation; }
    void SetDealAnimation(bool Value) { FDealAnimation = Value; }
    const TKsCustomCardList& CustomCards() const { return FCustomCards; }

    // Composes and shuffles the deck afresh, reseeding the random generator from the clock (or
    // a deal's number).
    void PrepareDeck();
    // The ID of the top card, which leaves the deck; -1 once the deck is exhausted, and
    // before the first PrepareDeck.
    int32_t NextCard();

    void Loaded() override;

    TKsVirtualDeckNotifyEvent AfterPrepareDeck;
    // Each card NextCard hands out passes through here and may be replaced: a table dealt
    // elsewhere lays the cards it was sent.
    std::function<int32_t(int32_t ID)> Drawn;

private:
    void ReadCustomDeck();
    void UpdateOrigin() const;

    std::vector<int32_t> FCards;
    TKsIncludedCards FIncludedCards;
    TKsCardDeck* FVisualDeck = nullptr;
    TKsSprite* FSprite = nullptr;
    int32_t FSavedShuffleCount = 0;
    QString FCustomDeckFileName;
    bool FCustomDeck = false;
    mutable int32_t FOriginY = 0;
    mutable int32_t FOriginX = 0;
    int32_t FTopIndex = 0;
    int32_t FDeckSize = 52;
    int32_t FShuffleCount = 0;
    bool FDealAnimation = true;
    TKsCustomCardList FCustomCards{};
    int32_t FCustomCount = 0; // places of FCustomCards the file fills
    bool FPrepared = false;
};
