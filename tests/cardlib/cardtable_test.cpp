#include "card_pixels.h"
#include "ksabort.h"
#include "ksbusy.h"
#include "kscardgroup.h"
#include "kscardtable.h"
#include "ksdensity.h"
#include "ksrandom.h"
#include "ksvirtualdeck.h"
#include "screen_grab.h"
#include "table_form.h"

#include <QDir>
#include <QLabel>
#include <QTest>
#include <gtest/gtest.h>
#include <set>
#include <stdexcept>

namespace {

const QColor Background(0, 100, 0);

struct TAdded {
    int32_t Count, Pos, ID, Prev;
    bool Owned;
    TKsSingleCard* Top;
};

class CardTable : public ::testing::Test {
protected:
    void SetUp() override {
        PrepareForm(form, Background, 640, 480);
        table = new TKsCardTable(&form);
        table->move(300, 100);
        table->GameOptions().SetTakeDelay(0);
        table->AfterAddCard = [this](TKsCardTable* sender, int32_t count, int32_t pos,
                                     TKsSingleCard* top, int32_t id, int32_t prev, bool owned) {
            EXPECT_EQ(sender, table);
            added.push_back({count, pos, id, prev, owned, top});
        };
    }

    // A group of the given card IDs (0 for an empty entry) that plays to the table.
    TKsCardGroup* Group(std::initializer_list<int> IDs, TKsController Controller = ctComputer,
                        bool Player = true) {
        auto* group = new TKsCardGroup(&form);
        group->move(20, 20 + 100 * static_cast<int>(groups.size()));
        for (int id : IDs) {
            TKsSingleCard& card = group->CardList().Add().Card();
            card.SetShowBack(false);
            card.SetID(id == 0 ? 14 : id);
            card.SetEmpty(id == 0);
        }
        group->SetController(Controller);
        group->SetTable(table);
        if (Player)
            table->PlayerList().Add().CardGroup = group;
        groups.push_back(group);
        return group;
    }

    void Play(TKsCardGroup* G, int Position) {
        KsHandleEvent([&] { G->PlayCard(Position, false, tpAuto); });
    }

    QWidget form;
    TKsCardTable* table = nullptr;
    std::vector<TKsCardGroup*> groups;
    std::vector<TAdded> added;
};

TEST_F(CardTable, NewTableState) {
    EXPECT_EQ(table->PlayedCardsCount(), 0);
    EXPECT_EQ(table->TopCardPos(), -1);
    EXPECT_EQ(table->TopCardID(), -1);
    EXPECT_EQ(table->PrevCardID(), -2);
    EXPECT_EQ(table->NextPos(), 0);
    EXPECT_EQ(table->LedSuit(), stJoker);
    EXPECT_EQ(table->size(), QSize(131, 156));
    EXPECT_FALSE(table->Empty());
    EXPECT_EQ(table->CardAt(0), &table->CardBottom());
    EXPECT_EQ(table->CardAt(1), &table->CardLeft());
    EXPECT_EQ(table->CardAt(2), &table->CardTop());
    EXPECT_EQ(table->CardAt(3), &table->CardRight());
    EXPECT_EQ(table->CardAt(4), nullptr);
    EXPECT_FALSE(table->CardTop().ShowBack());
    EXPECT_EQ(table->GameOptions().Trump(), stJoker);
    TKsGameOptions fresh;
    EXPECT_EQ(fresh.CardsPerTrick(), 1);
    EXPECT_EQ(fresh.TakeDelay(), 500);
    EXPECT_FALSE(fresh.AutoPlay());
    TKsPointItem point;
    EXPECT_EQ(point.CardID, 14);
    EXPECT_EQ(point.Points, 1);
}

TEST_F(CardTable, NextPositionFollowsTheDirection) {
    TKsCardGroup* g = Group({2, 3, 4, 5, 6, 7, 8, 9});
    table->SetPlayPosition(0);
    table->SetPlayPosition(4);
    table->SetPlayPosition(-1);
    EXPECT_EQ(table->NextPos(), 0);
    for (int i = 0; i < 4; ++i)
        Play(g, i);
    ASSERT_EQ(added.size(), 4u);
    EXPECT_EQ((std::vector<int>{added[0].Pos, added[1].Pos, added[2].Pos, added[3].Pos}),
              (std::vector<int>{0, 1, 2, 3}));
    table->GameOptions().SetAutoPosDirection(tdCounterClockWise);
    table->SetPlayPosition(0);
    for (int i = 4; i < 8; ++i)
        Play(g, i);
    EXPECT_EQ((std::vector<int>{added[4].Pos, added[5].Pos, added[6].Pos, added[7].Pos}),
              (std::vector<int>{0, 3, 2, 1}));
}

TEST_F(CardTable, PlayersAndTheHuman) {
    EXPECT_EQ(table->HumanPlayer(), nullptr);
    table->PlayerList().Add(); // no group
    TKsCardGroup* computer = Group({2});
    TKsCardGroup* human = Group({3}, ctHuman);
    Group({4}, ctHuman);
    EXPECT_EQ(table->PlayerCount(), 4);
    EXPECT_EQ(table->HumanPlayer(), human);
    EXPECT_EQ(table->NextPlayer(3), 0);
    EXPECT_EQ(table->NextPlayer(1), 2);
    EXPECT_EQ(table->PlayerList().Items(1).CardGroup, computer);
    EXPECT_THROW(table->PlayerList().Items(4), EKsListError);
}

TEST_F(CardTable, BackSettersReachThePositionCards) {
    int backEvents = 0, showEvents = 0;
    table->OnCardBackChange = [&](auto*, auto*) { ++backEvents; };
    table->OnCardShowBackChange = [&](auto*, auto*) { ++showEvents; };
    table->SetCardBack(cbDefault);
    EXPECT_EQ(backEvents, 0) << "an unchanged back does not touch the cards";
    table->SetCardBack(cbRobot);
    EXPECT_EQ(backEvents, 4);
    EXPECT_EQ(table->CardTop().CardBack(), cbRobot);
    table->SetShowBack(false);
    table->SetShowBack(true);
    EXPECT_EQ(showEvents, 4);
    EXPECT_TRUE(table->CardRight().ShowBack());
}

TEST_F(CardTable, WorkedExampleAceOfClubsThenTwoOfHearts) {
    TKsCardGroup* a = Group({14});
    TKsCardGroup* b = Group({41});
    table->ClearTable(false);
    table->SetPlayPosition(2);
    const int32_t left = table->CardsLeft();
    Play(a, 0);
    ASSERT_EQ(added.size(), 1u);
    EXPECT_EQ(added[0].Count, 1);
    EXPECT_EQ(added[0].Pos, 2);
    EXPECT_EQ(added[0].Top, &table->CardTop());
    EXPECT_EQ(added[0].ID, 14);
    EXPECT_EQ(added[0].Prev, -1);
    EXPECT_TRUE(added[0].Owned);
    EXPECT_EQ(table->NextPos(), 3);
    EXPECT_EQ(table->CardsLeft(), left - 1);
    EXPECT_EQ(table->CurrentPlayer(), 1);
    EXPECT_TRUE(a->GetCard(0)->Empty());
    EXPECT_EQ(table->CardTop().SourceGroup(), a);

    Play(b, 0);
    ASSERT_EQ(added.size(), 2u);
    EXPECT_EQ(added[1].Count, 2);
    EXPECT_EQ(added[1].Pos, 3);
    EXPECT_EQ(added[1].Top, &table->CardRight());
    EXPECT_EQ(added[1].ID, 41);
    EXPECT_EQ(added[1].Prev, 14);
}

TEST_F(CardTable, SuitCheckingMakesPlayersFollowTheLedSuit) {
    table->GameOptions().SetSuitChecking(true);
    TKsCardGroup* leader = Group({20});      // Eight of diamonds
    TKsCardGroup* follower = Group({5, 22}); // Five of clubs, Ten of diamonds
    std::vector<std::pair<bool, bool>> seen; // SuitExists, Accept
    table->BeforeAddCard = [&](auto*, TKsSingleCard*, bool exists, bool& accept) {
        seen.emplace_back(exists, accept);
    };
    Play(leader, 0);
    EXPECT_EQ(table->LedSuit(), stDiamond);
    Play(follower, 0); // a club while a diamond is held: refused
    EXPECT_FALSE(follower->GetCard(0)->Empty()) << "the refused card is back in its entry";
    EXPECT_EQ(table->PlayedCardsCount(), 1);
    Play(follower, 1);
    Play(follower, 0); // no diamond left: accepted
    EXPECT_EQ(table->PlayedCardsCount(), 3);
    ASSERT_EQ(seen.size(), 4u);
    EXPECT_EQ(seen[0], std::make_pair(false, true));
    EXPECT_EQ(seen[1], std::make_pair(true, false));
    EXPECT_EQ(seen[3], std::make_pair(false, true));
}

TEST_F(CardTable, StrictCheckingForbidsLeadingTrumpUntilOneIsPlayed) {
    table->GameOptions().SetSuitChecking(true);
    table->GameOptions().SetStrictSuitChecking(true);
    table->GameOptions().SetTrump(stHeart);
    TKsCardGroup* g = Group({45, 6, 46});
    table->ClearTable(false);
    Play(g, 0); // a heart onto an empty table
    EXPECT_EQ(table->PlayedCardsCount(), 0);
    EXPECT_FALSE(table->TrumpPlayed());
    Play(g, 1); // leads clubs
    Play(g, 0); // the group still holds no club: the heart passes as trump
    EXPECT_TRUE(table->TrumpPlayed());
    table->ClearTable(false);
    Play(g, 2);
    EXPECT_EQ(table->PlayedCardsCount(), 1) << "trump may now be led";
}

TEST_F(CardTable, JokersAreTrumpsByDefaultAndTrumpPlayedSurvivesARefusal) {
    table->GameOptions().SetSuitChecking(true);
    TKsCardGroup* g = Group({6, 54});
    Play(g, 0);
    table->BeforeAddCard = [](auto*, auto*, bool, bool& accept) { accept = false; };
    Play(g, 1);
    EXPECT_TRUE(table->TrumpPlayed());
    EXPECT_FALSE(g->GetCard(1)->Empty());
    EXPECT_EQ(table->PlayedCardsCount(), 1);
}

TEST_F(CardTable, FourPlayersPlayAWholePartyByThemselves) {
    for (int i = 0; i < 4; ++i)
        Group({0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    TKsVirtualDeck deck(&form);
    deck.SetShuffleCount(10);
    table->SetVirtualDeck(&deck);
    table->GameOptions().SetCardsPerTrick(4);
    int tricks = 0, parties = 0;
    table->AfterTrickFinish = [&](auto*) {
        EXPECT_EQ(parties, 0);
        ++tricks;
    };
    table->AfterPartyFinish = [&](auto*) { ++parties; };
    table->ClearTable(true);
    table->PrepareDeck();
    table->DealToPlayers(false);
    for (TKsCardGroup* g : groups)
        EXPECT_EQ(g->NonEmptyCount(), 13);
    table->GameOptions().SetAutoPlay(true);
    KsHandleEvent([&] { groups[0]->PlayTurn(); });
    EXPECT_EQ(tricks, 12);
    EXPECT_EQ(parties, 1);
    EXPECT_EQ(table->PlayedCardsCount(), 52);
    EXPECT_EQ(BusyDepth(), 0u);
}

TEST_F(CardTable, TrickTestIsAnEquality) {
    table->GameOptions().SetCardsPerTrick(0);
    TKsCardGroup* g = Group({2, 3, 4});
    int finished = 0;
    table->AfterTrickFinish = table->AfterPartyFinish = [&](auto*) { ++finished; };
    for (int i = 0; i < 3; ++i)
        Play(g, i);
    EXPECT_EQ(finished, 0);
    EXPECT_EQ(table->TrickCards(), 3);
}

TEST_F(CardTable, AutoPlayStopsSilentlyAtAHumanPlayer) {
    TKsCardGroup* computer = Group({2, 3});
    TKsCardGroup* human = Group({4, 5}, ctHuman);
    int asked = 0;
    human->BeforePlay = [&](auto*, int32_t&, TKsTablePos&, bool&) { ++asked; };
    table->GameOptions().SetAutoPlay(true);
    const bool completed = KsHandleEvent([&] { computer->PlayTurn(); });
    EXPECT_FALSE(completed);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(table->PlayedCardsCount(), 1);
    EXPECT_EQ(BusyDepth(), 0u);
    EXPECT_FALSE(KsHandleEvent([&] { human->PlayTurn(); })) << "never played for a person";
    EXPECT_EQ(human->NonEmptyCount(), 2);
}

TEST_F(CardTable, FailingAddCardHandlerLeavesTheLibraryIdle) {
    TKsCardGroup* g = Group({2});
    table->AfterAddCard = [](auto...) { throw std::runtime_error("handler fails"); };
    EXPECT_THROW(g->PlayCard(0, false, tpAuto), std::runtime_error);
    EXPECT_EQ(BusyDepth(), 0u);
    EXPECT_EQ(table->PlayedCardsCount(), 1);
}

TEST_F(CardTable, DealerRotation) {
    auto make3 = [&] {
        for (TKsCardGroup* g : groups)
            g->SetDealer(false);
        return std::vector<TKsCardGroup*>{groups[0], groups[1], groups[2]};
    };
    Group({0});
    Group({0});
    Group({0});
    TKsVirtualDeck deck(&form);
    table->SetVirtualDeck(&deck);
    table->PrepareDeck();
    std::vector<TKsCardGroup*> order;
    table->AfterDealingFinish = [&](auto*) { order.clear(); };

    auto g = make3();
    g[1]->SetDealer(true);
    table->DealToPlayers(true);
    EXPECT_TRUE(g[2]->Dealer());
    EXPECT_FALSE(g[1]->Dealer());
    EXPECT_EQ(table->CurrentPlayer(), 0);
    EXPECT_EQ(g[0]->GetCard(0)->ID(), 53) << "dealing starts with the first group";

    g = make3();
    g[2]->SetDealer(true);
    table->DealToPlayers(false);
    EXPECT_EQ(table->CurrentPlayer(), 0);
    EXPECT_TRUE(g[2]->Dealer());

    g = make3();
    table->DealToPlayers(false);
    EXPECT_EQ(table->CurrentPlayer(), 0) << "no dealer: the current player stays";
}

TEST_F(CardTable, DealingSkipsReservedEntriesAndStopsWhenTheDeckRunsOut) {
    TKsVirtualDeck deck(&form);
    for (int s = 1; s <= 4; ++s)
        deck.IncludedCards().GetSuit(s).SetAllRanks(0);
    deck.IncludedCards().Clubs().SetRank(5, 1);
    deck.IncludedCards().Clubs().SetRank(6, 1);
    table->SetVirtualDeck(&deck);
    TKsCardGroup* g = Group({0, 0, 0, 0});
    g->GetCard(0)->SetReserved(true);
    table->PrepareDeck();
    table->DealToGroup(g);
    EXPECT_TRUE(g->GetCard(0)->Empty());
    EXPECT_EQ(g->GetCard(1)->ID(), 6);
    EXPECT_EQ(g->GetCard(2)->ID(), 5);
    EXPECT_TRUE(g->GetCard(3)->Empty());
}

TEST_F(CardTable, EmptyPlayerListDealsNothing) {
    TKsVirtualDeck deck(&form);
    table->SetVirtualDeck(&deck);
    table->PrepareDeck();
    int finished = 0;
    table->AfterDealingFinish = [&](auto*) { ++finished; };
    table->GameOptions().SetAutoPlay(true);
    table->DealToPlayers(true);
    EXPECT_EQ(finished, 1);
    EXPECT_EQ(deck.TopIndex(), 51);
}

TEST_F(CardTable, HiddenRelayTableDealsOneClosedAndOneOpenCard) {
    TKsVirtualDeck deck(&form);
    table->SetVirtualDeck(&deck);
    table->GameOptions().SetTableCloseCards(1);
    table->GameOptions().SetTableOpenCards(1);
    table->ClearTable(false);
    table->PrepareDeck();
    int32_t reportedPos = -9, reportedCount = -9;
    table->AfterDealToTable = [&](auto*, int32_t count, int32_t pos, TKsSingleCard* top) {
        reportedCount = count;
        reportedPos = pos;
        EXPECT_EQ(top, table->CardAt(pos));
    };
    table->DealToTable();
    EXPECT_EQ(reportedCount, 2);
    EXPECT_EQ(reportedPos, 0);
    EXPECT_TRUE(table->CardRight().ShowBack());
    EXPECT_EQ(table->CardRight().ID(), 53);
    EXPECT_FALSE(table->CardBottom().ShowBack());
    EXPECT_EQ(table->CardBottom().ID(), 52);
    ASSERT_EQ(added.size(), 2u);
    EXPECT_FALSE(added[0].Owned);
    EXPECT_EQ(table->TrickCards(), 0) << "dealt cards are no trick";
}

TEST_F(CardTable, DealToTableEndsWithoutItsEventWhenTheDeckRunsOut) {
    table->GameOptions().SetTableOpenCards(2);
    bool raised = false;
    table->AfterDealToTable = [&](auto...) { raised = true; };
    table->DealToTable();
    EXPECT_FALSE(raised) << "no virtual deck";
    table->GameOptions().SetTableOpenCards(0);
    table->DealToTable();
    EXPECT_TRUE(raised);
}

TEST_F(CardTable, GiveCardToMovesTheTopCardIntoTheFirstEmptyEntry) {
    TKsCardGroup* from = Group({20, 21});
    TKsCardGroup* to = Group({30, 0, 0});
    table->ClearTable(false);
    Play(from, 0);
    Play(from, 1);
    EXPECT_EQ(table->TopCardPos(), 0);
    table->GiveCardTo(to);
    EXPECT_EQ(to->GetCard(1)->ID(), 21);
    EXPECT_FALSE(to->GetCard(1)->Empty());
    EXPECT_TRUE(to->GetCard(2)->Empty());
    EXPECT_TRUE(table->CardBottom().Empty());
    EXPECT_EQ(table->PlayedCardsCount(), 1);
    EXPECT_EQ(table->TopCardPos(), 1);
    EXPECT_EQ(table->NextPos(), 0);
    Play(to, 0);
    EXPECT_EQ(added.back().Pos, 0) << "the next card lands on the emptied position";
}

TEST_F(CardTable, GiveCardToWithNothingToGiveOrNowhereToPutItDoesNothing) {
    TKsCardGroup* to = Group({0});
    table->ClearTable(false);
    table->GiveCardTo(to);
    EXPECT_TRUE(to->GetCard(0)->Empty());
    TKsCardGroup* from = Group({7});
    Play(from, 0);
    auto* none = new TKsCardGroup(&form);
    table->GiveCardTo(none);
    table->GiveCardTo(nullptr);
    EXPECT_EQ(table->PlayedCardsCount(), 1);
    EXPECT_FALSE(table->CardRight().Empty());
    EXPECT_EQ(BusyDepth(), 0u);
}

TEST_F(CardTable, ClickOnTheTableConcernsTheTopCard) {
    TKsCardGroup* human = Group({0, 0}, ctHuman);
    TKsCardGroup* other = Group({9});
    int clicks = 0;
    table->OnCardClick = [&](TKsCardTable*, TKsSingleCard* top, bool& takeIt) {
        EXPECT_EQ(top->ID(), 9);
        EXPECT_TRUE(Busy());
        ++clicks;
        takeIt = true;
    };
    QTest::mouseClick(table, Qt::RightButton, {}, QPoint(2, 2));
    EXPECT_EQ(clicks, 0) << "nothing on the table";
    table->ClearTable(false);
    Play(other, 0);
    QTest::mouseClick(table, Qt::RightButton, {}, QPoint(2, 2));
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(human->GetCard(0)->ID(), 9);
    EXPECT_FALSE(human->GetCard(0)->Empty());
    BeginBusy();
    QTest::mouseClick(table, Qt::LeftButton, {}, QPoint(50, 50));
    EndBusy();
    EXPECT_EQ(clicks, 1);
}

TEST_F(CardTable, GroupClickChain) {
    TKsCardGroup* g = Group({2, 0, 4});
    std::vector<int32_t> clicked;
    bool play = false;
    g->OnCardClick = [&](TKsCardGroup*, TKsSingleCard* card, int32_t pos, bool& playIt,
                         TKsTablePos& tablePos, bool&, Qt::MouseButton) {
        EXPECT_EQ(card, g->GetCard(pos));
        EXPECT_EQ(tablePos, tpAuto);
        clicked.push_back(pos);
        playIt = play;
    };
    TKsTablePos seenPos = tpTop;
    g->AfterPlay = [&](TKsCardGroup*, int32_t, TKsTablePos pos) { seenPos = pos; };
    QTest::mouseClick(g, Qt::LeftButton, {}, QPoint(100, 50)); // the empty entry
    play = true;
    QTest::mouseClick(g, Qt::MiddleButton, {}, QPoint(100, 50));
    EXPECT_EQ(table->PlayedCardsCount(), 0) << "an empty entry plays nothing";
    BeginBusy();
    QTest::mouseClick(g, Qt::LeftButton, {}, QPoint(20, 50));
    EndBusy();
    EXPECT_EQ(clicked, (std::vector<int32_t>{1, 1})) << "a click while busy is dropped";
    QTest::mouseClick(g, Qt::LeftButton, {}, QPoint(20, 50));
    EXPECT_EQ(table->PlayedCardsCount(), 1);
    EXPECT_EQ(seenPos, tpAuto);
    g->SetTable(nullptr);
    QTest::mouseClick(g, Qt::LeftButton, {}, QPoint(160, 50));
    EXPECT_EQ(clicked.size(), 4u);
    EXPECT_FALSE(g->GetCard(2)->Empty()) << "no table: nothing is played";
}

TEST_F(CardTable, TheGamesDealOnOneVisibleTable) {
    TKsSeedClockOverride clock([] { return 45296789u; });
    TKsVirtualDeck deck(&form);
    deck.SetShuffleCount(100);
    table->SetVirtualDeck(&deck);
    table->GameOptions().SetTableOpenCards(1);
    TKsCardGroup* pile = Group(std::initializer_list<int>{});
    for (int i = 0; i < 21; ++i)
        pile->CardList().Add().Card().SetEmpty(true);
    std::vector<TKsCardGroup*> slotGroups;
    for (int i = 0; i < 4; ++i)
        slotGroups.push_back(Group({0}));
    table->ClearTable(true);
    table->PrepareDeck();
    table->DealToPlayers(true);
    table->SetPlayPosition(2);
    table->DealToTable();
    std::multiset<int> seen;
    EXPECT_EQ(pile->NonEmptyCount(), 21);
    for (int i = 0; i < 21; ++i)
        seen.insert(pile->GetCard(i)->ID());
    for (TKsCardGroup* s : slotGroups) {
        EXPECT_EQ(s->NonEmptyCount(), 1);
        seen.insert(s->GetCard(0)->ID());
    }
    EXPECT_FALSE(table->CardTop().Empty());
    EXPECT_FALSE(table->CardTop().ShowBack());
    seen.insert(table->CardTop().ID());
    EXPECT_EQ(std::set<int>(seen.begin(), seen.end()).size(), 26u) << "26 distinct cards";
    EXPECT_EQ(deck.TopIndex() + 1, 26);
    EXPECT_EQ(table->TopCardPos(), 2);
    EXPECT_EQ(table->NextPos(), 3);
    // The fixed shuffle's top card goes first; the 26th card drawn lies on the table.
    EXPECT_EQ(pile->GetCard(0)->ID(), 45);
    EXPECT_EQ(table->CardTop().ID(), 5);
}

TEST_F(CardTable, LastPlacedCardLiesWholeOnTop) {
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    TKsCardGroup* g = Group({2, 16, 29, 42}, ctComputer, true);
    g->hide();
    table->ClearTable(false);
    table->SetPlayPosition(0);
    for (int i = 0; i < 4; ++i)
        Play(g, i);
    QImage screen = ScreenImage(form).copy(table->geometry());
    EXPECT_TRUE(RegionEquals(screen, 60, 35, ShownPicture(*CardImage(42), Background), 71, 96));
    table->GiveCardTo(g);
    screen = ScreenImage(form).copy(table->geometry());
    EXPECT_TRUE(RegionEquals(screen, 35, 0, ShownPicture(*CardImage(29), Background), 71, 96))
        << "the one placed before shows whole again";
}

} // namespace

namespace {

TEST_F(CardTable, FirstCardOnAnEmptyTableShowsItsEmptyPlacesAtOnce) {
    // The game's ring lies under the table, reaching out beside the top card.
    auto* ring = new QLabel(&form);
    ring->setPixmap(QPixmap::fromImage(KsDensityPicture(QStringLiteral("ring"), 1)));
    ring->setGeometry(table->x() + 30, table->y() + 8, 80, 80);
    ring->stackUnder(table);
    for (int p = 0; p < 4; ++p)
        table->CardAt(p)->SetEmpty(true);
    table->SetEmpty(true);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    table->SetPlayPosition(2);
    table->PlaceCard(41, false, nullptr);
    QCoreApplication::processEvents();
    const QImage screen = ScreenImage(form).copy(table->geometry());
    QDir().mkpath(QStringLiteral(TOLVI_TEST_OUTPUT_DIR));
    screen.save(QStringLiteral(TOLVI_TEST_OUTPUT_DIR "/table-first-card.png"));
    EXPECT_EQ(screen.convertToFormat(QImage::Format_RGB32),
              table->Surface().Image().convertToFormat(QImage::Format_RGB32));
}

} // namespace
