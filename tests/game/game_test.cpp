#include "DialogSupport.h"
#include "Options.h"
#include "card_pixels.h"
#include "game_fixture.h"
#include "ksdialogs.h"
#include "kspicture.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <set>

namespace {

using Main = GameTest;

int Dealable(TKsCardGroup* Pile) {
    int n = 0;
    for (int i = 0; i < Pile->Count(); ++i)
        n += Pile->GetCard(i)->Reserved() ? 0 : 1;
    return n;
}

TEST_F(Main, StartsWithDefaultsAndNothingDealt) {
    EXPECT_EQ(form->Scoring(), 0);
    EXPECT_EQ(form->DeckCount(), 1);
    EXPECT_EQ(form->Level(), 2);
    EXPECT_EQ(form->Timer->interval(), 750);
    EXPECT_FALSE(form->Timer->isActive());
    EXPECT_TRUE(form->NewSession());
    EXPECT_EQ(form->Play1Pile->NonEmptyCount(), 0);
    EXPECT_EQ(form->Play1Pile->Count(), 21);
    EXPECT_TRUE(form->CardTable1->Empty());
    EXPECT_EQ(form->ScoreLabel->text(), QStringLiteral("0"));
    EXPECT_EQ(form->VirtualDeck->TopIndex(), 51) << "the deck is prepared for show";
    EXPECT_TRUE(dialogs.Shown.empty());
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Tolvi"));
    EXPECT_EQ(form->HelpFile(), QDir(ProgramDir()).filePath(QStringLiteral("Tolvi.HLP")));
}

TEST_F(Main, DealGivesEachSideTwentySixCardsFromItsOwnShuffle) {
    form->DealBtnClick();
    ASSERT_FALSE(dialogs.Shown.empty());
    EXPECT_EQ(dialogs.Shown[0].Text, QStringLiteral("Click Ok when Ready to Start!"));
    EXPECT_EQ(dialogs.Shown[0].Type, mtInformation);
    for (auto [pile, sideSlots, table] :
         {std::tuple{form->Play1Pile, form->Play1Card, form->CardTable1},
          std::tuple{form->Play2Pile, form->Play2Card, form->CardTable2}}) {
        std::set<int> ids;
        for (int i = 0; i < 21; ++i)
            ids.insert(pile->GetCard(i)->ID());
        for (TKsCardGroup* s : sideSlots)
            ids.insert(s->GetCard(0)->ID());
        ids.insert(table->CardTop().ID());
        EXPECT_EQ(ids.size(), 26u) << "26 distinct cards of one deck";
        EXPECT_EQ(Held(pile, sideSlots) + table->PlayedCardsCount(), 26);
        EXPECT_FALSE(table->CardTop().ShowBack());
        EXPECT_TRUE(pile->GetCard(0)->ShowBack());
        EXPECT_FALSE(table->Empty());
    }
    EXPECT_EQ(form->Play1Pile->Table(), form->TempTable1);
    EXPECT_EQ(form->Play2Pile->Table(), form->TempTable2);
    EXPECT_TRUE(form->Deck->DeckEmpty());
    EXPECT_EQ(form->CardsToWin(), 25);
    EXPECT_EQ(form->GameScore(), form->HumanPlayed()) << "Normal scoring starts from 0";
    EXPECT_TRUE(form->Timer->isActive());
    EXPECT_TRUE(form->GameRunning());
    EXPECT_EQ(form->WaitSign1->isVisibleTo(form.get()), form->HumanStuck());
}

TEST_F(Main, KeysOtherThanOneToFourDoNothing) {
    form->DealBtnClick();
    SetTop(form->CardTable1, 6);  // Six of clubs
    SetTop(form->CardTable2, 10); // Ten of clubs
    for (int i = 0; i < 4; ++i)
        SetSlot(form->Play1Card[i], 5 + 13 * (i % 2)); // Fives
    const int32_t score = form->GameScore();
    for (const char* key : {"0", "5", "9", "a", " "})
        QTest::keyClick(form.get(), key[0]);
    EXPECT_EQ(form->GameScore(), score);
    EXPECT_EQ(form->CardTable1->CardTop().ID(), 6);
    QTest::keyClick(form.get(), '3');
    EXPECT_EQ(form->CardTable1->CardTop().ID(), 5);
    EXPECT_TRUE(form->Play1Card[2]->GetCard(0)->Empty());
    EXPECT_EQ(form->GameScore(), score + 1);
}

TEST_F(Main, ClickPlaysOnTheOwnTableFirstAndRefillsFromThePile) {
    form->DealBtnClick();
    SetTop(form->CardTable1, 8);
    SetTop(form->CardTable2, 8 + 13);
    SetSlot(form->Play1Card[0], 9 + 26); // a Nine fits both
    const int pileBefore = form->Play1Pile->NonEmptyCount();
    const int32_t topPile = form->Play1Pile->GetCard(20)->ID();
    QTest::mouseClick(form->Play1Card[0], Qt::RightButton, {}, QPoint(30, 40));
    EXPECT_EQ(form->CardTable1->CardTop().ID(), 35);
    EXPECT_EQ(form->CardTable2->CardTop().ID(), 21);
    EXPECT_TRUE(form->Play1Card[0]->GetCard(0)->Empty()) << "not refilled before the message";
    Drain();
    EXPECT_EQ(form->Play1Card[0]->GetCard(0)->ID(), topPile);
    EXPECT_FALSE(form->Play1Card[0]->GetCard(0)->Empty());
    EXPECT_FALSE(form->Play1Card[0]->GetCard(0)->ShowBack());
    EXPECT_EQ(form->Play1Pile->NonEmptyCount(), pileBefore - 1);
    EXPECT_EQ(form->HumanPlayed(), 1);

    SetSlot(form->Play1Card[1], 3); // fits neither
    QTest::mouseClick(form->Play1Card[1], Qt::LeftButton, {}, QPoint(30, 40));
    EXPECT_FALSE(form->Play1Card[1]->GetCard(0)->Empty());
    EXPECT_EQ(form->HumanPlayed(), 1);
}

TEST_F(Main, ComputerPrefersItsOwnTableAndTheLowestSlot) {
    form->DealBtnClick();
    TMainFormProbe::SetStuck(*form, false, false);
    SetTop(form->CardTable1, 5);
    SetTop(form->CardTable2, 10);
    SetSlot(form->Play2Card[0], 4);  // fits only the human's table
    SetSlot(form->Play2Card[1], 11); // fits its own
    SetSlot(form->Play2Card[2], 9);  // fits its own too
    SetSlot(form->Play2Card[3], 2);
    form->TimerTimer();
    EXPECT_EQ(form->CardTable2->CardTop().ID(), 11);
    EXPECT_EQ(form->ComputerPlayed(), 1);
    EXPECT_EQ(form->HumanPlayed(), 0);
    Drain();
    SetSlot(form->Play2Card[1], 2);
    SetSlot(form->Play2Card[2], 2);
    form->TimerTimer();
    EXPECT_EQ(form->CardTable1->CardTop().ID(), 4);
}

TEST_F(Main, WholeGameKeepsEveryCardAccountedFor) {
    form->DealBtnClick();
    auto check = [&] {
        const int held =
            Held(form->Play1Pile, form->Play1Card) + Held(form->Play2Pile, form->Play2Card);
        const int laid =
            form->CardTable1->PlayedCardsCount() + form->CardTable2->PlayedCardsCount();
        ASSERT_EQ(held + laid, 52);
        ASSERT_EQ(BusyDepth(), 0u);
    };
    dialogs.Answers = {mbNo};
    int steps = 0;
    while (steps++ < 2000 && form->GameRunning()) {
        // The human plays the first slot that fits; the computer gets a tick in between.
        for (int i = 0; i < 4; ++i) {
            TKsCardGroup* slot = form->Play1Card[i];
            if (slot->NonEmptyCount() == 0)
                continue;
            const int v = slot->GetCard(0)->Value();
            if (TMainForm::IsNextRank(v, form->CardTable1->CardTop().Value()) ||
                TMainForm::IsNextRank(v, form->CardTable2->CardTop().Value())) {
                QTest::mouseClick(slot, Qt::LeftButton, {}, QPoint(30, 40));
                break;
            }
        }
        Drain();
        check();
        form->TimerTimer();
        Drain();
        check();
    }
    EXPECT_FALSE(form->GameRunning()) << "the game ended";
    const TKsMessage& last = dialogs.Shown.back();
    EXPECT_TRUE(last.Text == QStringLiteral("You Won, Do you want to play again?") ||
                last.Text == QStringLiteral("The Computer Won, Do you want to play again?"))
        << last.Text.toStdString();
    EXPECT_EQ(last.Buttons, (std::vector<TKsMsgDlgBtn>{mbYes, mbNo}));
    EXPECT_TRUE(form->HumanPlayed() >= 25 || form->ComputerPlayed() >= 25);
}

TEST_F(Main, NormalWinScoresTheCardsTheBonusAndOnePoint) {
    form->DealBtnClick();
    TMainFormProbe::SetCounters(*form, 24, 18);
    TMainFormProbe::SetScore(*form, 24);
    SetTop(form->CardTable1, 6);
    SetSlot(form->Play1Card[0], 7);
    dialogs.Answers = {mbNo};
    QTest::mouseClick(form->Play1Card[0], Qt::LeftButton, {}, QPoint(30, 40));
    EXPECT_EQ(form->GameScore(), 25);
    EXPECT_TRUE(form->HumanWon());
    Drain();
    EXPECT_EQ(form->GameScore(), 1026);
    EXPECT_EQ(form->ScoreLabel->text(), QStringLiteral("1026"));
    EXPECT_FALSE(form->Timer->isActive());
    EXPECT_FALSE(form->HumanWon()) << "the marks are cleared";
    const auto it =
        std::find_if(dialogs.Shown.begin(), dialogs.Shown.end(), [](const TKsMessage& m) {
            return m.Text == QStringLiteral("You Won, Do you want to play again?");
        });
    EXPECT_NE(it, dialogs.Shown.end());
    EXPECT_EQ(dialogs.DialogsRun, 1) << "the name for the hall of fame";
    EXPECT_EQ(form->HallOfFame().Entry(1, 0, 2, 1).FameScore, 1026);
}

TEST_F(Main, EasyWinWithTenCardsLeftToTheComputer) {
    form->SetLevel(4);
    form->DealBtnClick();
    TMainFormProbe::SetCounters(*form, 24, 15);
    TMainFormProbe::SetScore(*form, 30);
    SetTop(form->CardTable2, 40); // Ace of spades
    SetTop(form->CardTable1, 5);
    SetSlot(form->Play1Card[3], 2);
    dialogs.Answers = {mbNo};
    QTest::keyClick(form.get(), '4');
    Drain();
    EXPECT_EQ(form->GameScore(), 30 + 1 + 100 + 1000 + 1);
}

TEST_F(Main, ComputerWinOffersANewGame) {
    form->DealBtnClick();
    TMainFormProbe::SetCounters(*form, 3, 24);
    TMainFormProbe::SetStuck(*form, false, false);
    SetTop(form->CardTable2, 9);
    SetSlot(form->Play2Card[0], 10);
    const int32_t score = form->GameScore();
    dialogs.Answers = {mbYes, mbOK};
    form->TimerTimer();
    EXPECT_TRUE(form->ComputerWon());
    const size_t shown = dialogs.Shown.size();
    Drain();
    ASSERT_GE(dialogs.Shown.size(), shown + 2);
    EXPECT_EQ(dialogs.Shown[shown].Text,
              QStringLiteral("The Computer Won, Do you want to play again?"));
    EXPECT_EQ(dialogs.Shown[shown + 1].Text, QStringLiteral("Click Ok when Ready to Start!"));
    EXPECT_EQ(form->ComputerPlayed(), form->HumanStuck() && form->ComputerStuck() ? 1 : 0)
        << "a new deal started";
    EXPECT_LE(form->GameScore(), score + 1);
    EXPECT_EQ(dialogs.DialogsRun, 0) << "no hall of fame for the computer";
}

TEST_F(Main, SecondGameOverOnlyStopsTheTimer) {
    form->DealBtnClick();
    EXPECT_TRUE(form->Timer->isActive());
    const size_t shown = dialogs.Shown.size();
    QCoreApplication::postEvent(form.get(), new QEvent(static_cast<QEvent::Type>(WM_GAMEOVER)));
    Drain();
    EXPECT_FALSE(form->Timer->isActive());
    EXPECT_EQ(dialogs.Shown.size(), shown);
}

TEST_F(Main, DealWhileAGameRunsResetsEverything) {
    form->DealBtnClick();
    TMainFormProbe::SetCounters(*form, 10, 12);
    TMainFormProbe::SetWon(*form, false, true);
    form->Play1Card[0]->GetCard(0)->SetEmpty(true);
    form->DealBtnClick();
    EXPECT_FALSE(form->ComputerWon());
    EXPECT_EQ(form->HumanPlayed() == 0,
              !(form->HumanStuck() && form->ComputerStuck()) || form->HumanPlayed() > 0);
    EXPECT_EQ(form->CardTable1->PlayedCardsCount(), 1 + form->HumanPlayed());
    EXPECT_FALSE(form->Play1Card[0]->GetCard(0)->Empty());
    EXPECT_EQ(form->GameScore(), form->HumanPlayed());
}

TEST_F(Main, BothSidesStuckAfterTheDealTurnThePilesOverFirst) {
    // Look for a shuffle that leaves both sides without a play.
    bool found = false;
    for (int attempt = 0; attempt < 400 && !found; ++attempt) {
        now = 1000u + 9973u * static_cast<uint32_t>(attempt);
        form->DealBtnClick();
        found = form->HumanPlayed() > 0;
    }
    ASSERT_TRUE(found);
    EXPECT_EQ(form->HumanPlayed(), form->ComputerPlayed());
    EXPECT_EQ(form->Play1Pile->NonEmptyCount(), 21 - form->HumanPlayed());
    EXPECT_EQ(form->CardTable1->PlayedCardsCount(), 1 + form->HumanPlayed());
    EXPECT_EQ(form->GameScore(), form->HumanPlayed()) << "one point per pass";
    EXPECT_FALSE(form->HumanStuck() && form->ComputerStuck());
    EXPECT_TRUE(form->Timer->isActive());
    EXPECT_EQ(form->Play1Pile->Table(), form->TempTable1);
}

TEST_F(Main, TurnOverThatBringsBothSidesToTheGoalNamesTheHuman) {
    form->DealBtnClick();
    TMainFormProbe::SetCounters(*form, 24, 24);
    TMainFormProbe::SetStuck(*form, true, true);
    dialogs.Answers = {mbNo};
    const int32_t score = form->GameScore();
    form->CheckStuck();
    EXPECT_TRUE(form->HumanWon());
    EXPECT_TRUE(form->ComputerWon());
    Drain();
    const auto it =
        std::find_if(dialogs.Shown.begin(), dialogs.Shown.end(), [](const TKsMessage& m) {
            return m.Text == QStringLiteral("You Won, Do you want to play again?");
        });
    EXPECT_NE(it, dialogs.Shown.end());
    EXPECT_EQ(form->GameScore(), score + 1 + 300 + 0 + 1) << "no cards left to the computer";
}

TEST_F(Main, TurnOverStopsAtThePassThatWins) {
    form->DealBtnClick();
    // The human's last card goes in the first pass; the computer, on Twos, stays stuck
    // whatever its pile turns over.
    form->Play1Pile->EmptyAllCards();
    for (int i = 0; i < 4; ++i) {
        SetSlot(form->Play1Card[i], i == 0 ? 7 : 0);
        SetSlot(form->Play2Card[i], 2);
    }
    for (int i = 0; i < form->Play2Pile->Count(); ++i)
        form->Play2Pile->GetCard(i)->SetID(7 + 13);
    TMainFormProbe::TakeGroups(*form);
    const int pile = form->Play2Pile->NonEmptyCount();
    TMainFormProbe::SetCounters(*form, 24, 10);
    TMainFormProbe::SetScore(*form, 24);
    TMainFormProbe::SetStuck(*form, true, true);
    dialogs.Answers = {mbNo};
    form->CheckStuck();
    EXPECT_EQ(form->ComputerPlayed(), 11);
    EXPECT_EQ(form->Play2Pile->NonEmptyCount(), pile - 1) << "no card moves after the win";
    Drain();
    EXPECT_EQ(form->GameScore(), 24 + 1 + 300 + 1400 + 1);
}

TEST_F(Main, BothPilesEmptyTurnsOneSlotCardPerPass) {
    form->DealBtnClick();
    form->Play1Pile->EmptyAllCards();
    form->Play2Pile->EmptyAllCards();
    SetTop(form->CardTable1, 2);
    SetTop(form->CardTable2, 2 + 13);
    for (int i = 0; i < 4; ++i) {
        SetSlot(form->Play1Card[i], i < 2 ? 0 : 7);
        SetSlot(form->Play2Card[i], 11);
    }
    TMainFormProbe::TakeGroups(*form);
    TMainFormProbe::SetStuck(*form, true, true);
    form->CheckStuck();
    EXPECT_EQ(form->CardTable1->CardTop().ID(), 7) << "the first slot that holds a card";
    EXPECT_TRUE(form->Play1Card[2]->GetCard(0)->Empty());
    EXPECT_FALSE(form->Play1Card[3]->GetCard(0)->Empty());
    EXPECT_EQ(form->CardTable2->CardTop().ID(), 11);
    EXPECT_TRUE(form->Play2Card[0]->GetCard(0)->Empty());
    EXPECT_EQ(form->HumanPlayed(), 1) << "one pass only, though both are still stuck";
    EXPECT_TRUE(form->HumanStuck() && form->ComputerStuck());
}

TEST_F(Main, DeckSizeOneTwoOne) {
    EXPECT_EQ(Dealable(form->Play1Pile), 21);
    form->SetDeckCount(2);
    form->SetUpDeckSize();
    EXPECT_EQ(dialogs.Shown.back().Text,
              QStringLiteral("Creating a Second Deck, Please be Patient"));
    EXPECT_EQ(dialogs.Shown.back().Type, mtWarning);
    EXPECT_EQ(Dealable(form->Play1Pile), 47);
    EXPECT_EQ(Dealable(form->Play2Pile), 47);
    EXPECT_EQ(form->VirtualDeck->IncludedCards().CardCount(), 104);
    EXPECT_EQ(form->Deck->DeckType(), dcDouble);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr) << "the hourglass is gone";
    form->DealBtnClick();
    EXPECT_EQ(Held(form->Play1Pile, form->Play1Card) + form->HumanPlayed(), 51);
    EXPECT_EQ(form->CardsToWin(), 51);

    form->SetDeckCount(1);
    form->SetUpDeckSize();
    EXPECT_EQ(Dealable(form->Play1Pile), 21);
    EXPECT_EQ(form->Play1Pile->Count(), 47);
    form->DealBtnClick();
    EXPECT_EQ(Held(form->Play1Pile, form->Play1Card) + form->HumanPlayed(), 25);
    form->SetDeckCount(2);
    form->SetUpDeckSize();
    EXPECT_EQ(form->Play1Pile->Count(), 47) << "the entries are reused";
    EXPECT_EQ(Dealable(form->Play1Pile), 47);
}

TEST_F(Main, LasVegasChargesAStakePerDealAndStartsAfreshAfterAConfirmedChange) {
    form->SetScoring(1);
    form->DealBtnClick();
    EXPECT_EQ(form->GameScore() - form->HumanPlayed(), -25);
    form->DealBtnClick();
    EXPECT_EQ(form->GameScore() - form->HumanPlayed() * 2, -50);

    // The options dialog: change to two decks and confirm the question.
    dialogs.Answers = {mbYes, mbOK};
    dialogs.OnExec = [](QDialog& d) {
        auto& options = dynamic_cast<TOptionsForm&>(d);
        options.DeckSize()->SetItemIndex(1);
        options.SaveBtnClick();
        return d.result();
    };
    const int32_t passesBefore = form->HumanPlayed();
    form->OptionBtnClick();
    EXPECT_EQ(form->DeckCount(), 2);
    EXPECT_EQ(form->GameScore() - form->HumanPlayed(), -50) << "a fresh start: minus the stake";
    (void)passesBefore;
}

TEST_F(Main, WindowAfterADealShowsTheCardsWhereTheyBelong) {
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    form->DealBtnClick();
    QCoreApplication::processEvents();
    const QImage grab = form->grab().toImage();
    QDir().mkpath(QStringLiteral(TOLVI_TEST_OUTPUT_DIR));
    grab.save(QStringLiteral(TOLVI_TEST_OUTPUT_DIR "/table-after-deal.png"));
    const QColor background = form->palette().color(QPalette::Window);
    for (TKsCardGroup* slot : {form->Play1Card[0], form->Play1Card[3], form->Play2Card[1]}) {
        const QImage expected = ShownPicture(*CardImage(slot->GetCard(0)->ID()), background);
        EXPECT_TRUE(RegionEquals(grab, slot->x(), slot->y(), expected, 71, 96));
    }
    for (TKsCardTable* table : {form->CardTable1, form->CardTable2}) {
        const QImage expected = ShownPicture(*CardImage(table->CardTop().ID()), background);
        EXPECT_TRUE(RegionEquals(grab, table->x() + 35, table->y(), expected, 71, 96));
    }
    const QImage back = ShownPicture(*CardImage(56), background);
    EXPECT_TRUE(RegionEquals(grab, 135, 344, back, 71, 96)) << "the human's pile";
    EXPECT_TRUE(RegionEquals(grab, 135, 24, back, 71, 96)) << "the computer's pile";
    EXPECT_EQ(form->DealBtn->geometry(), QRect(6, 338, 75, 25));
    EXPECT_EQ(form->ScoreBtn->geometry(), QRect(6, 422, 75, 25));
    EXPECT_EQ(form->ScoreLabel->pos(), QPoint(599, 208));
    EXPECT_EQ(form->size(), QSize(632, 453));

    // The title panel: the picture drawn at build time, the version written over its felt.
    const QImage title = KsReadPicture(QStringLiteral(":/pictures/title.kspc"));
    ASSERT_EQ(title.size(), QSize(90, 453));
    // The Game menu's button sits above the title.
    EXPECT_TRUE(RegionEquals(grab, 0, 40, title.copy(0, 40, 90, 278), 90, 278))
        << "title and suits";
    EXPECT_FALSE(RegionEquals(grab, 0, 318, title.copy(0, 318, 90, 16), 90, 16))
        << "the version line";
}

} // namespace

namespace {

TEST_F(Main, DialogsRestartTheTimerOnlyWhileAGameRuns) {
    dialogs.OnExec = [](QDialog&) { return int(QDialog::Accepted); };
    form->ScoreBtnClick();
    EXPECT_FALSE(form->Timer->isActive()) << "nothing dealt yet";
    form->DealBtnClick();
    ASSERT_TRUE(form->Timer->isActive());
    form->ScoreBtnClick();
    EXPECT_TRUE(form->Timer->isActive()) << "the game goes on";
    TMainFormProbe::SetCounters(*form, 3, 24);
    TMainFormProbe::SetStuck(*form, false, false);
    SetTop(form->CardTable2, 9);
    SetSlot(form->Play2Card[0], 10);
    dialogs.Answers = {mbNo};
    form->TimerTimer();
    Drain();
    ASSERT_FALSE(form->GameRunning());
    form->ScoreBtnClick();
    form->OptionBtnClick();
    EXPECT_FALSE(form->Timer->isActive()) << "a decided game stays decided";
}

TEST_F(Main, StuckWinnerIsReportedOncePerGame) {
    form->DealBtnClick();
    TMainFormProbe::SetWon(*form, false, true);
    TMainFormProbe::SetStuck(*form, false, true);
    const size_t before = dialogs.Shown.size();
    form->TimerTimer();
    form->TimerTimer();
    form->TimerTimer();
    ASSERT_EQ(dialogs.Shown.size(), before + 1);
    EXPECT_TRUE(dialogs.Shown.back().Text.startsWith(QStringLiteral("ERROR CAUGHT!!")));
}

// Every card of both sides as dealt: piles, row and the central tables.
std::vector<int32_t> DealtCards(const TMainForm& F) {
    std::vector<int32_t> ids;
    for (auto [pile, row, table] : {std::tuple{F.Play1Pile, F.Play1Card, F.CardTable1},
                                    std::tuple{F.Play2Pile, F.Play2Card, F.CardTable2}}) {
        for (int i = 0; i < pile->Count(); ++i)
            ids.push_back(pile->GetCard(i)->Empty() ? 0 : pile->GetCard(i)->ID());
        for (TKsCardGroup* s : row)
            ids.push_back(s->GetCard(0)->ID());
        ids.push_back(table->CardTop().ID());
    }
    return ids;
}

TEST_F(Main, OneDealNumberDealsTheSameCardsAtEitherDeckSize) {
    for (int32_t decks : {1, 2}) {
        form->SetDeckCount(decks);
        form->SetUpDeckSize();
        form->DealNumbered(2026u);
        EXPECT_EQ(form->DealNumber(), 2026u);
        const std::vector<int32_t> first = DealtCards(*form);
        const size_t half = first.size() / 2;
        EXPECT_FALSE(std::equal(first.begin(), first.begin() + half, first.begin() + half))
            << "the two sides are shuffled apart";
        // Each card laid moves its table's turn on; the next deal of the number is the same.
        form->TurnOverPiles();
        form->DealBtnClick();
        const uint32_t clockNumber = form->DealNumber();
        const std::vector<int32_t> byClock = DealtCards(*form);
        EXPECT_NE(byClock, first);
        form->DealNumbered(2026u);
        EXPECT_EQ(DealtCards(*form), first) << decks << " deck(s)";
        // A deal without a chosen number is played again from the clock's reading.
        form->DealNumbered(clockNumber);
        EXPECT_EQ(DealtCards(*form), byClock) << decks << " deck(s)";
    }
}

} // namespace
