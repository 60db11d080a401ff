// Dealing a game, and fitting the piles and the deck to one or two decks.

#include "DaysDeal.h"
#include "Main.h"
#include "SpeedDeal.h"
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

void TMainForm::DealGiven(const std::vector<int32_t>& Cards) {
    Deal(0, TDealKind::Chosen, &Cards);
}

void TMainForm::Deal(std::optional<uint64_t> Number, TDealKind Kind,
                     const std::vector<int32_t>* Given) {
    FOpponent->Stop();
    StuckTimer->stop();
    AnnounceAbandoned();
    Deck->SetDeckEmpty(false);
    ShowWaitSign(WaitSign1, false);
    ShowWaitSign(WaitSign2, false);
    FDecisionTaken = false;
    FStuckWinnerReported = false;
    FFumble.Release(); // a fumble at the end of the last deal does not hold up this one
    FDealtHeadToHead = FHeadToHead;
    Play1Pile->SetTable(CardTable1);
    Play2Pile->SetTable(CardTable2);

    // Each side is dealt from its own shuffle of the full deck; both follow from the number.
    FDealNumber = Number.value_or(KsClockMilliseconds());
    ShowDealNumber();
    const std::vector<int32_t> cards = Given ? *Given : SpeedDeal::Cards(FDealNumber, FDeckCount);
    {
        // The deck shows the shuffles of the number, as it always has.
        const TKsDealNumber numbered(FDealNumber);
        DealCards(cards);
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
    int32_t score = 0;
    if (FScoring == 0) {
        FFameRecorded = false;
        FNewSession = false;
        FFameBarred = barred;
    } else if (FNewSession) {
        FNewSession = false;
        score = -LasVegasStake(FDeckCount);
        FFameBarred = barred;
    } else {
        // The Las Vegas total carries on from the last deal.
        score = FGame.Score() - LasVegasStake(FDeckCount);
        FFameBarred = FFameBarred || barred;
    }
    FGame.Deal(SpeedDeal::Table(cards, FDeckCount, FDealMirrored), score);

    const int serial = ++FDealSerial;
    KsMessageDlg(StringRes::ReadyToStart(), mtInformation, {mbOK});
    if (serial != FDealSerial)
        return;
    FGameStart = StatsClockMilliseconds();
    FGame.Begin(FDealNumber);
    StartStuckCheck();
    if (FGame.BothStuck() && !FRefereeElsewhere)
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
    StuckTimer->stop();
    AnnounceAbandoned();
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
