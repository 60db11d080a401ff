// The top row played through the seam: a script in place of the computer's timer plays a whole
// game against the keys, and the game's events tell all of it, in order.

#include "game_fixture.h"

#include <algorithm>

namespace {

// Lays the highest slot a table takes, the human's table first: never the computer's choice
// when another fits, so what it lays came through the seam.
class TScriptedOpponent : public TOpponent {
public:
    void Start() override {
        FRunning = true;
        ++Starts;
    }
    void Stop() override { FRunning = false; }
    bool Running() const override { return FRunning; }
    int StuckCheckMs() const override { return 250; }

    bool Step(TMainForm& F) {
        if (!FRunning)
            return false;
        for (int slot = 3; slot >= 0; --slot)
            for (int table : {1, 2}) {
                TKsCardGroup* g = F.Play2Card[static_cast<size_t>(slot)];
                TKsCardTable* t = table == 1 ? F.CardTable1 : F.CardTable2;
                if (g->NonEmptyCount() == 0 ||
                    !TMainForm::IsNextRank(g->GetCard(0)->Value(), t->CardTop().Value()))
                    continue;
                TPlay play{TSide::Computer, slot, table, 0};
                EXPECT_TRUE(F.Play(play));
                Laid.push_back(play);
                return true;
            }
        return false;
    }

    std::vector<TPlay> Laid;
    int Starts = 0;

private:
    bool FRunning = false;
};

using Seam = GameTest;

TEST_F(Seam, ScriptedOpponentPlaysAWholeGameAndTheEventsArriveInOrder) {
    auto owned = std::make_unique<TScriptedOpponent>();
    TScriptedOpponent& script = *owned;
    form->SetOpponent(std::move(owned));
    std::vector<TGameEvent> events;
    form->Events().Subscribe([&](const TGameEvent& e) { events.push_back(e); });
    dialogs.Answers = {mbOK, mbNo};

    form->DealNumbered(24u);
    // A dialog pauses whatever plays the top row, and wakes it while the game runs.
    ASSERT_TRUE(script.Running());
    form->SetTimerEnabled(false);
    EXPECT_FALSE(script.Running());
    form->SetTimerEnabled(true);
    EXPECT_TRUE(script.Running());
    for (int turn = 0; turn < 2000 && form->GameRunning(); ++turn) {
        ASSERT_FALSE(form->Timer->isActive()) << "the computer's timer stays out of it";
        if (turn % 3 != 0 || !script.Step(*form))
            for (int slot = 0; slot < 4; ++slot) {
                const size_t before = events.size();
                const int32_t played = form->HumanPlayed();
                form->FormKeyPress(QChar(u'1' + slot));
                if (form->HumanPlayed() > played)
                    break;
                ASSERT_EQ(events.at(before).Kind, TGameEventKind::PlayRefused);
                events.resize(before); // the slots tried in turn
            }
        Drain();
    }
    Drain();
    Drain();
    ASSERT_FALSE(form->GameRunning());
    EXPECT_GE(script.Starts, 1);
    EXPECT_FALSE(script.Laid.empty());

    // The stake is shown as the cards are dealt; the game starts with the confirmation.
    const auto dealt = std::find_if(events.begin(), events.end(), [](const TGameEvent& e) {
        return e.Kind != TGameEventKind::ScoreChanged;
    });
    ASSERT_NE(dealt, events.end());
    EXPECT_EQ(dealt->Kind, TGameEventKind::Dealt);
    EXPECT_EQ(dealt->DealNumber, 24u);
    const size_t first = static_cast<size_t>(dealt - events.begin());
    ASSERT_GE(events.size(), first + 3);
    const TGameEvent& decided = events[events.size() - 2];
    ASSERT_EQ(decided.Kind, TGameEventKind::GameDecided);
    EXPECT_EQ(decided.Side,
              form->HumanPlayed() >= form->CardsToWin() ? TSide::Human : TSide::Computer);
    EXPECT_EQ(events.back().Kind, TGameEventKind::AfterDecision);
    EXPECT_TRUE(events.back().Answered);

    std::vector<TPlay> computerLaid;
    int humanLaid = 0;
    int passes = 0;
    int32_t score = first > 0 ? events[first - 1].Score : 0;
    for (size_t i = first + 1; i + 2 < events.size(); ++i) {
        const TGameEvent& e = events[i];
        EXPECT_NE(e.Kind, TGameEventKind::Dealt);
        EXPECT_NE(e.Kind, TGameEventKind::GameDecided);
        if (e.Kind == TGameEventKind::CardLaid && e.Play.Side == TSide::Computer)
            computerLaid.push_back(e.Play);
        // What the human lays and every turn-over pass scores a point at once.
        if ((e.Kind == TGameEventKind::CardLaid && e.Play.Side == TSide::Human) ||
            e.Kind == TGameEventKind::PilesTurnedOver) {
            (e.Kind == TGameEventKind::PilesTurnedOver ? passes : humanLaid) += 1;
            ASSERT_EQ(events[i + 1].Kind, TGameEventKind::ScoreChanged) << i;
            EXPECT_EQ(events[i + 1].Score, score + 1) << i;
        }
        if (e.Kind == TGameEventKind::ScoreChanged)
            score = e.Score;
    }
    EXPECT_EQ(computerLaid, script.Laid);
    EXPECT_EQ(form->ComputerPlayed(), static_cast<int32_t>(computerLaid.size()) + passes);
    EXPECT_EQ(form->HumanPlayed(), humanLaid + passes);
    EXPECT_EQ(decided.Score, score) << "the decision carries the last score shown";
    EXPECT_EQ(form->GameScore(), score);
}

} // namespace
