#include "card_pixels.h"
#include "kscardgroup.h"
#include "ksformloader.h"
#include "kssinglecard.h"
#include "kssurface.h"
#include "screen_grab.h"
#include "table_form.h"

#include <QTest>
#include <gtest/gtest.h>
#include <string>

namespace {

const QColor Background(0, 128, 0);

class CardGroup : public ::testing::Test {
protected:
    void SetUp() override {
        PrepareForm(form, Background, 640, 480);
        group = new TKsCardGroup(&form);
    }

    void Show() {
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
        QCoreApplication::processEvents();
    }

    // Appends entries with the given IDs, face up; 0 adds an empty entry.
    void Fill(std::initializer_list<int> IDs) {
        for (int id : IDs) {
            TKsSingleCard& card = group->CardList().Add().Card();
            card.SetShowBack(false);
            if (id == 0)
                card.SetEmpty(true);
            else
                card.SetID(id);
        }
    }

    std::vector<int> IDs() const {
        std::vector<int> ids;
        for (int i = 0; i < group->Count(); ++i)
            ids.push_back(group->GetCard(i)->ID());
        return ids;
    }

    QImage Screen() { return ScreenImage(form).copy(group->geometry()); }
    static QImage Picture(int N) { return ShownPicture(*CardImage(N), Background); }

    QWidget form;
    TKsCardGroup* group = nullptr;
};

TEST_F(CardGroup, NewGroupDefaults) {
    EXPECT_EQ(group->size(), QSize(71, 96));
    EXPECT_EQ(group->Tightness(), 16);
    EXPECT_EQ(group->CardCursor(), -21);
    EXPECT_EQ(group->Controller(), ctComputer);
    EXPECT_FALSE(group->Empty());
    EXPECT_TRUE(group->ShowOnlyPointCards());
    EXPECT_EQ(group->Count(), 0);
    EXPECT_EQ(group->FirstEmptyIndex(), -1);
    EXPECT_EQ(group->RandomCardIndex(), -1);
    EXPECT_EQ(group->GetCard(0), nullptr);
}

TEST_F(CardGroup, AddingRaisesUpdateBeforeAndAddAfterTheCardExists) {
    std::vector<std::string> events;
    group->AfterUpdate = [&](TKsCardGroup* g) {
        EXPECT_EQ(g, group);
        events.push_back("update:" + std::to_string(g->Count()));
    };
    group->AfterAddCard = [&](TKsCardGroup*, TKsSingleCard* card) {
        EXPECT_EQ(card->ID(), 14);
        EXPECT_EQ(card->Position(), group->Count() - 1);
        events.push_back("add");
    };
    group->CardList().Add();
    group->CardList().Add();
    EXPECT_EQ(events, (std::vector<std::string>{"update:1", "add", "update:2", "add"}));
}

TEST_F(CardGroup, LoadingRaisesNoAddEventsAndAutoEmptyEmptiesAtTheEnd) {
    int adds = 0, updates = 0;
    TKsFormLoader load;
    load.Add(*group, [&](TKsCardGroup& g) {
        g.AfterAddCard = [&](auto*, auto*) { ++adds; };
        g.AfterUpdate = [&](auto*) { ++updates; };
        g.SetAutoEmpty(true);
        for (int i = 0; i < 21; ++i)
            g.CardList().Add().Card().SetShowBack(false);
    });
    EXPECT_FALSE(group->GetCard(20)->Empty());
    load.Finish();
    EXPECT_EQ(adds, 0);
    EXPECT_EQ(updates, 0);
    EXPECT_FALSE(group->Loading());
    for (int i = 0; i < 21; ++i)
        EXPECT_TRUE(group->GetCard(i)->Empty()) << i;
}

TEST_F(CardGroup, DeletingKeepsLaterPositionsAndDestroyingRaisesNoDeleteEvents) {
    Fill({2, 3, 4, 5});
    int deletes = 0;
    group->AfterDeleteCard = [&](auto*) { ++deletes; };
    group->CardList().Delete(1);
    EXPECT_EQ(deletes, 1);
    EXPECT_EQ(group->GetCard(1)->Position(), 2) << "positions are assigned once";
    EXPECT_EQ(group->GetCard(2)->Position(), 3);
    EXPECT_THROW(group->CardList().Items(3), EKsListError);
    auto* other = new TKsCardGroup(&form);
    other->CardList().Add();
    int otherDeletes = 0;
    other->AfterDeleteCard = [&](auto*) { ++otherDeletes; };
    delete other; // NOLINT: the form would delete it later; here its destruction is the test
    EXPECT_EQ(otherDeletes, 0);
}

TEST_F(CardGroup, HandlersWalkTheGroupWhileEntriesComeAndGo) {
    group->SetCascadeStyle(csTight); // empty entries make their neighbours draw
    Fill({2, 0, 3});
    // Count, entries without a card, non-empty cards, first club.
    auto walk = [](TKsCardGroup* g) {
        g->RedrawAll(false);
        g->SortCards(soValue);
        int cardless = 0;
        for (int i = 0; i < g->Count(); ++i)
            cardless += g->GetCard(i) ? 0 : 1;
        return std::to_string(g->Count()) + "-" + std::to_string(cardless) + ":" +
               std::to_string(g->NonEmptyCount()) + "/" + std::to_string(g->FindSuit(stClub));
    };
    std::vector<std::string> seen;
    // The new entry has no card yet when the update is raised.
    group->AfterUpdate = [&](TKsCardGroup* g) { seen.push_back("update " + walk(g)); };
    group->CardList().Add();
    // A deleted entry is still listed, without its card, while the deletion is announced;
    // the update follows once it has left the list.
    group->AfterDeleteCard = [&](TKsCardGroup* g) { seen.push_back("delete " + walk(g)); };
    group->CardList().Delete(2); // an empty entry before it, a card after it
    EXPECT_EQ(seen,
              (std::vector<std::string>{"update 4-1:2/0", "delete 4-1:2/0", "update 3-0:2/0"}));
    // An empty entry after it, whose position now names its own entry.
    group->CardList().Delete(0);
    EXPECT_EQ(seen.size(), 5u);
    EXPECT_EQ(seen[3], "delete 3-1:1/2");
    EXPECT_EQ(seen[4], "update 2-0:1/1");
}

TEST_F(CardGroup, ResizeWhileHiddenRefitsAtOnceAndAShowIsNoResize) {
    group->SetAutoTight(true);
    for (int i = 0; i < 11; ++i)
        group->CardList().Add();
    int resizes = 0;
    group->OnResize = [&](auto*) { ++resizes; };
    group->setGeometry(10, 20, 300, 96);
    EXPECT_EQ(group->Tightness(), (300 - 71) / 11) << "refitted while the form is hidden";
    EXPECT_EQ(resizes, 1);
    group->SetTightness(3);
    Show();
    EXPECT_EQ(resizes, 1) << "the first show is no resize";
    EXPECT_EQ(group->Tightness(), 3);
}

TEST_F(CardGroup, ItemCardCopiesTheGivenCard) {
    Fill({2});
    TKsSingleCard source(group, &group->Surface());
    source.SetID(50);
    source.SetEmpty(true);
    TKsSingleCard* own = group->GetCard(0);
    group->CardList().Items(0).SetCard(source);
    EXPECT_EQ(group->GetCard(0), own);
    EXPECT_EQ(own->ID(), 50);
    EXPECT_TRUE(own->Empty());
}

TEST_F(CardGroup, TightnessIsClampedAndAutoTightFollowsTheRules) {
    group->SetTightness(100);
    EXPECT_EQ(group->Tightness(), 70);
    group->SetTightness(-5);
    EXPECT_EQ(group->Tightness(), 0);

    group->SetTightness(30);
    Fill({2, 3, 4});
    group->SetAutoSize(true);
    group->SetAutoTight(true); // the row shrinks to a tight cascade, which is no resize to fit
    EXPECT_EQ(group->Tightness(), 30);
    EXPECT_EQ(group->CascadeStyle(), csTight);
    EXPECT_FALSE(group->AutoSize());
    group->SetAutoTight(false);
    EXPECT_EQ(group->Tightness(), 16);

    group->SetTightness(5);
    group->SetCascadeStyle(csLoose);
    EXPECT_EQ(group->Tightness(), 16);
}

TEST_F(CardGroup, AutoTightFitsBeforeTheAppendAndOnResize) {
    Show();
    group->resize(300, 96);
    group->SetAutoTight(true);
    for (int i = 0; i < 10; ++i)
        group->CardList().Add();
    group->CardList().Add(); // the 11th entry
    EXPECT_EQ(group->Tightness(), (300 - 71) / 10);
    group->resize(301, 96);
    group->resize(300, 96);
    EXPECT_EQ(group->Tightness(), (300 - 71) / 11);
}

TEST_F(CardGroup, LoadedGroupIsDrawnOnceLoadedAndKeepsItsFitWhenFirstShown) {
    TKsFormLoader load;
    load.Add(*group, [&](TKsCardGroup& g) {
        g.setGeometry(10, 20, 300, 96);
        g.SetAutoTight(true);
        for (int i = 0; i < 11; ++i)
            g.CardList().Add().Card().SetShowBack(false);
        g.GetCard(10)->SetID(30);
    });
    EXPECT_EQ(group->Surface().Width(), 71) << "nothing is drawn while loading";
    load.Finish();
    const int32_t fitted = (300 - 71) / 10;
    EXPECT_EQ(group->Tightness(), fitted);
    EXPECT_EQ(group->GetCard(10)->CardRect().Left, 10 * fitted);
    EXPECT_EQ(group->Surface().Width(), 10 * fitted + 71);

    // Qt delivers the held-back resize on the first show; the size is the loaded one.
    Show();
    EXPECT_EQ(group->Tightness(), fitted);
    EXPECT_TRUE(RegionEquals(Screen(), 10 * fitted, 0, Picture(30), 71, 96));

    group->resize(301, 96);
    EXPECT_EQ(group->Tightness(), (301 - 71) / 11) << "a real resize refits";
}

TEST_F(CardGroup, CardAtPosInANormalRow) {
    Fill({2, 3, 4});
    EXPECT_EQ(group->CardAtPos(80, 50), 1);
    EXPECT_EQ(group->CardAtPos(73, 50), -1) << "the gap between two cards";
    EXPECT_EQ(group->CardAtPos(76, 50), -1) << "the left edge is outside";
    EXPECT_EQ(group->CardAtPos(77, 50), 1);
    EXPECT_EQ(group->CardAtPos(10, 0), -1) << "the top edge is outside";
}

TEST_F(CardGroup, CardAtPosInATightRowWidensOverEmptyFollowers) {
    group->SetCascadeStyle(csTight);
    Fill({2, 3, 4, 0, 0, 0});
    EXPECT_EQ(group->CardAtPos(90, 50), 2);
    EXPECT_EQ(group->GetCard(2)->CardRect(), (TKsRect{32, 0, 103, 96}));
    EXPECT_EQ(group->CardAtPos(110, 50), 3) << "an empty entry still takes the click";
    EXPECT_EQ(group->CardAtPos(20, 50), 1);
}

TEST_F(CardGroup, CoveredCardExtentStaysWithinTheCard) {
    // Four empty followers, none of them the last: 16 + 4 * 16 would be 80.
    group->SetCascadeStyle(csTight);
    Fill({2, 0, 0, 0, 0, 7});
    group->CardAtPos(0, 0);
    EXPECT_EQ(group->GetCard(0)->CardRect().Width(), 71);
    Fill({});
    group->SetTightness(35);
    group->CardAtPos(0, 0);
    EXPECT_EQ(group->GetCard(0)->CardRect().Width(), 71);
}

TEST_F(CardGroup, TightExtentExamples) {
    group->SetCascadeStyle(csTight);
    Fill({2, 3, 0, 5, 6, 0, 0, 9, 10, 0});
    group->CardAtPos(0, 0);
    EXPECT_EQ(group->GetCard(8)->CardRect().Width(), 71) << "next is the last and empty";
    EXPECT_EQ(group->GetCard(4)->CardRect().Width(), 48) << "two empty followers";
    EXPECT_EQ(group->GetCard(1)->CardRect().Width(), 32);
    EXPECT_EQ(group->GetCard(0)->CardRect().Width(), 16);
}

TEST_F(CardGroup, QueriesOnEmptyEntries) {
    Fill({2, 0, 30, 0, 45});
    EXPECT_EQ(group->NonEmptyCount(), 3);
    EXPECT_EQ(group->FindSuit(stSpade), 2);
    EXPECT_EQ(group->FindSuit(stDiamond), -1);
    EXPECT_EQ(group->FirstEmptyIndex(), 1);
    for (int i = 0; i < 20; ++i) {
        const int r = group->RandomCardIndex();
        EXPECT_TRUE(r == 0 || r == 2 || r == 4) << r;
    }
    group->GetCard(1)->SetEmpty(false);
    group->GetCard(3)->SetEmpty(false);
    EXPECT_EQ(group->FirstEmptyIndex(), 4) << "none empty: the last entry";
}

TEST_F(CardGroup, SortCardsMovesOnlyIds) {
    Fill({40, 41, 2});
    group->GetCard(1)->SetEmpty(true);
    group->GetCard(1)->SetNegative(true);
    group->SortCards(soValue);
    EXPECT_EQ(IDs(), (std::vector<int>{2, 41, 40}));
    EXPECT_TRUE(group->GetCard(1)->Empty()) << "attributes stay with their entries";
    EXPECT_TRUE(group->GetCard(1)->Negative());
    group->SortCards(soSuit);
    EXPECT_EQ(IDs(), (std::vector<int>{2, 40, 41}));
    EXPECT_EQ(group->UpdateCount(), 0);
}

TEST_F(CardGroup, SortStylesOnADoubleDeckWithJokers) {
    Fill({55, 28, 15, 2, 41, 28, 54, 14, 2});
    group->SortCards(soValue);
    EXPECT_EQ(IDs(), (std::vector<int>{2, 2, 15, 28, 28, 41, 14, 54, 55}));
    group->SortCards(soSuit);
    EXPECT_EQ(IDs(), (std::vector<int>{2, 2, 14, 15, 28, 28, 41, 54, 55}));
}

TEST_F(CardGroup, SortStyleKeepsTheGroupSortedAfterEveryRedraw) {
    Fill({40, 41, 2});
    group->SetSortStyle(soValue);
    EXPECT_EQ(IDs(), (std::vector<int>{2, 41, 40}));
    group->GetCard(2)->SetID(15); // redraws the last entry
    EXPECT_EQ(IDs(), (std::vector<int>{2, 15, 41}));
}

TEST_F(CardGroup, ScoreNameAndDealerReachTheirLabels) {
    QLabel score(&form), name(&form), dealer(&form);
    group->SetScoreLabel(&score);
    EXPECT_EQ(score.text(), QStringLiteral("0"));
    int changes = 0;
    group->AfterScoreChange = [&](auto*) { ++changes; };
    group->SetScore(0);
    EXPECT_EQ(changes, 0);
    group->SetScore(-25);
    EXPECT_EQ(score.text(), QStringLiteral("-25"));
    EXPECT_EQ(changes, 1);

    group->SetPlayerName(QStringLiteral("Ann"));
    group->SetPlayerNameLabel(&name);
    EXPECT_EQ(name.text(), QStringLiteral("Ann"));

    int dealerChanges = 0;
    group->OnDealerChange = [&](auto*) { ++dealerChanges; };
    group->SetDealerLabel(&dealer);
    group->SetDealer(true);
    EXPECT_EQ(dealer.text(), QStringLiteral("Dealer"));
    group->SetDealer(false);
    EXPECT_EQ(dealer.text(), QString());
    EXPECT_EQ(dealerChanges, 2);

    group->SetPlayDelay(300);
    group->SetPlayDelay(-1);
    EXPECT_EQ(group->PlayDelay(), 300);
}

TEST_F(CardGroup, RandomCardsAtRunTimeRespectAutoEmpty) {
    Fill({14, 14, 14});
    group->SetAutoEmpty(true);
    group->SetRandomCards(true);
    EXPECT_EQ(IDs(), (std::vector<int>{14, 14, 14}));
    group->SetAutoEmpty(false);
    group->SetRandomCards(true);
    for (int id : IDs())
        EXPECT_TRUE(id >= 2 && id <= 53) << id;
}

TEST_F(CardGroup, TightPileShowsExactlyItsLastNonEmptyCard) {
    group->setGeometry(20, 20, 71, 96);
    group->SetAutoTight(true);
    group->SetTightness(0);
    for (int i = 0; i < 21; ++i)
        group->CardList().Add().Card().SetID(2 + i);
    EXPECT_EQ(group->Tightness(), 0);
    Show();
    group->GetCard(20)->SetEmpty(true);
    group->GetCard(19)->SetShowBack(false);
    QImage screen = Screen();
    EXPECT_TRUE(RegionEquals(screen, 0, 0, Picture(21), 71, 96)) << "entry 19 face up at (0, 0)";
    EXPECT_EQ(group->CardAtPos(35, 50), 19);
    group->GetCard(19)->SetEmpty(true);
    EXPECT_TRUE(RegionEquals(Screen(), 0, 0, Picture(56), 71, 96)) << "entry 18's back";
}

// Redrawing leaves an empty entry to its empty successor, whose draw repeats it: the surface
// must come out as when every entry is drawn in turn, and cost a draw or two an entry.
TEST_F(CardGroup, RedrawAllMatchesDrawingEveryEntryAndStaysLinear) {
    for (const TKsCascadeStyle style : {csTight, csLoose}) {
        group->CardList().Clear();
        group->setGeometry(20, 20, 71, 400);
        group->SetCascadeStyle(style);
        group->SetAutoTight(false);
        group->SetTightness(7);
        Fill({0, 0, 2, 0, 0, 0, 15, 0, 33, 0, 0, 0});
        group->GetCard(6)->SetNegative(true);
        Show();
        TKsSurface& surface = group->Surface();
        for (int i = 0; i < group->Count(); ++i)
            group->GetCard(i)->Draw(false);
        const QImage everyEntry = surface.Image().copy();
        surface.Invert({0, 0, surface.Width(), surface.Height()});
        group->RedrawAll(false);
        EXPECT_EQ(surface.Image(), everyEntry) << style;

        Fill({0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
        int changes = 0;
        const auto changed = surface.OnChange;
        surface.OnChange = [&] { ++changes, changed(); };
        group->RedrawAll(false);
        surface.OnChange = changed;
        EXPECT_LE(changes, 2 * group->Count()) << style;
    }
}

TEST_F(CardGroup, NormalRowShowsItsGapsInTheBackground) {
    group->setGeometry(10, 10, 300, 96);
    Fill({2, 15, 28});
    Show();
    group->RedrawAll(false);
    const QImage screen = Screen();
    EXPECT_TRUE(RegionEquals(screen, 0, 0, Picture(2), 71, 96));
    EXPECT_TRUE(RegionEquals(screen, 76, 0, Picture(15), 71, 96));
    EXPECT_TRUE(RegionEquals(screen, 152, 0, Picture(28), 71, 96));
    for (int x : {71, 75, 147, 151})
        for (int y : {0, 50, 95})
            EXPECT_EQ(screen.pixelColor(x, y), Background) << x << "," << y;
    group->GetCard(1)->SetEmpty(true);
    const QImage after = Screen();
    EXPECT_EQ(after.pixelColor(100, 50), Background);
    EXPECT_TRUE(RegionEquals(after, 0, 0, Picture(2), 71, 96)) << "neighbours are untouched";
    EXPECT_TRUE(RegionEquals(after, 152, 0, Picture(28), 71, 96));
}

TEST_F(CardGroup, NegativeCardIsTheInverseOfItsPictureCornersIncluded) {
    group->setGeometry(10, 10, 71, 96);
    Fill({33});
    Show();
    group->GetCard(0)->SetNegative(true);
    QImage inverted = Picture(33);
    inverted.invertPixels();
    const QImage screen = Screen();
    EXPECT_TRUE(RegionEquals(screen, 0, 0, inverted, 71, 96));
    QColor corner = Background;
    corner.setRgb(255 - corner.red(), 255 - corner.green(), 255 - corner.blue());
    EXPECT_EQ(screen.pixelColor(0, 0), corner);
}

TEST_F(CardGroup, LooseRowRedrawsThePreviousCardWhenTheLastEmpties) {
    group->setGeometry(10, 10, 200, 96);
    group->SetCascadeStyle(csLoose);
    Fill({2, 3});
    Show();
    group->GetCard(1)->SetEmpty(true);
    EXPECT_TRUE(RegionEquals(Screen(), 0, 0, Picture(2), 71, 96)) << "shown in full width";
}

TEST_F(CardGroup, DeletingTheLastEntryClearsTheSurface) {
    group->setGeometry(10, 10, 71, 96);
    Fill({2});
    Show();
    group->CardList().Delete(0);
    QCoreApplication::processEvents();
    EXPECT_EQ(group->Surface().Image().pixelColor(35, 50), Background);
    EXPECT_EQ(Screen().pixelColor(35, 50), Background);
}

} // namespace

namespace {

TEST_F(CardGroup, PointerShowsTheCardCursorOverCardsOnly) {
    group->setGeometry(10, 10, 300, 96);
    Fill({2, 0, 4});
    Show();
    QTest::mouseMove(group, QPoint(30, 50));
    EXPECT_EQ(group->cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseMove(group, QPoint(100, 50)); // the empty entry
    EXPECT_EQ(group->cursor().shape(), Qt::ArrowCursor);
    QTest::mouseMove(group, QPoint(160, 50));
    EXPECT_EQ(group->cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseMove(group, QPoint(250, 50)); // beyond every card: unchanged
    EXPECT_EQ(group->cursor().shape(), Qt::PointingHandCursor);
    group->SetCardCursor(crDefault);
    group->unsetCursor();
    QTest::mouseMove(group, QPoint(30, 50));
    EXPECT_EQ(group->cursor().shape(), Qt::ArrowCursor);
}

} // namespace
