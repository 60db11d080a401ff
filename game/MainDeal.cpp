// Dealing a game, and fitting the piles and the deck to one or two decks.

#include "DaysDeal.h"
#include "Main.h"
#include "StringRes.h"
#include "kscarddeck.h"
#include "kscardgroup.h"
#include "kscardtable.h"
#include "ksdialogs.h"
#include "ksrandom.h"
#include "ksvirtualdeck.h"

#include <QGuiApplication>
#include <QTimer>
#include <array>
#include <utility>

namespace {

constexpr int PileEntries = 21;       // a pile's dealable entries with one deck
constexpr int SecondDeckEntries = 26; // added to each pile for two decks

// Shows the hourglass for its lifetime.
class TWaitCursor {
public:
    TWaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~TWaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    TWaitCursor(const TWaitCursor&) = delete;
    TWaitCursor& operator=(const TWaitCursor&) = delete;
};

void SetAllRanks(TKsIncludedCards& Cards, uint8_t Count) {
    for (int suit = 1; suit <= 4; ++suit)
        Cards.GetSuit(suit).SetAllRanks(Count);
}

void ReserveBeyondSingleDeck(TKsCardGroup* Pile, bool Reserved) {
    for (int i = PileEntries; i < Pile->Count(); ++i)
        Pile->GetCard(i)->SetReserved(Reserved);
}

} // namespace

void TMainForm::DealBtnClick() {
    if (DealTaken && DealTaken())
        return;
    Deal(std::nullopt);
}

void TMainForm::DealNumbered(uint64_t Number) {
    Deal(Number, TDealKind::Chosen);
}

void TMainForm::Deal(std::optional<uint64_t> Number, TDealKind Kind) {
    FOpponent->Stop();
    AnnounceAbandoned();
    FGameRunning = false;
    Deck->SetDeckEmpty(false);
    ShowWaitSign(WaitSign1, false);
    ShowWaitSign(WaitSign2, false);
    FCardsToWin = FDeckCount == 1 ? 25 : 51;
    FHumanPlayed = 0;
    FComputerPlayed = 0;
    FHumanStuck = FComputerStuck = false;
    FTable1Busy = FTable2Busy = false;
    FHumanWon = FComputerWon = false;
    FStuckWinnerReported = false;
    FFumble.Release(); // a fumble at the end of the last deal does not hold up this one
    FDealtHeadToHead = FHeadToHead;
    Play1Pile->SetTable(CardTable1);
    Play2Pile->SetTable(CardTable2);

    // Each side is dealt from its own shuffle of the full deck; both follow from the number.
    FDealNumber = Number.value_or(KsClockMilliseconds());
    ShowDealNumber();
    const TKsDealNumber numbered(FDealNumber);
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
    Deck->SetDeckEmpty(true);
    Play1Pile->SetTable(TempTable1);
    Play2Pile->SetTable(TempTable2);

    // A deal that can be played again and again until it scores well has no place among the
    // best: a chosen one, or the day's deal after its first try of the day.
    FDealKind = Kind;
    FDealDay = Kind == TDealKind::Day ? DayKey(Today()) : 0;
    const TDaysDealStats& day = Statistics().DaysDeal();
    const bool barred =
        Kind == TDealKind::Chosen ||
        (Kind == TDealKind::Day && day.Day == FDealDay && day.Deal == int32_t(FDealNumber));
    if (FScoring == 0) {
        FGameScore = -1;
        FFameRecorded = false;
        FNewSession = false;
        FFameBarred = barred;
    } else if (FNewSession) {
        FNewSession = false;
        FGameScore = -LasVegasStake(FDeckCount) - 1;
        FFameBarred = barred;
    } else {
        FGameScore = FGameScore - LasVegasStake(FDeckCount) - 1;
        FFameBarred = FFameBarred || barred;
    }
    UpdateScoreLabel();

    const int serial = ++FDealSerial;
    KsMessageDlg(StringRes::ReadyToStart(), mtInformation, {mbOK});
    if (serial != FDealSerial)
        return;
    Announce(TGameEvent::Dealt(FDealNumber));

    FGameRunning = true;
    FGameStart = StatsClockMilliseconds();
    FindStuck();
    if (FHumanStuck && FComputerStuck && !FRefereeElsewhere)
        TurnOverPiles();
    else
        StartComputer();
}

void TMainForm::StartGameClock() {
    FGameStart = StatsClockMilliseconds();
}

void TMainForm::AbandonGame() {
    ++FDealSerial;
    FOpponent->Stop();
    AnnounceAbandoned();
    FGameRunning = false;
    ShowWaitSign(WaitSign1, false);
    ShowWaitSign(WaitSign2, false);
}

void TMainForm::SetUpDeckSize() {
    if (FDeckCount == 1) {
        Deck->SetDeckType(dcSingle);
        ReserveBeyondSingleDeck(Play1Pile, true);
        ReserveBeyondSingleDeck(Play2Pile, true);
        SetAllRanks(VirtualDeck->IncludedCards(), 1);
        return;
    }
    Deck->SetDeckType(dcDouble);
    // A match's deck is the host's choice, and a box open in the middle of the match's messages
    // would hold up the link until the friend gives up on this side.
    if (!FHeadToHead)
        KsMessageDlg(StringRes::CreatingSecondDeck(), mtWarning, {mbOK});
    {
        TWaitCursor hourglass;
        if (Play2Pile->Count() <= PileEntries) {
            for (int i = 0; i < SecondDeckEntries; ++i)
                for (TKsCardGroup* pile : {Play1Pile, Play2Pile})
                    pile->CardList().Add().Card().SetEmpty(true);
        } else {
            ReserveBeyondSingleDeck(Play1Pile, false);
            ReserveBeyondSingleDeck(Play2Pile, false);
        }
    }
    SetAllRanks(VirtualDeck->IncludedCards(), 2);
}
