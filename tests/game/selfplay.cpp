#include "selfplay.h"

#include "ConfigFile.h"
#include "FlyingCard.h"
#include "LockShade.h"
#include "Main.h"
#include "PlayAnimator.h"
#include "Settings.h"
#include "StringRes.h"
#include "ksabort.h"
#include "ksbusy.h"
#include "kscardgroup.h"
#include "kscardtable.h"
#include "ksrandom.h"
#include "kssinglecard.h"

#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <functional>

namespace selfplay {

namespace {

// Rounds (one computer step and what the bot does around it) before a deal counts as hung.
// A real game needs a few hundred.
constexpr int MaxRoundsPerDeal = 20000;
// A "play again?" answered Yes deals at once; a chain stops after this many deals.
constexpr int MaxDealsPerGame = 3;

uint64_t SplitMix(uint64_t X) {
    X += 0x9e3779b97f4a7c15ull;
    X = (X ^ (X >> 30)) * 0xbf58476d1ce4e5b9ull;
    X = (X ^ (X >> 27)) * 0x94d049bb133111ebull;
    return X ^ (X >> 31);
}

// The main window, reporting every posted game message it has handled.
class TCheckedForm final : public TMainForm {
public:
    std::function<void(int)> AfterGameMessage;

protected:
    bool event(QEvent* Event) override {
        const int type = Event->type();
        const bool handled = TMainForm::event(Event);
        if ((type == WM_HUMANPLAYED || type == WM_COMPUTERPLAYED || type == WM_GAMEOVER) &&
            AfterGameMessage)
            AfterGameMessage(type);
        return handled;
    }
};

QString RulesText(const TRules& R) {
    return QStringLiteral("%1 deck%2, %3 scoring, level %4")
        .arg(R.DeckCount)
        .arg(R.DeckCount == 1 ? "" : "s")
        .arg(R.Scoring == 0 ? "Normal" : "Las Vegas")
        .arg(R.Level);
}

} // namespace

TRules RulesOf(uint64_t Seed) {
    const auto combination = static_cast<int32_t>(Seed % 20);
    return TRules{combination / 10 + 1, (combination / 5) % 2, combination % 5};
}

uint64_t GameSeed(uint64_t Base, uint64_t Index) {
    return Base + Index;
}

class TDriver final : public TKsDialogs {
public:
    explicit TDriver(const TOptions& Options)
        : FOne(), FOptions(Options),
          FDirs(FRoot.filePath(QStringLiteral("program")), FRoot.filePath(QStringLiteral("user"))),
          FDialogs(*this), FClock([this] { return FClockNow += 7919u; }) {
        QDir().mkpath(FRoot.filePath(QStringLiteral("program")));
        FForm = std::make_unique<TCheckedForm>();
        FForm->AfterGameMessage = [this](int Type) { AfterGameMessage(Type); };
        FForm->SetShowPlays(Options.ShowPlays);
        FForm->SetFumbleRule(Options.FumbleRule);
        FForm->Animator->Clock = [this] { return FPlayClock; };
        FForm->Fumble().Clock = [this] { return FPlayClock; };
        if (Options.Show || Options.ShowPlays) {
            // Until the window is on screen its repaints are put off.
            FForm->show();
            QElapsedTimer waited;
            waited.start();
            while (!(FForm->windowHandle() && FForm->windowHandle()->isExposed()) &&
                   waited.elapsed() < 5000)
                QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        }
    }

    TMainForm& Form() { return *FForm; }

    void PlantFault(TSelfPlay::TFault Fault, int AfterSteps) {
        FFault = Fault;
        FFaultAt = AfterSteps;
    }

    TGameResult Play(uint64_t Seed) {
        FResult = TGameResult{};
        FResult.Seed = Seed;
        FResult.Rules = RulesOf(Seed);
        FRandom.seed(SplitMix(Seed));
        FClockNow = static_cast<uint32_t>(SplitMix(Seed ^ 0x5eedull));
        FAnnounced = 0;
        FNameAsked = 0;
        const int64_t framesBefore = FForm->Animator->Frames();

        ApplyRules(FResult.Rules);
        FScoreBefore = FForm->GameScore();
        FNewSessionBefore = FForm->NewSession();
        FAction = QStringLiteral("the deal");
        FForm->DealBtn->click();
        Check();
        Drain();

        int rounds = 0;
        while (FResult.Ok()) {
            if (!FForm->GameRunning()) {
                if (FAnnounced == 1)
                    break; // decided and answered No
                Fail(QStringLiteral("the game stopped without a winner announced"));
                break;
            }
            if (++rounds > MaxRoundsPerDeal * MaxDealsPerGame) {
                Fail(QStringLiteral("no winner after %1 rounds").arg(rounds - 1));
                break;
            }
            Round();
        }
        if (FFault == TSelfPlay::TFault::LeaveBusy && FFaultPlanted) {
            EndBusy(); // the planted level, so the next game starts clean
        }
        FFault = TSelfPlay::TFault::None;
        FFaultPlanted = false;
        FResult.Frames = FForm->Animator->Frames() - framesBefore;
        return FResult;
    }

    // TKsDialogs: every message box and dialog the game shows during self-play.
    TKsMsgDlgBtn Message(const TKsMessage& Msg) override {
        Trace(QStringLiteral("message \"%1\"").arg(Msg.Text));
        if (Msg.Text == StringRes::ReadyToStart()) {
            Dealt();
            return mbOK;
        }
        if (Msg.Text == StringRes::CreatingSecondDeck())
            return mbOK;
        const bool human = Msg.Text == StringRes::GameWon(StringRes::WinnerHuman());
        if (human || Msg.Text == StringRes::GameWon(StringRes::WinnerComputer())) {
            Announced(human);
            const bool again = FResult.Deals < MaxDealsPerGame && Chance(4);
            return again ? mbYes : mbNo;
        }
        Fail(QStringLiteral("unexpected message \"%1\"").arg(Msg.Text));
        return Msg.Buttons.empty() ? mbOK : Msg.Buttons.front();
    }

    int Exec(QDialog&) override {
        // Only the name for the hall of fame, after a human win; closed without a name.
        if (FNameAsked != 1 || !FHumanWonDeal)
            Fail(QStringLiteral("a dialog opened where none belongs"));
        ++FNameAsked;
        return QDialog::Rejected;
    }

private:
    bool Chance(int OneIn) { return FRandom() % static_cast<uint64_t>(OneIn) == 0; }

    void ApplyRules(const TRules& R) {
        // As the options dialog does it: a changed style or deck size starts a new session.
        if (R.DeckCount != FForm->DeckCount() || R.Scoring != FForm->Scoring())
            FForm->SetNewSession(true);
        if (R.DeckCount != FForm->DeckCount()) {
            FForm->SetDeckCount(R.DeckCount);
            FForm->SetUpDeckSize();
        }
        FForm->SetScoring(R.Scoring);
        FForm->SetLevel(R.Level);
        FForm->SetTimerInterval(TLevel::Of(R.Level).value_or(TLevel()).PaceMs());
    }

    // One computer step with the bot's moves around it, at a random moment.
    void Round() {
        ++FResult.Steps;
        if (FFault != TSelfPlay::TFault::None && !FFaultPlanted && FResult.Steps > FFaultAt) {
            FAction = QStringLiteral("a planted fault");
            Plant();
            Check();
        }
        FAction = QStringLiteral("computer step %1").arg(FResult.Steps);
        // A turn-over counts a card for each side; only a card the computer lays flies.
        const int32_t laidBefore = FForm->ComputerPlayed() - FForm->HumanPlayed();
        // A tick of the stalemate check and one of the computer's timer.
        KsHandleEvent([this] {
            FForm->CheckStuck();
            // A turn-over that decides the game stops the computer.
            if (FForm->Timer->isActive())
                FForm->TimerTimer();
        });
        Check();
        if (FOptions.ShowPlays && FForm->ComputerPlayed() - FForm->HumanPlayed() > laidBefore &&
            !FForm->Animator->Flying())
            Fail(QStringLiteral("the computer's card did not fly"));
        if (!FResult.Ok())
            return;
        switch (FRandom() % 10) {
        case 0:
        case 1: // before the computer's play is followed up
            Human();
            Drain();
            break;
        case 2: // two quick ones
            Drain();
            Human();
            Drain();
            Human();
            Drain();
            break;
        default:
            Drain();
            Human();
            Drain();
            break;
        }
        if (FResult.Ok() && FForm->GameRunning() && Chance(4000)) {
            // A new deal in the middle of a game abandons it.
            FScoreBefore = FForm->GameScore();
            FNewSessionBefore = FForm->NewSession();
            FAction = QStringLiteral("a deal in the middle of a game");
            FForm->DealBtn->click();
            Check();
            Drain();
        }
    }

    // Handles the posted game messages now, as the event loop would; each is checked as it
    // is handled. Then the table must be settled.
    void Drain() {
        if (!FResult.Ok())
            return;
        QCoreApplication::sendPostedEvents(nullptr, 0);
        QCoreApplication::sendPostedEvents(nullptr, 0);
        CheckSettled();
        Pass();
    }

    // A few milliseconds go by on the plays' clock: what is under way moves on a frame, or
    // ends, and a fumble lock may run out.
    void Pass() {
        if (!FResult.Ok() || !(FOptions.ShowPlays || FOptions.FumbleRule))
            return;
        FPlayClock += int64_t(FRandom() % 120);
        TPlayAnimator& plays = *FForm->Animator;
        if (plays.Active())
            KsHandleEvent([&plays] { plays.Frame(); });
        QCoreApplication::sendPostedEvents(nullptr, 0); // the repaints the frame asked for
        if (!plays.Flying() && plays.Flight() && plays.Flight()->Visible())
            Fail(QStringLiteral("a flown card stayed above the table"));
        if (plays.Active() && !FOptions.ShowPlays)
            Fail(QStringLiteral("a play is shown with \"Show plays\" off"));
    }

    static bool Fits(TKsCardGroup* Slot, int32_t Top1, int32_t Top2) {
        if (Slot->NonEmptyCount() == 0)
            return false;
        const int32_t v = Slot->GetCard(0)->Value();
        return TMainForm::IsNextRank(v, Top1) || TMainForm::IsNextRank(v, Top2);
    }

    bool HasPlay(const std::array<TKsCardGroup*, 4>& Slots) const {
        const int32_t top1 = FForm->CardTable1->CardTop().Value();
        const int32_t top2 = FForm->CardTable2->CardTop().Value();
        return std::any_of(Slots.begin(), Slots.end(),
                           [&](TKsCardGroup* s) { return Fits(s, top1, top2); });
    }

    // The bot's move: most often nothing or a legal slot by mouse, sometimes by key, sometimes
    // a slot that cannot be played, which must change nothing.
    void Human() {
        if (!FResult.Ok() || Chance(3))
            return;
        const int32_t top1 = FForm->CardTable1->CardTop().Value();
        const int32_t top2 = FForm->CardTable2->CardTop().Value();
        std::vector<int> legal;
        std::vector<int> stray;
        // A decided game takes no card at all.
        const bool decided = !FForm->GameRunning();
        for (int i = 0; i < 4; ++i)
            (!decided && Fits(FForm->Play1Card[size_t(i)], top1, top2) ? legal : stray)
                .push_back(i);
        const bool byKey = Chance(5);
        if ((decided || Chance(12)) && !stray.empty()) {
            StrayMove(stray[FRandom() % stray.size()], byKey);
            return;
        }
        if (legal.empty())
            return;
        const int i = legal[FRandom() % legal.size()];
        if (FForm->Fumble().Locked()) {
            StrayMove(i, byKey, true); // a locked card stays where it is
            return;
        }
        TKsCardGroup* slot = FForm->Play1Card[size_t(i)];
        const int32_t id = slot->GetCard(0)->ID();
        TKsCardTable* expected = TMainForm::IsNextRank(slot->GetCard(0)->Value(), top1)
                                     ? FForm->CardTable1
                                     : FForm->CardTable2;
        const int32_t played = FForm->HumanPlayed();
        const int32_t score = FForm->GameScore();
        FAction =
            QStringLiteral("the human plays slot %1 by %2").arg(i + 1).arg(byKey ? "key" : "mouse");
        Press(i, byKey);
        ++FResult.HumanPlays;
        if (slot->NonEmptyCount() != 0 || expected->CardTop().ID() != id)
            Fail(QStringLiteral("the card %1 did not go to %2")
                     .arg(id)
                     .arg(expected == FForm->CardTable1 ? "the human's table"
                                                        : "the computer's table"));
        else if (FForm->HumanPlayed() != played + 1 || FForm->GameScore() != score + 1)
            Fail(QStringLiteral("the play was not counted once"));
        Check();
    }

    // Fits: the card fits a pile, and only the fumble lock holds it.
    void StrayMove(int I, bool ByKey, bool Fits = false) {
        const int32_t played = FForm->HumanPlayed();
        const int32_t score = FForm->GameScore();
        const std::vector<int32_t> before = AllCards();
        // A card refused while the game runs flashes, and locks the cards under the rule.
        const bool refused =
            FForm->GameRunning() && FForm->Play1Card[size_t(I)]->NonEmptyCount() != 0;
        FAction = QStringLiteral("the human tries slot %1, which cannot be played").arg(I + 1);
        Press(I, ByKey);
        if (FForm->HumanPlayed() != played || FForm->GameScore() != score || AllCards() != before)
            Fail(QStringLiteral("a slot that cannot be played changed the game"));
        else if (refused && !Fits && FOptions.ShowPlays && !FForm->Animator->Flashing())
            Fail(QStringLiteral("a refused card did not flash"));
        else if (Fits && FOptions.ShowPlays && FForm->isVisible() && !FForm->LockShade->isVisible())
            Fail(QStringLiteral("the fumble lock did not show"));
        else if (refused && FOptions.FumbleRule && !FForm->Fumble().Locked())
            Fail(QStringLiteral("a refused card did not lock the human's cards"));
        Check();
    }

    void Press(int I, bool ByKey) {
        if (ByKey) {
            const QChar digit(u'1' + I);
            QKeyEvent key(QEvent::KeyPress, Qt::Key_1 + I, Qt::NoModifier, QString(digit));
            QCoreApplication::sendEvent(FForm.get(), &key);
            return;
        }
        TKsCardGroup* slot = FForm->Play1Card[size_t(I)];
        const QPointF at(35, 48);
        const QPointF global = slot->mapToGlobal(at);
        const Qt::MouseButton button = Chance(8) ? Qt::RightButton : Qt::LeftButton;
        QMouseEvent press(QEvent::MouseButtonPress, at, global, button, button, Qt::NoModifier);
        QCoreApplication::sendEvent(slot, &press);
        QMouseEvent release(QEvent::MouseButtonRelease, at, global, button, Qt::NoButton,
                            Qt::NoModifier);
        QCoreApplication::sendEvent(slot, &release);
    }

    void Plant() {
        FFaultPlanted = true;
        TMainForm& f = *FForm;
        switch (FFault) {
        case TSelfPlay::TFault::None:
            break;
        case TSelfPlay::TFault::LoseAPileCard:
            for (int i = f.Play1Pile->Count() - 1; i >= 0; --i)
                if (!f.Play1Pile->GetCard(i)->Empty()) {
                    f.Play1Pile->GetCard(i)->SetEmpty(true);
                    break;
                }
            break;
        case TSelfPlay::TFault::DuplicateASlotCard:
            for (int i = 0; i < 4; ++i)
                if (f.Play2Card[size_t(i)]->NonEmptyCount() > 0) {
                    f.Play2Card[size_t(i)]->GetCard(0)->SetID(f.CardTable2->CardTop().ID());
                    break;
                }
            break;
        case TSelfPlay::TFault::WrongTopCard:
            f.CardTable1->CardTop().SetID(f.CardTable1->CardTop().ID() == 2 ? 3 : 2);
            break;
        case TSelfPlay::TFault::LeaveBusy:
            BeginBusy();
            break;
        case TSelfPlay::TFault::SwapTwoSlots: {
            // Every card still in its place as far as counting goes: only the core knows better.
            TKsSingleCard* first = f.Play1Card[0]->GetCard(0);
            TKsSingleCard* second = f.Play1Card[1]->GetCard(0);
            const int32_t id = first->ID();
            first->SetID(second->ID());
            second->SetID(id);
            break;
        }
        }
    }

    // A side's cards: its pile and slots.
    static int Held(TKsCardGroup* Pile, const std::array<TKsCardGroup*, 4>& Slots) {
        int n = Pile->NonEmptyCount();
        for (TKsCardGroup* s : Slots)
            n += s->NonEmptyCount();
        return n;
    }

    static void Collect(TKsCardGroup* Group, std::vector<int32_t>& Ids) {
        for (int i = 0; i < Group->Count(); ++i)
            if (!Group->GetCard(i)->Empty())
                Ids.push_back(Group->GetCard(i)->ID());
    }

    std::vector<int32_t> SideCards(TKsCardGroup* Pile, const std::array<TKsCardGroup*, 4>& Slots) {
        std::vector<int32_t> ids;
        Collect(Pile, ids);
        for (TKsCardGroup* s : Slots)
            Collect(s, ids);
        return ids;
    }

    // Every card of the game, wherever it is, sorted.
    std::vector<int32_t> AllCards() {
        TMainForm& f = *FForm;
        std::vector<int32_t> ids = SideCards(f.Play1Pile, f.Play1Card);
        const std::vector<int32_t> other = SideCards(f.Play2Pile, f.Play2Card);
        ids.insert(ids.end(), other.begin(), other.end());
        for (TKsCardTable* t : {f.CardTable1, f.CardTable2})
            ids.insert(ids.end(), t->PlayedCards().begin(), t->PlayedCards().end());
        std::sort(ids.begin(), ids.end());
        return ids;
    }

    // Where the card groups show other cards than the core's table holds; empty when they
    // show exactly its piles, slots and central piles.
    QString ShownDiffers() {
        TMainForm& f = *FForm;
        const TSpeedTable& t = f.Game().Table();
        const auto differ = [](const QString& What, const std::vector<int32_t>& Shown,
                               const std::vector<int32_t>& Held) {
            return QStringLiteral("%1 shows %2 cards with %3 on top, the core's %4 with %5")
                .arg(What)
                .arg(Shown.size())
                .arg(Shown.empty() ? 0 : Shown.back())
                .arg(Held.size())
                .arg(Held.empty() ? 0 : Held.back());
        };
        const struct {
            TKsCardGroup* Pile;
            const std::array<TKsCardGroup*, 4>& Slots;
            TKsCardTable* Table;
            TSide Side;
            const char* Name;
        } rows[2] = {{f.Play1Pile, f.Play1Card, f.CardTable1, TSide::Human, "human"},
                     {f.Play2Pile, f.Play2Card, f.CardTable2, TSide::Computer, "computer"}};
        for (const auto& row : rows) {
            const TSpeedRow& core = t.Row(row.Side);
            std::vector<int32_t> pile;
            Collect(row.Pile, pile);
            if (pile != core.Pile)
                return differ(QStringLiteral("the %1's pile").arg(row.Name), pile, core.Pile);
            for (size_t i = 0; i < 4; ++i) {
                TKsCardGroup* slot = row.Slots[i];
                const int32_t shown = slot->NonEmptyCount() > 0 ? slot->GetCard(0)->ID() : 0;
                if (shown != core.Slots[i])
                    return QStringLiteral("the %1's slot %2 shows %3, the core's holds %4")
                        .arg(row.Name)
                        .arg(i + 1)
                        .arg(shown)
                        .arg(core.Slots[i]);
            }
            const std::vector<int32_t>& central = t.Piles[row.Side == TSide::Human ? 0 : 1];
            if (row.Table->PlayedCards() != central)
                return differ(QStringLiteral("the %1's central pile").arg(row.Name),
                              row.Table->PlayedCards(), central);
        }
        return {};
    }

    // Called by the deal's "ready" message, when both sides have their cards and nothing has
    // been played yet.
    void Dealt() {
        TMainForm& f = *FForm;
        ++FResult.Deals;
        FAnnounced = 0;
        FNameAsked = 0;
        FHumanWonDeal = false;
        // Each side gets half of its own shuffle of the whole deck: 26 cards of one deck, or
        // 52 of two, no card more often than the decks hold it.
        const int perSide = 26 * f.DeckCount();
        const struct {
            TKsCardGroup* Pile;
            const std::array<TKsCardGroup*, 4>& Slots;
            TKsCardTable* Table;
            const char* Name;
        } sides[2] = {{f.Play1Pile, f.Play1Card, f.CardTable1, "human"},
                      {f.Play2Pile, f.Play2Card, f.CardTable2, "computer"}};
        for (const auto& side : sides) {
            std::vector<int32_t> ids = SideCards(side.Pile, side.Slots);
            if (side.Table->PlayedCardsCount() != 1) {
                Fail(QStringLiteral("the %1's table holds %2 cards after the deal")
                         .arg(side.Name)
                         .arg(side.Table->PlayedCardsCount()));
                return;
            }
            ids.push_back(side.Table->PlayedCards().front());
            std::array<int, 56> copies{};
            bool valid = static_cast<int>(ids.size()) == perSide;
            for (const int32_t id : ids) {
                valid = valid && id >= 2 && id <= 53;
                if (valid)
                    valid = ++copies[size_t(id)] <= f.DeckCount();
            }
            if (!valid) {
                Fail(QStringLiteral("the %1 was not dealt %2 cards of %3 deck%4")
                         .arg(side.Name)
                         .arg(perSide)
                         .arg(f.DeckCount())
                         .arg(f.DeckCount() == 1 ? "" : "s"));
                return;
            }
        }
        const int32_t stake = 25 * f.DeckCount();
        const int32_t expected =
            f.Scoring() == 0 ? 0 : (FNewSessionBefore ? 0 : FScoreBefore) - stake;
        if (f.GameScore() != expected || f.HumanPlayed() != 0 || f.ComputerPlayed() != 0)
            Fail(QStringLiteral("the deal set the score to %1, not %2")
                     .arg(f.GameScore())
                     .arg(expected));
        FScoreBase = f.GameScore();
        FDealt = AllCards();
    }

    void Announced(bool Human) {
        TMainForm& f = *FForm;
        ++FAnnounced;
        if (FAnnounced > 1) {
            Fail(QStringLiteral("a second winner announced for one deal"));
            return;
        }
        if (f.GameRunning())
            Fail(QStringLiteral("a winner announced while the game runs"));
        const int32_t goal = f.CardsToWin();
        if (Human) {
            const int32_t expected = FScoreBase + f.HumanPlayed() +
                                     TMainForm::LevelBonus(f.Level()) +
                                     (goal - f.ComputerPlayed()) * 100 + 1;
            if (!f.HumanWon() || f.HumanPlayed() < goal)
                Fail(QStringLiteral("the human is named winner with %1 of %2 cards")
                         .arg(f.HumanPlayed())
                         .arg(goal));
            else if (f.GameScore() != expected)
                Fail(QStringLiteral("the human's win scores %1, not %2")
                         .arg(f.GameScore())
                         .arg(expected));
            ++FResult.HumanWins;
            FHumanWonDeal = true;
            FNameAsked = 1; // the hall of fame may ask for the name next
        } else {
            if (!f.ComputerWon() || f.HumanWon() || f.ComputerPlayed() < goal)
                Fail(QStringLiteral("the computer is named winner with %1 of %2 cards")
                         .arg(f.ComputerPlayed())
                         .arg(goal));
            else if (f.GameScore() != FScoreBase + f.HumanPlayed())
                Fail(QStringLiteral("the computer's win changed the human's score"));
        }
        ++FResult.Decided;
        FScoreBefore = f.GameScore();
        FNewSessionBefore = f.NewSession();
    }

    void AfterGameMessage(int Type) {
        const QString what = Type == WM_HUMANPLAYED      ? QStringLiteral("the human's refill")
                             : Type == WM_COMPUTERPLAYED ? QStringLiteral("the computer's refill")
                                                         : QStringLiteral("the game over");
        const QString before = FAction;
        FAction = what + QStringLiteral(" after ") + before;
        Check();
        FAction = before;
    }

    // What holds between any two events.
    void Check() {
        if (!FResult.Ok())
            return;
        Trace(QStringLiteral("check"));
        TMainForm& f = *FForm;
        if (BusyDepth() != 0)
            return Fail(QStringLiteral("busy depth %1 between events").arg(BusyDepth()));
        if (f.Table1Busy() || f.Table2Busy())
            return Fail(QStringLiteral("a table stayed marked busy"));
        if (f.ScoreLabel->text() != QString::number(f.GameScore()))
            return Fail(QStringLiteral("the label shows %1, the score is %2")
                            .arg(f.ScoreLabel->text())
                            .arg(f.GameScore()));
        if (f.TempTable1->PlayedCardsCount() != 0 || f.TempTable2->PlayedCardsCount() != 0)
            return Fail(QStringLiteral("a card stayed on a hidden relay table"));
        for (TKsCardTable* t : {f.CardTable1, f.CardTable2})
            if (t->PlayedCardsCount() == 0 || t->CardTop().Empty() ||
                t->CardTop().ID() != t->PlayedCards().back())
                return Fail(QStringLiteral("a central table shows %1 on top, its last card is %2")
                                .arg(t->CardTop().ID())
                                .arg(t->PlayedCards().empty() ? -1 : t->PlayedCards().back()));
        for (const auto* sideSlots : {&f.Play1Card, &f.Play2Card})
            for (TKsCardGroup* s : *sideSlots)
                if (s->NonEmptyCount() > 0 && s->GetCard(0)->ShowBack())
                    return Fail(QStringLiteral("a slot card lies face down"));
        if (AllCards() != FDealt)
            return Fail(QStringLiteral("cards were lost, doubled or changed: %1 of %2 in play")
                            .arg(AllCards().size())
                            .arg(FDealt.size()));
        if (const QString differs = ShownDiffers(); !differs.isEmpty())
            return Fail(differs);

        // Outside a turn-over, also after the game was decided, a pile card goes to the slot
        // through the pile's hidden relay table.
        if (f.Play1Pile->Table() != f.TempTable1 || f.Play2Pile->Table() != f.TempTable2)
            return Fail(QStringLiteral("a pile still points at a central table"));

        const int32_t goal = f.CardsToWin();
        const int held1 = Held(f.Play1Pile, f.Play1Card);
        const int held2 = Held(f.Play2Pile, f.Play2Card);
        for (auto [held, played, name] : {std::tuple{held1, f.HumanPlayed(), "human"},
                                          std::tuple{held2, f.ComputerPlayed(), "computer"}}) {
            if (held > 0 ? played + held != goal : played < goal)
                return Fail(QStringLiteral("the %1 holds %2 cards and has %3 counted as gone")
                                .arg(name)
                                .arg(held)
                                .arg(played));
        }
        if (!f.GameRunning())
            return;
        if (f.HumanWon() || f.ComputerWon() || f.HumanPlayed() >= goal ||
            f.ComputerPlayed() >= goal)
            return Fail(QStringLiteral("the game runs on after a side reached %1").arg(goal));
        if (f.GameScore() - f.HumanPlayed() != FScoreBase)
            return Fail(QStringLiteral("the score %1 does not follow the %2 cards counted")
                            .arg(f.GameScore())
                            .arg(f.HumanPlayed()));
        if (f.WaitSign1->isVisibleTo(&f) != f.HumanStuck() ||
            f.WaitSign2->isVisibleTo(&f) != f.ComputerStuck())
            return Fail(QStringLiteral("a wait sign does not show who is stuck"));
    }

    // What holds once every posted message has been handled.
    void CheckSettled() {
        Check();
        if (!FResult.Ok())
            return;
        TMainForm& f = *FForm;
        if (!f.GameRunning()) {
            if (FAnnounced == 1 && f.Timer->isActive())
                Fail(QStringLiteral("the computer's timer runs after the game was decided"));
            if (FAnnounced == 0)
                Fail(QStringLiteral("the game was decided and no winner announced"));
            return;
        }
        if (!f.Timer->isActive())
            return Fail(QStringLiteral("the computer's timer stopped during the game"));
        if (f.HumanStuck() == HasPlay(f.Play1Card) || f.ComputerStuck() == HasPlay(f.Play2Card))
            return Fail(QStringLiteral("a side is marked %1")
                            .arg(f.HumanStuck() == HasPlay(f.Play1Card)
                                     ? "wrongly as to the human's play"
                                     : "wrongly as to the computer's play"));
    }

    // TOLVI_SELFPLAY_TRACE=1 prints every step of the bot and the game's counters.
    void Trace(const QString& What) const {
        static const bool on = qEnvironmentVariableIntValue("TOLVI_SELFPLAY_TRACE") != 0;
        if (!on)
            return;
        const TMainForm& f = *FForm;
        qInfo("%s | %s | human %d computer %d score %d%s%s%s", qPrintable(FAction),
              qPrintable(What), f.HumanPlayed(), f.ComputerPlayed(), f.GameScore(),
              f.HumanWon() ? " human-won" : "", f.ComputerWon() ? " computer-won" : "",
              f.GameRunning() ? "" : " stopped");
    }

    void Fail(const QString& What) {
        if (!FResult.Ok())
            return;
        FResult.Failure = QStringLiteral("seed %1 (%2), deal %3, %4: %5")
                              .arg(FResult.Seed)
                              .arg(RulesText(FResult.Rules))
                              .arg(FResult.Deals)
                              .arg(FAction, What);
    }

    // The overrides below are process-wide: one driver at a time.
    struct TOnlyOne {
        static inline int Live = 0;
        TOnlyOne() {
            if (++Live != 1)
                qFatal("one self-play driver at a time");
        }
        ~TOnlyOne() { --Live; }
    } FOne;
    TOptions FOptions;
    QTemporaryDir FRoot;
    TConfigDirOverride FDirs;
    TKsDialogsOverride FDialogs;
    uint32_t FClockNow = 0;
    TKsSeedClockOverride FClock;
    std::unique_ptr<TCheckedForm> FForm;
    int64_t FPlayClock = 0; // milliseconds, for the plays and the fumble lock

    std::mt19937_64 FRandom;
    TGameResult FResult;
    QString FAction;
    std::vector<int32_t> FDealt;
    int32_t FScoreBase = 0;
    int32_t FScoreBefore = 0;
    bool FNewSessionBefore = true;
    int FAnnounced = 0;
    int FNameAsked = 0;
    bool FHumanWonDeal = false;
    TSelfPlay::TFault FFault = TSelfPlay::TFault::None;
    int FFaultAt = 0;
    bool FFaultPlanted = false;
};

TSelfPlay::TSelfPlay(const TOptions& Options) : FDriver(std::make_unique<TDriver>(Options)) {}

TSelfPlay::~TSelfPlay() = default;

TGameResult TSelfPlay::Play(uint64_t Seed) {
    return FDriver->Play(Seed);
}

TMainForm& TSelfPlay::Form() {
    return FDriver->Form();
}

void TSelfPlay::PlantFault(TFault Fault, int AfterSteps) {
    FDriver->PlantFault(Fault, AfterSteps);
}

} // namespace selfplay
