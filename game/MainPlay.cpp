// Human play by mouse and keys, and the computer's step on each timer tick.

#include "Main.h"
#include "kscardgroup.h"
#include "kscardtable.h"
#include "ksdialogs.h"
#include "kssinglecard.h"

bool TMainForm::IsNextRank(int32_t A, int32_t B) {
    return A == B + 1 || A == B - 1 || (A == 14 && B == 2) || (A == 2 && B == 14);
}

int32_t TMainForm::TopValue(TKsCardTable* Table) {
    return Table->CardTop().Value();
}

void TMainForm::Play1Card1CardClick(TKsCardGroup* Sender, bool& PlayIt) {
    PlayIt = HumanPlay(Sender, false);
}

void TMainForm::FormKeyPress(QChar Key) {
    const int slot = Key.unicode() - u'1';
    if (slot < 0 || slot > 3)
        return;
    HumanPlay(Play1Card[static_cast<size_t>(slot)], true);
}

bool TMainForm::HumanPlay(TKsCardGroup* Slot, bool Lay) {
    // A decided game takes no more cards: they would score, and carry into the next deal.
    if (!FGameRunning || Slot->NonEmptyCount() == 0)
        return false;
    const int32_t value = Slot->GetCard(0)->Value();
    TKsCardTable* table = nullptr;
    bool* busy = nullptr;
    if (!FTable1Busy && IsNextRank(value, TopValue(CardTable1))) {
        table = CardTable1;
        busy = &FTable1Busy;
    } else if (!FTable2Busy && IsNextRank(value, TopValue(CardTable2))) {
        table = CardTable2;
        busy = &FTable2Busy;
    }
    if (HumanLocked(Slot, table != nullptr))
        return false;
    if (!table) {
        HumanRefused(Slot);
        return false;
    }
    {
        // The click only asks for the play: the group lays the card once the handler returns.
        *busy = true;
        struct TClear {
            bool& Flag;
            ~TClear() { Flag = false; }
        } clear{*busy};
        Slot->SetTable(table);
        table->SetPlayPosition(2);
        if (Lay)
            Slot->PlayCard(0, false, tpTop);
    }
    CountHumanCard(Slot);
    return true;
}

void TMainForm::CountHumanCard(TKsCardGroup* Slot) {
    ++FHumanPlayed;
    UpdateScoreLabel();
    if (FGameRunning && FHumanPlayed >= FCardsToWin && !FComputerWon) {
        FHumanWon = true;
        FGameRunning = false;
        PostGameMessage(WM_GAMEOVER, nullptr);
    } else {
        PostGameMessage(WM_HUMANPLAYED, Slot);
    }
}

void TMainForm::TimerTimer() {
    if (FHumanStuck && FComputerStuck) {
        TurnOverPiles();
    } else if (FComputerStuck) {
        if (!FComputerWon)
            return;
        // Should never happen; reported once a game rather than on every tick.
        if (!FStuckWinnerReported) {
            FStuckWinnerReported = true;
            KsMessageDlg(QStringLiteral("ERROR CAUGHT!!\r Please Report this!\r Computer has "
                                        "won, but is waiting"),
                         mtInformation, {mbOK});
        }
    }
    if (FHumanWon || FComputerWon)
        return;
    for (TKsCardGroup* slot : Play2Card)
        if (!FTable2Busy && slot->NonEmptyCount() >= 1 &&
            IsNextRank(slot->GetCard(0)->Value(), TopValue(CardTable2))) {
            ComputerPlayToTable2(slot);
            return;
        }
    for (TKsCardGroup* slot : Play2Card)
        if (!FTable1Busy && slot->NonEmptyCount() >= 1 &&
            IsNextRank(slot->GetCard(0)->Value(), TopValue(CardTable1))) {
            ComputerPlayToTable1(slot);
            return;
        }
}

void TMainForm::ComputerPlayToTable1(TKsCardGroup* Slot) {
    ComputerPlayToTable(Slot, CardTable1, FTable1Busy);
}

void TMainForm::ComputerPlayToTable2(TKsCardGroup* Slot) {
    ComputerPlayToTable(Slot, CardTable2, FTable2Busy);
}

void TMainForm::ComputerPlayToTable(TKsCardGroup* Slot, TKsCardTable* Table, bool& TableBusy) {
    {
        TableBusy = true;
        struct TClear {
            bool& Flag;
            ~TClear() { Flag = false; }
        } clear{TableBusy};
        Slot->SetTable(Table);
        Table->SetPlayPosition(2);
        Slot->PlayCard(0, false, tpTop);
    }
    ++FComputerPlayed;
    ComputerLaid(Slot, Table);
    if (FComputerPlayed >= FCardsToWin && !FHumanWon) {
        FComputerWon = true;
        FGameRunning = false;
        PostGameMessage(WM_GAMEOVER, nullptr);
    } else {
        PostGameMessage(WM_COMPUTERPLAYED, Slot);
    }
}
