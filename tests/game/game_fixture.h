#pragma once
// The real main window on the offscreen platform, with its settings in a temporary folder,
// message boxes answered by script and the deal's shuffles fixed.

#include "CardDrag.h"
#include "ConfigFile.h"
#include "Main.h"
#include "PlayAnimator.h"
#include "ksbusy.h"
#include "kscarddeck.h"
#include "kscardgroup.h"
#include "kscardtable.h"
#include "ksrandom.h"
#include "kssinglecard.h"
#include "ksvirtualdeck.h"
#include "scripted_dialogs.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>

// Arranges the game's state directly, as the core holds it.
class TMainFormProbe {
public:
    template <typename F> static void Change(TMainForm& Form, F&& Change) {
        TSpeedTable table = Form.Game().Table();
        int32_t score = Form.Game().Score();
        Change(table, score);
        Form.Game().Arrange(table, score);
    }
    static void SetCounters(TMainForm& F, int32_t Human, int32_t Computer) {
        Change(F, [&](TSpeedTable& t, int32_t&) {
            t.Rows[0].Played = Human;
            t.Rows[1].Played = Computer;
        });
    }
    static void SetWon(TMainForm& F, bool Human, bool Computer) {
        Change(F, [&](TSpeedTable& t, int32_t&) {
            t.Rows[0].Won = Human;
            t.Rows[1].Won = Computer;
        });
        F.FDecisionTaken = false;
    }
    static void SetScore(TMainForm& F, int32_t Score) {
        Change(F, [&](TSpeedTable&, int32_t& s) { s = Score; });
    }
    // The table as the card groups show it; each central pile as its top card only.
    static TSpeedTable Shown(const TMainForm& F) {
        TSpeedTable t;
        const auto take = [](TKsCardGroup* Pile, const std::array<TKsCardGroup*, 4>& Slots,
                             TSpeedRow& Row) {
            for (int i = 0; i < Pile->Count(); ++i)
                if (!Pile->GetCard(i)->Empty())
                    Row.Pile.push_back(Pile->GetCard(i)->ID());
            for (size_t i = 0; i < 4; ++i)
                Row.Slots[i] = Slots[i]->NonEmptyCount() > 0 ? Slots[i]->GetCard(0)->ID() : 0;
        };
        take(F.Play1Pile, F.Play1Card, t.Rows[0]);
        take(F.Play2Pile, F.Play2Card, t.Rows[1]);
        for (size_t p = 0; p < 2; ++p)
            if (const TKsSingleCard& top = (p == 0 ? F.CardTable1 : F.CardTable2)->CardTop();
                !top.Empty())
                t.Piles[p].push_back(top.ID());
        return t;
    }
    // The cards the groups hold, taken into the game: for a test that moved them by hand.
    static void TakeGroups(TMainForm& F) {
        const TSpeedTable shown = Shown(F);
        Change(F, [&](TSpeedTable& t, int32_t&) {
            for (size_t r = 0; r < 2; ++r) {
                t.Rows[r].Pile = shown.Rows[r].Pile;
                t.Rows[r].Slots = shown.Rows[r].Slots;
            }
            for (size_t p = 0; p < 2; ++p) {
                if (shown.Piles[p].empty())
                    continue;
                if (t.Piles[p].empty())
                    t.Piles[p].push_back(shown.Piles[p].back());
                else
                    t.Piles[p].back() = shown.Piles[p].back();
            }
        });
    }
    static void SetStuck(TMainForm& F, bool Human, bool Computer) {
        Change(F, [&](TSpeedTable& t, int32_t&) {
            t.Rows[0].Stuck = Human;
            t.Rows[1].Stuck = Computer;
        });
    }
};

class GameTest : public ::testing::Test {
protected:
    void SetUp() override {
        QDir().mkpath(dir.filePath(QStringLiteral("program")));
        QDir().mkpath(dir.filePath(QStringLiteral("user")));
        Create();
    }

    void Create() {
        form.reset();
        form = std::make_unique<TMainForm>();
    }

    // Handles the posted messages now, as the event loop would.
    static void Drain() { QCoreApplication::sendPostedEvents(nullptr, 0); }

    // Cards a side still holds: its pile and its slots.
    static int Held(TKsCardGroup* Pile, const std::array<TKsCardGroup*, 4>& Slots) {
        int n = Pile->NonEmptyCount();
        for (TKsCardGroup* s : Slots)
            n += s->NonEmptyCount();
        return n;
    }

    // Sets the card a central table shows on top, on the table and in the game.
    static void SetTop(TKsCardTable* Table, int32_t ID) {
        Table->CardTop().SetID(ID);
        Table->CardTop().SetEmpty(false);
        TMainFormProbe::TakeGroups(*qobject_cast<TMainForm*>(Table->window()));
    }

    // Puts a card in a slot (0 empties it), on the table and in the game.
    static void SetSlot(TKsCardGroup* Slot, int32_t ID) {
        Slot->GetCard(0)->SetID(ID == 0 ? 14 : ID);
        Slot->GetCard(0)->SetEmpty(ID == 0);
        TMainFormProbe::TakeGroups(*qobject_cast<TMainForm*>(Slot->window()));
    }

    QTemporaryDir dir;
    TConfigDirOverride dirs{dir.filePath(QStringLiteral("program")),
                            dir.filePath(QStringLiteral("user"))};
    TScriptedDialogs dialogs;
    // A clock that moves on between the two shuffles of a deal, as a real one does.
    uint32_t now = 45296789u;
    TKsSeedClockOverride clock{[this] { return now += 7; }};
    std::unique_ptr<TMainForm> form;
};

// A dealt table in view whose clocks the test turns (ms), settled on tops of the test's choice.
class SettledTableTest : public GameTest {
protected:
    void DealAndSettle(int32_t Top1, int32_t Top2) {
        form->Animator->Clock = [this] { return ms; };
        form->Fumble().Clock = [this] { return ms; };
        form->CardDrag->Clock = [this] { return ms; };
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        form->DealBtnClick();
        Settle(Top1, Top2);
    }
    // Refills and turn-overs done; the given tops, and Twos that fit neither in every slot.
    void Settle(int32_t Top1, int32_t Top2) {
        Drain();
        form->Timer->stop(); // the computer moves only when the test says
        TMainFormProbe::SetStuck(*form, false, false);
        SetTop(form->CardTable1, Top1);
        SetTop(form->CardTable2, Top2);
        for (int i = 0; i < 4; ++i) {
            SetSlot(form->Play1Card[i], 2);
            SetSlot(form->Play2Card[i], 2);
        }
    }
    QImage Grab() {
        QCoreApplication::processEvents();
        return form->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }

    int64_t ms = 1000;
};
