#pragma once
// The guest's role: the mirror. Its table is the host's seen from across; it sends its player's
// plays and lays them, and the host's, as the host confirms them. It deals the cards the host
// sends (the host's face-down pile unseen until each card turns up), and once the game is over
// checks that every card it was shown was the deal of the number the host committed to.

#include "MatchRole.h"

#include <QByteArray>
#include <vector>

class TMatchMirror final : public TMatchRole {
    Q_OBJECT
public:
    TMatchMirror(TMatchTable& Table, TNetLink* Link, QObject* Parent = nullptr);

    bool Host() const override { return false; }
    bool TakeHumanPlay(const TPlay& Play) override;

private:
    void Start() override {}
    void Heard(const TGameEvent& Event) override;
    bool Take(const TNetMessage& Message) override;
    void Restore() override;
    void Dealt(const TNetMessage& Message);
    void TakeCards(const TNetMessage& Message);
    void DealSent();
    void Reveal(const TNetMessage& Message);
    // Sets the face-down card of the host's pile that a message turns up; false when the
    // message shows none where one turns up, or one where none does.
    bool Show(uint8_t Card);
    // Turn-overs the host sent while this side's player was still confirming the deal.
    void EarlyTurnOvers();
    void Laid(const TNetMessage& Message);
    void Refused(const TNetMessage& Message);
    void TurnOver(const TNetMessage& Message);

    int FOwnDecks = 0;               // this side's own, restored after the match
    std::optional<bool> FOwnFumble;  // this side's own fumble rule, likewise
    QByteArray FCommit;              // the host's commitment to the deal's number
    QByteArray FSent;                // the cards sent: all but the host's pile
    std::vector<int32_t> FShownPile; // the host's pile by entry, 0 while face down
    int FExpected = 0;               // cards still to come before the deal
    bool FStarting = false;          // dealt, not yet confirmed here
    std::vector<uint8_t> FEarlyTurns;
};
