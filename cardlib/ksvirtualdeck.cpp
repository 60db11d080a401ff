#include "ksvirtualdeck.h"

#include "ksbusy.h"
#include "kscarddeck.h"
#include "ksrandom.h"
#include "kssinglecard.h"

#include <algorithm>
#include <iterator>
#include <utility>

TKsVirtualDeck::TKsVirtualDeck(QObject* Owner) : QObject(Owner), FCards(52, 0) {}

void TKsVirtualDeck::SetVisualDeck(TKsCardDeck* Deck) {
    FVisualDeck = Deck;
    UpdateOrigin();
}

void TKsVirtualDeck::UpdateOrigin() const {
    if (!FVisualDeck)
        return;
    FOriginX = FVisualDeck->x() + FVisualDeck->width() - 70;
    FOriginY = FVisualDeck->y() + FVisualDeck->height() - 95;
}

int32_t TKsVirtualDeck::OriginX() const {
    UpdateOrigin();
    return FOriginX;
}

int32_t TKsVirtualDeck::OriginY() const {
    UpdateOrigin();
    return FOriginY;
}

void TKsVirtualDeck::SetCustomDeckFileName(const QString& Name) {
    FCustomDeckFileName = Name;
    if (Name.isEmpty())
        FCustomDeck = false;
}

void TKsVirtualDeck::SetCustomDeck(bool Value) {
    if (Value) {
        FSavedShuffleCount = FShuffleCount;
        FCustomDeck = true;
        ReadCustomDeck();
    } else {
        FCustomDeck = false;
        FShuffleCount = FSavedShuffleCount;
    }
}

void TKsVirtualDeck::ReadCustomDeck() {
    TKsCustomDeckBlock block{};
    if (LoadCustomDeck(FCustomDeckFileName, FCustomCards, FDeckSize, block, FShuffleCount))
        FCustomCount = FDeckSize;
    else
        FCustomDeck = false;
}

void TKsVirtualDeck::Loaded() {
    TKsComponent::Loaded();
    FSavedShuffleCount = FShuffleCount;
    if (FCustomDeck)
        ReadCustomDeck();
}

void TKsVirtualDeck::PrepareDeck() {
    TKsBusyGuard busy;
    KsRandomize();
    int32_t n = FIncludedCards.CardCount();
    std::vector<int32_t> custom;
    if (FCustomDeck) {
        // Only the places the file counts hold cards, and only IDs 2 to 55 are cards: a
        // composition larger than that takes no more, so no ID 0 is ever handed out.
        const int32_t listed = std::clamp(FCustomCount, 0, KsCustomDeckPlaces);
        std::copy_if(FCustomCards.begin(), FCustomCards.begin() + listed,
                     std::back_inserter(custom), [](int32_t ID) { return ID >= 2 && ID <= 55; });
        n = std::min(n, static_cast<int32_t>(custom.size()));
    }
    FDeckSize = n;
    if (static_cast<int32_t>(FCards.size()) != n)
        FCards.resize(static_cast<size_t>(n));
    if (FCustomDeck)
        std::copy_n(custom.begin(), n, FCards.begin());
    else
        FIncludedCards.FillDeck(FCards);

    for (int32_t pass = 0; pass < FShuffleCount; ++pass)
        for (int32_t i = 0; i < n; ++i)
            std::swap(FCards[static_cast<size_t>(i)], FCards[static_cast<size_t>(KsRandom(n))]);

    FTopIndex = static_cast<int32_t>(FCards.size()) - 1;
    FPrepared = true;
    if (FVisualDeck && !FCards.empty()) {
        FVisualDeck->CardLast().SetID(FCards.front());
        FVisualDeck->CardFirst().SetID(FCards.back());
        FVisualDeck->SetDeckEmpty(false);
        FVisualDeck->SetExhausted(false);
    }
    if (AfterPrepareDeck)
        AfterPrepareDeck(this);
}

namespace {

bool RemovesLayerAt(int32_t DeckSize, int32_t TopIndex) {
    if (DeckSize <= 52)
        return TopIndex == 38 || TopIndex == 25 || TopIndex == 12 || TopIndex == 0;
    if (DeckSize <= 1000)
        return TopIndex >= 0 && TopIndex <= 96 && TopIndex % 8 == 0;
    return false;
}

} // namespace

int32_t TKsVirtualDeck::NextCard() {
    TKsBusyGuard busy;
    // A deck never prepared holds no card IDs yet, only its initial zeros.
    if (!FPrepared)
        return -1;
    int32_t result = -1;
    if (FTopIndex >= 0 && FTopIndex < static_cast<int32_t>(FCards.size())) {
        result = FCards[static_cast<size_t>(FTopIndex)];
        if (Drawn)
            result = Drawn(result);
        if (FVisualDeck) {
            FVisualDeck->CardFirst().SetID(result);
            FCards.pop_back();
            if (RemovesLayerAt(FDeckSize, FTopIndex))
                FVisualDeck->RemoveLayer();
        }
    }
    --FTopIndex;
    if (FTopIndex < 0) {
        if (FVisualDeck) {
            FVisualDeck->SetExhausted(true);
            if (!FVisualDeck->DeckEmpty()) {
                do
                    FVisualDeck->RemoveLayer();
                while (FVisualDeck->Layers() != 0);
            }
        }
        FCards.clear();
        FTopIndex = -1;
    }
    return result;
}
