#pragma once
// The window's game as a match's table: the match's roles drive the window through it, never
// through its widgets.

#include "Main.h"
#include "MatchTable.h"

class TWindowTable final : public TMatchTable {
public:
    explicit TWindowTable(TMainForm& Form) : FForm(Form) {}

    TSpeedGame& Game() override { return FForm.Game(); }
    int Decks() const override { return FForm.DeckCount(); }
    void SetDecks(int Value) override {
        FForm.SetDeckCount(Value);
        FForm.SetUpDeckSize();
    }
    bool FumbleRule() const override { return FForm.FumbleRule(); }
    void SetFumbleRule(bool Value) override { FForm.SetFumbleRule(Value); }
    void SetTieToOpponent(bool Value) override { FForm.SetTieToOpponent(Value); }
    bool HumanHeld() const override { return FForm.Fumble().Locked(); }
    void DealNumber(uint64_t Number) override { FForm.DealNumbered(Number); }
    void DealCards(const std::vector<int32_t>& Cards) override { FForm.DealGiven(Cards); }
    void RevealDeal(uint64_t Number) override { FForm.ShowRevealedDeal(Number); }
    bool Play(TPlay& Play) override { return FForm.Play(Play); }
    void Flush() override {
        // Refills posted by earlier plays come first.
        FForm.FlushRefills();
    }
    void TurnOver() override { FForm.TurnOverPiles(); }
    void StartGameClock() override { FForm.StartGameClock(); }
    void ShowWaiting(bool Shown) override { FForm.ShowPeerWait(Shown); }
    void Abandon() override { FForm.AbandonGame(); }

private:
    TMainForm& FForm;
};
