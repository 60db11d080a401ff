// The party cycle of a table: clearing, preparing the deck and dealing.

#include "ksbusy.h"
#include "kscardgroup.h"
#include "kscardimages.h"
#include "kscardtable.h"
#include "ksvirtualdeck.h"

void TKsCardTable::ClearTable(bool AlsoGroups) {
    TKsBusyGuard busy;
    FTopCardPos = -1;
    FPlayedCards.clear();
    for (int p : {0, 1, 2, 3})
        CardAt(p)->SetEmpty(true);
    FNextPos = 3;
    FTopCardID = -1;
    FPrevCardID = -2;
    FLedSuit = stJoker;
    if (!AlsoGroups)
        return;
    for (int i = 0; i < PlayerCount(); ++i) {
        if (TKsCardGroup* group = FPlayerList->Items(i).CardGroup) {
            group->SetEmpty(true);
            group->EmptyAllCards();
            group->SetEmpty(false);
        }
    }
}

void TKsCardTable::PrepareDeck() {
    if (!FVirtualDeck)
        return;
    TKsBusyGuard busy;
    FCardsLeft = FVirtualDeck->DeckSize();
    FVirtualDeck->PrepareDeck();
    FTrumpPlayed = false;
}

int32_t TKsCardTable::DrawFromDeck() {
    return FVirtualDeck ? FVirtualDeck->NextCard() : -1;
}

void TKsCardTable::DealToGroup(TKsCardGroup* Group) {
    if (!FVirtualDeck || !Group)
        return;
    TKsBusyGuard busy;
    const int originX = FVirtualDeck->OriginX();
    const int originY = FVirtualDeck->OriginY();
    for (int i = 0; i < Group->Count(); ++i) {
        TKsSingleCard* entry = Group->GetCard(i);
        if (!entry || entry->Reserved())
            continue;
        const int32_t id = DrawFromDeck();
        if (id < 0)
            break;
        entry->SetID(id);
        const QPoint target = GroupEntryCorner(*Group, i);
        Fly(originX, originY, target.x(), target.y(),
            entry->ShowBack() ? CardLeft().BackImage() : CardImage(id));
        if (entry->Empty())
            entry->SetEmpty(false);
    }
}

void TKsCardTable::DealToPlayers(bool PassDeal) {
    TKsBusyGuard busy;
    for (int d = 0; d < PlayerCount(); ++d) {
        TKsCardGroup* dealer = FPlayerList->Items(d).CardGroup;
        if (!dealer || !dealer->Dealer())
            continue;
        FCurrentPlayer = NextPlayer(d);
        if (PassDeal) {
            dealer->SetDealer(false);
            if (TKsCardGroup* next = FPlayerList->Items(FCurrentPlayer).CardGroup)
                next->SetDealer(true);
            FCurrentPlayer = NextPlayer(FCurrentPlayer);
        }
        break;
    }
    FTrickCards = 0;
    int32_t p = FCurrentPlayer;
    for (int n = 0; n < PlayerCount(); ++n) {
        if (p >= 0 && p < PlayerCount())
            if (TKsCardGroup* group = FPlayerList->Items(p).CardGroup)
                DealToGroup(group);
        p = NextPlayer(p);
    }
    if (AfterDealingFinish)
        AfterDealingFinish(this);
    AutoPlayStep();
}

void TKsCardTable::DealToTable() {
    TKsBusyGuard busy;
    int32_t p = FNextPos;
    const int originX = FVirtualDeck ? FVirtualDeck->OriginX() : 0;
    const int originY = FVirtualDeck ? FVirtualDeck->OriginY() : 0;
    const int32_t closed = FGameOptions->TableCloseCards();
    const int32_t n = closed + FGameOptions->TableOpenCards();
    for (int32_t k = 1; k <= n; ++k) {
        const int32_t id = DrawFromDeck();
        if (id < 0)
            return;
        const bool faceDown = k <= closed;
        p = FNextPos;
        const QPoint corner = PositionOffset(p);
        if (FVirtualDeck)
            Fly(originX, originY, x() + corner.x(), y() + corner.y(),
                faceDown ? CardLeft().BackImage() : CardImage(id));
        PlaceCard(id, faceDown, nullptr);
    }
    if (AfterDealToTable)
        AfterDealToTable(this, PlayedCardsCount(), p, CardAt(p));
}
