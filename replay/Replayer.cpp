#include "Replayer.h"

#include "SpeedDeal.h"

#include <QCoreApplication>
#include <utility>

namespace {

QString Tr(const char* Text) {
    return QCoreApplication::translate("TReplayer", Text);
}

QString RowName(TSide Side) {
    return Side == TSide::Human ? Tr("your row") : Tr("the opponent's row");
}

QString Card(int32_t Id) {
    return ReplayCheck::CardName(Id);
}

// Where a turn-over takes a row's card from, as the core does it: its pile, else its first
// card in a slot, else nowhere.
std::pair<int, int32_t> TurnedFrom(const TSpeedRow& Row) {
    if (!Row.Pile.empty())
        return {TurnedFromPile, Row.Pile.back()};
    for (size_t i = 0; i < Row.Slots.size(); ++i)
        if (Row.Slots[i] != 0)
            return {int(i), Row.Slots[i]};
    return {-1, 0};
}

} // namespace

TReplayer::TReplayer(TReplay Replay) : FReplay(std::move(Replay)) {
    FGame.Events().Subscribe([this](const TGameEvent& e) {
        FHeard.push_back(e);
        switch (e.Kind) {
        case TGameEventKind::Dealt:
        case TGameEventKind::ScoreChanged:
        case TGameEventKind::SideStuck:
        case TGameEventKind::AfterDecision:
            return;
        default:
            FLastHash = ReplayCheck::Hash(FGame.Table(), FGame.Score());
        }
    });
}

void TReplayer::Restart() {
    const TReplayTags& tags = FReplay.Tags;
    FError.clear();
    FPosition = 0;
    FDealt = true;
    const int decks = tags.Decks == 2 ? 2 : 1;
    FGame.Deal(SpeedDeal::Table(SpeedDeal::Cards(tags.Deal, decks), decks, tags.Mirrored),
               tags.StartScore);
    FGame.Begin(tags.Deal);
    FAgreed = FGame.Table();
    FAgreedScore = FGame.Score();
    FLastHash = ReplayCheck::Hash(FAgreed, FAgreedScore);
    if (tags.Decks != decks)
        Stop(Tr("the replay's deck count is unknown"), false);
}

bool TReplayer::SeekTo(size_t Count) {
    if (!FDealt || Count < FPosition || (Stopped() && Count < FStoppedAt))
        Restart();
    while (FPosition < Count && Step()) {
    }
    return !Stopped();
}

bool TReplayer::Step() {
    if (!FDealt)
        Restart();
    if (Stopped() || AtEnd())
        return false;
    const TReplayEntry& entry = FReplay.Entries[FPosition];
    // An entry the table cannot take is not made; one the rules made otherwise, or a check
    // that disagrees, takes the table back to the last check it passed.
    if (const QString why = Refusal(entry); !why.isEmpty()) {
        Stop(why, entry.Kind == TReplayKind::Check);
        return false;
    }
    if (const QString why = Make(entry); !why.isEmpty()) {
        Stop(why, true);
        return false;
    }
    ++FPosition;
    return true;
}

void TReplayer::Stop(const QString& Why, bool Wrong) {
    FStoppedAt = FPosition;
    const int64_t at = FPosition < FReplay.Entries.size() ? FReplay.Entries[FPosition].At : 0;
    FError = Tr("The replay stops at entry %1 of %2, %3 s into the game: %4.")
                 .arg(FPosition + 1)
                 .arg(FReplay.Entries.size())
                 .arg(double(at) / 1000, 0, 'f', 3)
                 .arg(Why);
    // Never a table the record does not vouch for.
    if (Wrong)
        FGame.Arrange(FAgreed, FAgreedScore);
}

QString TReplayer::Refusal(const TReplayEntry& E) const {
    const TSpeedTable& t = FGame.Table();
    const TSpeedRow& row = t.Row(E.Side);
    const bool slotted = E.Slot >= 0 && E.Slot <= 3;
    const int32_t inSlot = slotted ? row.Slots[size_t(E.Slot)] : 0;
    const auto holds = [&]() -> QString {
        if (inSlot == E.Card)
            return {};
        return Tr("slot %1 of %2 holds %3, not %4")
            .arg(E.Slot + 1)
            .arg(RowName(E.Side), Card(inSlot), Card(E.Card));
    };
    switch (E.Kind) {
    case TReplayKind::Lay:
        if (QString w = holds(); !w.isEmpty())
            return w;
        if (!FGame.Takes(E.Side, E.Slot, E.Table))
            return Tr("pile %1 does not take %2").arg(E.Table).arg(Card(E.Card));
        return {};
    case TReplayKind::Refill:
        if (!slotted || inSlot != 0)
            return Tr("slot %1 of %2 is not empty").arg(E.Slot + 1).arg(RowName(E.Side));
        if (row.Pile.empty() || row.Pile.back() != E.Card)
            return Tr("%1 turns up %2, not %3")
                .arg(RowName(E.Side), Card(row.Pile.empty() ? 0 : row.Pile.back()), Card(E.Card));
        return {};
    case TReplayKind::Refused:
        // The call must refuse it as it was refused, and lay nothing.
        if (E.Why == TRefusal::NotRunning)
            return FGame.Running() ? Tr("the game is still running") : QString();
        if (!FGame.Running())
            return Tr("the game is over");
        if (E.Why == TRefusal::EmptySlot)
            return inSlot == 0 ? QString() : holds();
        if (QString w = holds(); !w.isEmpty() || inSlot == 0)
            return w.isEmpty() ? Tr("slot %1 of %2 is empty").arg(E.Slot + 1).arg(RowName(E.Side))
                               : w;
        if (E.Why == TRefusal::Held && E.Fits &&
            SpeedRules::PileFor(FGame.Piles(), SpeedValue(inSlot), E.Table) == 0)
            return Tr("no pile takes %1").arg(Card(inSlot));
        return {};
    case TReplayKind::PileTop:
        // Only a card this table has not been shown may be learnt.
        if (row.Pile.empty() || (row.Pile.back() != 0 && row.Pile.back() != E.Card))
            return Tr("the pile of %1 does not show %2").arg(RowName(E.Side), Card(E.Card));
        return {};
    case TReplayKind::Pass:
        if (!FGame.Running())
            return Tr("the game is over");
        for (const TSide side : {TSide::Human, TSide::Computer}) {
            const size_t r = side == TSide::Human ? 0 : 1;
            const auto [from, card] = TurnedFrom(t.Row(side));
            if (from != E.TurnedFrom[r] || card != E.TurnedCards[r])
                return Tr("the turn-over lays %1 from %2, not %3")
                    .arg(Card(card), RowName(side), Card(E.TurnedCards[r]));
        }
        return {};
    case TReplayKind::Decided: {
        if (!FGame.Open())
            return Tr("the game is over");
        const bool human = t.Rows[0].Won, computer = t.Rows[1].Won;
        if (E.Side == TSide::Human ? !human : !computer)
            return Tr("%1 has not won").arg(RowName(E.Side));
        const int32_t score =
            E.Side == TSide::Human
                ? FGame.Score() + E.Bonus + (t.CardsToWin - t.Rows[1].Played) * 100 + 1
                : FGame.Score();
        if (score != FReplay.Tags.Score)
            return Tr("the score would be %1, not %2").arg(score).arg(FReplay.Tags.Score);
        return {};
    }
    case TReplayKind::Abandoned:
        if (!FGame.Open())
            return Tr("the game is over");
        return {};
    case TReplayKind::Check:
        if (FLastHash != E.Hash)
            return FPosition == 0 ? Tr("the deal gives another table")
                                  : Tr("the table differs from the recorded one");
        return {};
    }
    return Tr("the entry is unknown");
}

QString TReplayer::Make(const TReplayEntry& E) {
    FHeard.clear();
    const auto heard = [&](TGameEventKind Kind) -> const TGameEvent* {
        for (const TGameEvent& e : FHeard)
            if (e.Kind == Kind)
                return &e;
        return nullptr;
    };
    const QString otherwise = Tr("the rules do otherwise");
    switch (E.Kind) {
    case TReplayKind::Lay: {
        TPlay play{E.Side, E.Slot, E.Table, 0};
        if (!FGame.Play(play, false) || play.Card != E.Card || play.Table != E.Table)
            return otherwise;
        return {};
    }
    case TReplayKind::Refill: {
        FGame.Refill(E.Side, E.Slot);
        const TGameEvent* e = heard(TGameEventKind::SlotRefilled);
        return e && e->Play.Card == E.Card ? QString() : otherwise;
    }
    case TReplayKind::Refused: {
        // Which pile had a card on its way is not recorded: a pile that would take the card
        // now was busy then, for a play refused as fitting nowhere or held as not fitting.
        const bool busy = E.Why == TRefusal::NoFit || (E.Why == TRefusal::Held && !E.Fits);
        FGame.SetBusy(1, busy);
        FGame.SetBusy(2, busy);
        TPlay play{E.Side, E.Slot, E.Table, E.Card};
        const bool laid = FGame.Play(play, E.Why == TRefusal::Held);
        FGame.SetBusy(1, false);
        FGame.SetBusy(2, false);
        const TGameEvent* e = heard(TGameEventKind::PlayRefused);
        if (laid || !e || e->Why != E.Why || e->Fits != E.Fits)
            return otherwise;
        return {};
    }
    case TReplayKind::PileTop:
        FGame.ShowPileTop(E.Side, E.Card);
        return {};
    case TReplayKind::Pass: {
        FGame.TurnOverPiles(true);
        const TGameEvent* e = heard(TGameEventKind::PilesTurnedOver);
        return e && e->TurnedFrom == E.TurnedFrom ? QString() : otherwise;
    }
    case TReplayKind::Decided: {
        const std::optional<TSide> winner =
            FGame.Decide(E.Side == TSide::Computer, E.Bonus, FReplay.Tags.Duration);
        const TGameEvent* e = heard(TGameEventKind::GameDecided);
        if (winner != E.Side || !e || e->Score != FReplay.Tags.Score)
            return otherwise;
        return {};
    }
    case TReplayKind::Abandoned:
        FGame.Abandon();
        return {};
    case TReplayKind::Check:
        FAgreed = FGame.Table();
        FAgreedScore = FGame.Score();
        return {};
    }
    return otherwise;
}
