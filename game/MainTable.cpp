// The card groups follow the core: each card the core lays, refills or turns over moves on the
// table as the card library moves it, and the score label shows the core's score.

#include "Main.h"
#include "SpeedDeal.h"
#include "kscardgroup.h"
#include "kscardtable.h"
#include "kssinglecard.h"
#include "ksvirtualdeck.h"

#include <QScopeGuard>
#include <utility>

void TMainForm::FollowGame(const TGameEvent& Event) {
    switch (Event.Kind) {
    case TGameEventKind::CardLaid: {
        const bool human = Event.Play.Side == TSide::Human;
        TKsCardGroup* slot = (human ? Play1Card : Play2Card)[size_t(Event.Play.Slot)];
        TKsCardTable* onto = Event.Play.Table == 1 ? CardTable1 : CardTable2;
        // A click only asks for the play: the group lays the card once the handler returns.
        const bool groupLays = std::exchange(FGroupLays, false);
        FGame.SetBusy(Event.Play.Table, true);
        const auto landed = qScopeGuard([this, &Event] { FGame.SetBusy(Event.Play.Table, false); });
        slot->SetTable(onto);
        onto->SetPlayPosition(2);
        if (!groupLays)
            slot->PlayCard(0, false, tpTop);
        break;
    }
    case TGameEventKind::SlotRefilled: {
        const bool human = Event.Play.Side == TSide::Human;
        TKsCardGroup* slot = (human ? Play1Card : Play2Card)[size_t(Event.Play.Slot)];
        TKsCardGroup* pile = human ? Play1Pile : Play2Pile;
        TKsCardTable* temp = human ? TempTable1 : TempTable2;
        slot->SetTable(temp);
        temp->SetPlayPosition(2);
        pile->PlayCard(TopPileEntry(pile), false, tpTop);
        temp->GiveCardTo(slot);
        break;
    }
    case TGameEventKind::PilesTurnedOver:
        FTurnedFrom = Event.TurnedFrom;
        Play1Pile->SetTable(CardTable1);
        Play2Pile->SetTable(CardTable2);
        TurnOverHuman();
        TurnOverComputer();
        // A card laid later is still refilled through the spare tables.
        Play1Pile->SetTable(TempTable1);
        Play2Pile->SetTable(TempTable2);
        break;
    case TGameEventKind::PileTopShown: {
        TKsCardGroup* pile = Event.Play.Side == TSide::Human ? Play1Pile : Play2Pile;
        if (const int32_t entry = TopPileEntry(pile); entry >= 0)
            pile->GetCard(entry)->SetID(Event.Play.Card);
        break;
    }
    case TGameEventKind::ScoreChanged:
        UpdateScoreLabel();
        break;
    default:
        break;
    }
}

void TMainForm::DealCards(const std::vector<int32_t>& Cards) {
    // The groups deal with their flights from the deck as ever; each card they draw is the
    // core's. A card not known here (the friend's face-down pile) stays the shuffle's.
    VirtualDeck->Drawn = [&Cards, drawn = size_t(0)](int32_t Shuffled) mutable {
        const int32_t card = drawn < Cards.size() ? Cards[drawn] : 0;
        ++drawn;
        return card != 0 ? card : Shuffled;
    };
    const auto done = qScopeGuard([this] { VirtualDeck->Drawn = nullptr; });
    std::array<TKsCardTable*, 2> tables{CardTable1, CardTable2};
    if (FDealMirrored)
        std::swap(tables[0], tables[1]);
    for (TKsCardTable* table : tables) {
        table->ClearTable(true);
        table->SetEmpty(true);
        table->PrepareDeck();
        // Each play moves the table's turn on; each deal starts at the pile again, so that a
        // number lays the same cards in the same places whatever was played before.
        table->SetCurrentPlayer(0);
        table->DealToPlayers(true);
        table->SetPlayPosition(2);
        table->DealToTable();
    }
}
