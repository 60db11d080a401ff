// Cards arriving on a table, and going back from it into a group.

#include "ksbusy.h"
#include "kscardgroup.h"
#include "kscardimages.h"
#include "kscardtable.h"
#include "kssprite.h"
#include "kswaittimer.h"

void TKsCardTable::AcceptCard(TKsSingleCard* Card, bool FaceDown, TKsCardGroup* Group) {
    TKsBusyGuard busy;
    const TKsGameOptions& options = *FGameOptions;
    const bool suitChecking = options.SuitChecking();
    const bool tableEmpty = FPlayedCards.empty();
    const TKsCardSuitType suit = Card->Suit();

    bool suitExists = false;
    if (suitChecking && tableEmpty)
        FLedSuit = suit;
    if (suitChecking)
        suitExists = Group && Group->FindSuit(FLedSuit) >= 0;
    bool accept = true;
    if (suitChecking && options.StrictSuitChecking() && tableEmpty && !FTrumpPlayed &&
        suit == options.Trump())
        accept = false;
    if (suitChecking && Group && !tableEmpty && suitExists && suit != FLedSuit)
        accept = false;
    if (suitChecking && accept && !tableEmpty && suit == options.Trump())
        FTrumpPlayed = true;
    if (BeforeAddCard)
        BeforeAddCard(this, Card, suitExists, accept);

    if (accept) {
        PlaceCard(Card->ID(), FaceDown, Group);
        FCurrentPlayer = NextPlayer(FCurrentPlayer);
        ++FTrickCards;
        if (FTrickCards == options.CardsPerTrick()) {
            FTrickCards = 0;
            if (FCardsLeft > 0) {
                if (AfterTrickFinish)
                    AfterTrickFinish(this);
            } else if (AfterPartyFinish) {
                AfterPartyFinish(this);
            }
        }
        AutoPlayStep();
    } else if (Group) {
        if (TKsSprite* sprite = Sprite())
            sprite->SetVisible(true);
        if (options.TakeDelay() > 0)
            Pause(options.TakeDelay());
        if (TKsSprite* sprite = Sprite())
            sprite->MoveBack();
        if (TKsSingleCard* own = Group->GetCard(Card->Position()))
            own->SetEmpty(false);
    }
}

void TKsCardTable::AutoPlayStep() {
    if (!FGameOptions->AutoPlay() || PlayerCount() == 0 || FCurrentPlayer < 0 ||
        FCurrentPlayer >= PlayerCount())
        return;
    if (TKsCardGroup* group = FPlayerList->Items(FCurrentPlayer).CardGroup)
        group->PlayTurn();
}

void TKsCardTable::PlaceCard(int32_t ID, bool FaceDown, TKsCardGroup* Group) {
    // The busy level ends and AfterAddCard is raised also when placing fails.
    auto finish = [&] {
        EndBusy();
        if (AfterAddCard)
            AfterAddCard(this, PlayedCardsCount(), FTopCardPos, CardAt(FTopCardPos), FTopCardID,
                         FPrevCardID, Group != nullptr);
    };
    BeginBusy();
    try {
        if (Empty())
            SetEmpty(false);
        TKsSingleCard* c = CardAt(FNextPos);
        c->SetSourceGroup(Group);
        c->SetShowBack(FaceDown);
        c->SetID(ID);
        // Setting an unchanged or face-down ID does not draw; the new card must end on top.
        if (c->Empty())
            c->SetEmpty(false);
        else
            c->Draw(false);
        FPrevCardID = FTopCardID;
        FTopCardID = ID;
        FTopCardPos = FNextPos;
        FNextPos = StepPos(FNextPos);
        FPlayedCards.push_back(ID);
        --FCardsLeft;
    } catch (...) {
        finish();
        throw;
    }
    finish();
}

QPoint TKsCardTable::GroupEntryCorner(TKsCardGroup& Group, int32_t Entry) const {
    const TKsSingleCard* card = Group.GetCard(Entry);
    const TKsRect r = card ? card->CardRect() : TKsRect{};
    return {Group.x() + r.Left, Group.y() + r.Top};
}

void TKsCardTable::Fly(int StartX, int StartY, int DestX, int DestY, const TKsCardImage* Image) {
    if (TKsSprite* sprite = Sprite())
        sprite->MoveBitmap(StartX, StartY, DestX, DestY, Image ? &Image->Image() : nullptr, false);
}

void TKsCardTable::GiveCardTo(TKsCardGroup* Group) {
    TKsBusyGuard busy;
    // Nothing to give, or nowhere to put it.
    if (!Group || FTopCardPos < 0 || Group->Count() == 0)
        return;
    if (FGameOptions->TakeDelay() > 0 && Group->Controller() == ctComputer)
        Pause(FGameOptions->TakeDelay());
    const int32_t slot = Group->FirstEmptyIndex();
    TKsSingleCard* top = CardAt(FTopCardPos);
    top->SetEmpty(true);
    RedrawCards();
    const QPoint target = GroupEntryCorner(*Group, slot);
    Fly(x() + top->CardRect().Left, y() + top->CardRect().Top, target.x(), target.y(),
        top->FaceImage());
    // An entry whose deletion is being announced holds no card.
    if (TKsSingleCard* entry = Group->GetCard(slot)) {
        entry->SetID(top->ID());
        if (entry->Empty())
            entry->SetEmpty(false);
    }
    if (!FPlayedCards.empty())
        FPlayedCards.pop_back();
    FNextPos = FTopCardPos;
    FTopCardPos = FTopCardPos == 3 ? 0 : FTopCardPos + 1;
}

void TKsCardTable::MouseUp(Qt::MouseButton Button, int X, int Y) {
    if (OnMouseUp)
        OnMouseUp(this, Button, X, Y);
    if (Busy())
        return;
    bool takeIt = false;
    {
        TKsBusyGuard busy;
        if (OnCardClick && FTopCardPos >= 0 && !CardAt(FTopCardPos)->Empty())
            OnCardClick(this, CardAt(FTopCardPos), takeIt);
        if (takeIt)
            GiveCardTo(HumanPlayer());
    }
}
