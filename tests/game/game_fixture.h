#pragma once
// The real main window on the offscreen platform, with its settings in a temporary folder,
// message boxes answered by script and the deal's shuffles fixed.

#include "ConfigFile.h"
#include "Main.h"
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
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>

class TMainFormProbe {
public:
    static void SetCounters(TMainForm& F, int32_t Human, int32_t Computer) {
        F.FHumanPlayed = Human;
        F.FComputerPlayed = Computer;
    }
    static void SetWon(TMainForm& F, bool Human, bool Computer) {
        F.FHumanWon = Human;
        F.FComputerWon = Computer;
    }
    static void SetScore(TMainForm& F, int32_t Score) { F.FGameScore = Score; }
    static void SetStuck(TMainForm& F, bool Human, bool Computer) {
        F.FHumanStuck = Human;
        F.FComputerStuck = Computer;
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

    // Sets the card a central table shows on top.
    static void SetTop(TKsCardTable* Table, int32_t ID) {
        Table->CardTop().SetID(ID);
        Table->CardTop().SetEmpty(false);
    }

    // Puts a card in a slot (0 empties it).
    static void SetSlot(TKsCardGroup* Slot, int32_t ID) {
        Slot->GetCard(0)->SetID(ID == 0 ? 14 : ID);
        Slot->GetCard(0)->SetEmpty(ID == 0);
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
