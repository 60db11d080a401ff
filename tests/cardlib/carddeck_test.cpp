#include "card_pixels.h"
#include "kscarddeck.h"
#include "screen_grab.h"
#include "table_form.h"

#include <QTest>
#include <gtest/gtest.h>

namespace {

class VisualDeckDrawing : public ::testing::Test {
protected:
    void SetUp() override {
        PrepareForm(form, Background, 300, 200);
        deck = new TKsCardDeck(&form);
        deck->move(10, 10);
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
        QCoreApplication::processEvents();
    }

    QImage Screen() { return ScreenImage(form).copy(deck->geometry()); }
    QImage Picture(int N) { return ShownPicture(*CardImage(N), Background); }

    const QColor Background{0, 128, 0};
    QWidget form;
    TKsCardDeck* deck = nullptr;
};

TEST_F(VisualDeckDrawing, NewDeckShowsBackOnTopAndTheBottomCardStrip) {
    EXPECT_EQ(deck->Layers(), 3);
    EXPECT_TRUE(deck->CardFirst().ShowBack());
    EXPECT_FALSE(deck->CardLast().ShowBack());
    deck->RedrawAll(false);
    const QImage screen = Screen();
    ASSERT_EQ(screen.size(), QSize(103, 104));
    EXPECT_TRUE(RegionEquals(screen, 32, 8, Picture(56), 71, 96)) << "the top card at (32, 8)";
    EXPECT_TRUE(RegionEquals(screen, 0, 0, Picture(14), 16, 96)) << "the Ace of clubs' strip";
    EXPECT_EQ(deck->CardFirst().CardRect(), (TKsRect{32, 8, 103, 104}));
}

TEST_F(VisualDeckDrawing, DoubleDeckIsFlatAndWider) {
    deck->SetDeckType(dcDouble);
    deck->resize(139, 96);
    deck->CardFirst().SetShowBack(false);
    deck->CardFirst().SetID(30);
    deck->RedrawAll(false);
    EXPECT_EQ(deck->Surface().Width(), 139);
    EXPECT_EQ(deck->Surface().Height(), 96);
    const QImage screen = Screen();
    EXPECT_TRUE(RegionEquals(screen, 68, 0, Picture(30), 71, 96)) << "the top card at (68, 0)";
    const QImage back = Picture(56);
    for (int sliver = 0; sliver < 13; ++sliver)
        EXPECT_TRUE(RegionEquals(screen, 16 + 4 * sliver, 0, back, 4, 96)) << sliver;
}

TEST_F(VisualDeckDrawing, ThinnerStackMovesTheTopCardUpAndLeft) {
    deck->SetLayers(1);
    const QImage screen = Screen();
    EXPECT_TRUE(RegionEquals(screen, 24, 4, Picture(56), 71, 96));
    EXPECT_EQ(screen.pixelColor(100, 10), Background) << "what the stack left is background";
    deck->SetLayers(-1);
    EXPECT_EQ(deck->Layers(), 1) << "below zero needs an exhausted deck";
}

TEST_F(VisualDeckDrawing, EmptyDeckShowsItsOwnPicture) {
    deck->SetDeckEmpty(true);
    const QImage screen = Screen();
    EXPECT_TRUE(RegionEquals(screen, 16, 0, Picture(69), 71, 96)) << "the green ring";
    EXPECT_EQ(screen.pixelColor(5, 50), Background);
    EXPECT_EQ(screen.pixelColor(95, 50), Background);
    EXPECT_EQ(screen.pixelColor(50, 100), Background);
    deck->SetDeckEmptyCardBack(cbDots);
    EXPECT_TRUE(RegionEquals(Screen(), 16, 0, Picture(70), 71, 96));
}

TEST_F(VisualDeckDrawing, HiddenBottomCardLeavesBackgroundAndNegativeInverts) {
    deck->SetShowLastCard(false);
    EXPECT_EQ(Screen().pixelColor(8, 50), Background);
    deck->CardFirst().SetNegative(true);
    QImage inverted = Picture(56);
    inverted.invertPixels();
    EXPECT_TRUE(RegionEquals(Screen(), 32, 8, inverted, 71, 96));
}

TEST_F(VisualDeckDrawing, DeckSettersReachBothCards) {
    deck->SetCardBack(cbFishBlue);
    EXPECT_EQ(deck->CardFirst().CardBack(), cbFishBlue);
    EXPECT_EQ(deck->CardLast().CardBack(), cbFishBlue);
    deck->SetShowBack(true);
    EXPECT_FALSE(deck->CardLast().ShowBack()) << "the bottom card is always face up";
    deck->SetAutoEmpty(true);
    deck->BeginLoading();
    deck->Loaded();
    EXPECT_TRUE(deck->DeckEmpty());
}

} // namespace
