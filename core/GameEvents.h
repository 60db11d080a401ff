#pragma once
// A play as a value, and the one stream in which the game announces, in order, what happens to
// it. Whatever shows, counts or records the game subscribes here rather than being called from
// the game's methods.

#include <array>
#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

enum class TSide { Human, Computer };

// A card laid from one of a side's four slots on a central table.
struct TPlay {
    TSide Side = TSide::Human;
    int Slot = 0;     // 0 .. 3
    int Table = 0;    // 1 or 2; 0 asks for the first that takes the card, 1 before 2
    int32_t Card = 0; // set by the entry to the card it found in the slot

    bool operator==(const TPlay&) const = default;
};

enum class TRefusal {
    NotRunning, // no game runs
    EmptySlot,
    NoFit, // no free table is one rank away
    Held,  // the side's plays wait (the fumble lock)
};

enum class TGameEventKind {
    Dealt,           // DealNumber; the player confirmed the deal
    CardLaid,        // Play
    PlayRefused,     // Play (side, slot, card), Why, Fits
    SideStuck,       // Side
    PilesTurnedOver, // one pass of both piles
    ScoreChanged,    // Score
    GameDecided,     // Side (the winner), Score, Milliseconds
    AfterDecision,   // Side (the winner), Answered; the question whether to play again is over
    GameAbandoned,   // a new deal or a close while a game ran
    SlotRefilled,    // Play (side, slot, card): the row's pile refilled the slot a card left
    PileTopShown,    // Play (side, card): the next card of a face-down pile, learnt from afar
};

inline constexpr int TurnedFromPile = 4;

struct TGameEvent {
    TGameEventKind Kind = TGameEventKind::Dealt;
    TPlay Play;
    TRefusal Why = TRefusal::NoFit;
    bool Fits = false; // a held play that a table would have taken
    TSide Side = TSide::Human;
    uint64_t DealNumber = 0;
    int32_t Score = 0;
    int64_t Milliseconds = 0; // from the confirmed deal to the decision
    bool Answered = false;    // not cut short by an abort
    // A turn-over pass: where each row's card came from (Human, Computer): its pile
    // (TurnedFromPile), a slot 0 .. 3 once the pile is empty, or nowhere (-1).
    std::array<int, 2> TurnedFrom{-1, -1};

    static TGameEvent Of(TGameEventKind Kind) {
        TGameEvent e;
        e.Kind = Kind;
        return e;
    }
    static TGameEvent Dealt(uint64_t Number) {
        TGameEvent e = Of(TGameEventKind::Dealt);
        e.DealNumber = Number;
        return e;
    }
    static TGameEvent Laid(const TPlay& Play) {
        TGameEvent e = Of(TGameEventKind::CardLaid);
        e.Play = Play;
        return e;
    }
    static TGameEvent Refused(const TPlay& Play, TRefusal Why, bool Fits) {
        TGameEvent e = Of(TGameEventKind::PlayRefused);
        e.Play = Play;
        e.Why = Why;
        e.Fits = Fits;
        return e;
    }
    static TGameEvent Stuck(TSide Side) {
        TGameEvent e = Of(TGameEventKind::SideStuck);
        e.Side = Side;
        return e;
    }
    static TGameEvent ScoreChanged(int32_t Score) {
        TGameEvent e = Of(TGameEventKind::ScoreChanged);
        e.Score = Score;
        return e;
    }
    static TGameEvent Decided(TSide Winner, int32_t Score, int64_t Milliseconds) {
        TGameEvent e = Of(TGameEventKind::GameDecided);
        e.Side = Winner;
        e.Score = Score;
        e.Milliseconds = Milliseconds;
        return e;
    }
    static TGameEvent Refilled(TSide Side, int Slot, int32_t Card) {
        TGameEvent e = Of(TGameEventKind::SlotRefilled);
        e.Play = {Side, Slot, 0, Card};
        return e;
    }
    static TGameEvent After(TSide Winner, bool Answered) {
        TGameEvent e = Of(TGameEventKind::AfterDecision);
        e.Side = Winner;
        e.Answered = Answered;
        return e;
    }
};

class TGameEvents {
public:
    using TSubscriber = std::function<void(const TGameEvent&)>;

    // Subscribers hear each event in the order they subscribed.
    void Subscribe(TSubscriber Subscriber) { FSubscribers.push_back(std::move(Subscriber)); }
    void Announce(const TGameEvent& Event) const {
        for (const TSubscriber& s : FSubscribers)
            if (s)
                s(Event);
    }

private:
    std::vector<TSubscriber> FSubscribers;
};
