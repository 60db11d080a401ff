#include "ReplayRecorder.h"

#include "SpeedDeal.h"

#include <QDateTime>
#include <algorithm>
#include <chrono>
#include <utility>

namespace {

constexpr int64_t MaxMilliseconds = TReplayTags::MaxMilliseconds;
// Refusals change nothing and a player can make them without end; past this many they are no
// longer recorded, so that the file stays within what the reader takes.
constexpr int MaxRefusals = 5000;

} // namespace

struct TReplayRecorder::TState {
    TSpeedGame* Game = nullptr;
    TReplayTags Next;
    TReplay Current;
    bool Recording = false;
    int CheckEvery = DefaultCheckEvery;
    int SinceCheck = 0;
    int Refusals = 0;
    int64_t Start = 0;
    int32_t Score = 0;
    int32_t ScoreBefore = 0; // before the last change: the decision's bonus is worked out from it
    std::function<int64_t()> Clock = [] {
        return int64_t(std::chrono::duration_cast<std::chrono::milliseconds>(
                           std::chrono::steady_clock::now().time_since_epoch())
                           .count());
    };
    std::function<void(const TReplay&)> Finished;

    int64_t Now() const { return Clock() - Start; }

    // A check hashes the table as the event of the entry before it found it, in the middle of
    // the call that made it: the replay hashes it at the same event.
    void TakeCheck() {
        TReplayEntry check;
        check.At = Current.Entries.empty() ? 0 : Current.Entries.back().At;
        check.Kind = TReplayKind::Check;
        check.Hash = ReplayCheck::Hash(Game->Table(), Game->Score());
        Current.Entries.push_back(check);
        SinceCheck = 0;
    }

    void Add(TReplayEntry Entry) {
        // Times only go on, within a day, whatever the clock does: the file says so.
        Entry.At = std::clamp(Now(), Current.Entries.empty() ? 0 : Current.Entries.back().At,
                              MaxMilliseconds);
        Current.Entries.push_back(Entry);
        if (++SinceCheck >= CheckEvery)
            TakeCheck();
    }

    void Finish(const QString& Result) {
        if (SinceCheck > 0)
            TakeCheck();
        Current.Tags.Result = Result;
        Recording = false;
        if (Finished)
            Finished(Current);
    }

    void Heard(const TGameEvent& e) {
        if (e.Kind == TGameEventKind::ScoreChanged) {
            ScoreBefore = std::exchange(Score, e.Score);
            return;
        }
        if (e.Kind == TGameEventKind::Dealt) {
            Begin(e.DealNumber);
            return;
        }
        if (!Recording)
            return;
        TReplayEntry entry;
        entry.Side = e.Play.Side;
        entry.Slot = e.Play.Slot;
        entry.Table = e.Play.Table;
        entry.Card = e.Play.Card;
        switch (e.Kind) {
        case TGameEventKind::CardLaid:
            entry.Kind = TReplayKind::Lay;
            break;
        case TGameEventKind::SlotRefilled:
            entry.Kind = TReplayKind::Refill;
            break;
        case TGameEventKind::PileTopShown:
            entry.Kind = TReplayKind::PileTop;
            break;
        case TGameEventKind::PlayRefused:
            if (++Refusals > MaxRefusals)
                return;
            entry.Kind = TReplayKind::Refused;
            entry.Why = e.Why;
            entry.Fits = e.Fits;
            // A refusal names a card only when the slot held one.
            if (e.Why != TRefusal::NoFit && e.Why != TRefusal::Held)
                entry.Card = 0;
            break;
        case TGameEventKind::PilesTurnedOver: {
            entry = TReplayEntry{};
            entry.Kind = TReplayKind::Pass;
            entry.TurnedFrom = e.TurnedFrom;
            // The cards just laid are on top of the central piles, each row's on its own.
            const TSpeedTable& t = Game->Table();
            for (size_t r = 0; r < 2; ++r)
                entry.TurnedCards[r] =
                    e.TurnedFrom[r] >= 0 && !t.Piles[r].empty() ? t.Piles[r].back() : 0;
            break;
        }
        case TGameEventKind::GameDecided: {
            entry = TReplayEntry{};
            entry.Kind = TReplayKind::Decided;
            entry.Side = e.Side;
            if (e.Side == TSide::Human)
                entry.Bonus = e.Score - ScoreBefore -
                              (Game->Table().CardsToWin - Game->Table().Rows[1].Played) * 100 - 1;
            Current.Tags.Score = e.Score;
            Current.Tags.Duration = std::clamp<int64_t>(e.Milliseconds, 0, MaxMilliseconds);
            Add(entry);
            Finish(e.Side == TSide::Human ? QStringLiteral("won") : QStringLiteral("lost"));
            return;
        }
        case TGameEventKind::GameAbandoned:
            entry = TReplayEntry{};
            entry.Kind = TReplayKind::Abandoned;
            Current.Tags.Score = Game->Score();
            Current.Tags.Duration = std::clamp<int64_t>(Now(), 0, MaxMilliseconds);
            Add(entry);
            Finish(QStringLiteral("abandoned"));
            return;
        default: // who is stuck and the score follow from the rest; the question after is no play
            return;
        }
        Add(entry);
    }

    void Begin(uint64_t Number) {
        Current = TReplay{};
        Current.Tags = Next;
        Current.Tags.Format = TReplayTags::CurrentFormat;
        if (Current.Tags.Program.isEmpty())
            Current.Tags.Program = QStringLiteral(TOLVI_VERSION);
        if (Current.Tags.Date.isEmpty())
            Current.Tags.Date = QDateTime::currentDateTimeUtc().toString(Qt::ISODate);
        Current.Tags.Deal = Number;
        const TSpeedTable& t = Game->Table();
        Current.Tags.Decks = t.CardsToWin > SpeedDeal::CardsToWin(1) ? 2 : 1;
        Current.Tags.StartScore = Game->Score();
        Start = Clock();
        Recording = true;
        SinceCheck = 0;
        Refusals = 0;
        // The table as dealt: a replay dealt otherwise stops before its first play.
        TakeCheck();
    }
};

TReplayRecorder::TReplayRecorder(TSpeedGame& Game) : FState(std::make_shared<TState>()) {
    FState->Game = &Game;
    FState->Score = Game.Score();
    Game.Events().Subscribe([state = std::weak_ptr<TState>(FState)](const TGameEvent& e) {
        if (const std::shared_ptr<TState> s = state.lock())
            s->Heard(e);
    });
}

TReplayTags& TReplayRecorder::NextTags() {
    return FState->Next;
}

void TReplayRecorder::SetCheckEvery(int Entries) {
    FState->CheckEvery = std::max(1, Entries);
}

void TReplayRecorder::SetClock(std::function<int64_t()> Clock) {
    FState->Clock = std::move(Clock);
}

void TReplayRecorder::SetFinished(std::function<void(const TReplay&)> Finished) {
    FState->Finished = std::move(Finished);
}

const TReplay& TReplayRecorder::Replay() const {
    return FState->Current;
}

bool TReplayRecorder::Recording() const {
    return FState->Recording;
}
