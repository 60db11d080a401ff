#include "deck_file_writer.h"
#include "ksbusy.h"
#include "kscarddeck.h"
#include "ksrandom.h"
#include "ksvirtualdeck.h"
#include "scripted_dialogs.h"

#include <QTemporaryDir>
#include <QWidget>
#include <gtest/gtest.h>
#include <numeric>

namespace {

std::vector<int32_t> Range(int32_t First, int32_t Last) {
    std::vector<int32_t> ids(static_cast<size_t>(Last - First + 1));
    std::iota(ids.begin(), ids.end(), First);
    return ids;
}

std::vector<int32_t> DrawAll(TKsVirtualDeck& Deck) {
    std::vector<int32_t> drawn;
    for (int32_t id = Deck.NextCard(); id != -1; id = Deck.NextCard())
        drawn.push_back(id);
    return drawn;
}

TEST(DeckComposition, NewCompositionIsOneOfEveryCardInIdOrder) {
    TKsIncludedCards cards;
    std::vector<int32_t> list;
    cards.FillDeck(list);
    EXPECT_EQ(cards.CardCount(), 52);
    EXPECT_EQ(list, Range(2, 53));
}

TEST(DeckComposition, JokersComeLastRedBeforeBlue) {
    TKsIncludedCards cards;
    cards.Jokers().SetRedJoker(1);
    cards.Jokers().SetBlueJoker(2);
    std::vector<int32_t> list;
    cards.FillDeck(list);
    ASSERT_EQ(list.size(), 55u);
    EXPECT_EQ(std::vector<int32_t>(list.end() - 4, list.end()),
              (std::vector<int32_t>{53, 54, 55, 55}));
}

TEST(DeckComposition, DoubleCountsRepeatEachIdInARow) {
    TKsIncludedCards cards;
    for (int s = 1; s <= 4; ++s)
        cards.GetSuit(s).SetAllRanks(2);
    std::vector<int32_t> list;
    cards.FillDeck(list);
    ASSERT_EQ(list.size(), 104u);
    for (size_t i = 0; i < list.size(); ++i)
        EXPECT_EQ(list[i], static_cast<int32_t>(2 + i / 2)) << i;
}

TEST(DeckComposition, RankCountsAndOddSuits) {
    TKsIncludedCards cards;
    cards.Hearts().SetAce(0);
    cards.Spades().SetRank(7, 3);
    cards.Clubs().SetRank(1, 9);  // ignored
    cards.Clubs().SetRank(15, 9); // ignored
    EXPECT_EQ(cards.CardCount(), 53);
    EXPECT_EQ(cards.Clubs().GetRank(15), 0);
    EXPECT_EQ(&cards.GetSuit(0), &cards.Clubs());
    EXPECT_EQ(&cards.GetSuit(3), &cards.Spades());
    std::vector<int32_t> list;
    cards.FillDeck(list);
    EXPECT_EQ(std::count(list.begin(), list.end(), 33), 3); // Seven of spades
    EXPECT_EQ(std::count(list.begin(), list.end(), 53), 0);
    EXPECT_EQ(list.back(), 52);
}

TEST(DeckComposition, AssignCopiesCountsButNotOffsets) {
    TKsIncludedCards source, target;
    source.Diamonds().SetAllRanks(2);
    source.Jokers().SetBlueJoker(4);
    target.Assign(&source);
    EXPECT_EQ(target.CardCount(), 52 + 13 + 4);
    EXPECT_EQ(target.Clubs().IDOffset(), 0);
    EXPECT_EQ(target.Diamonds().IDOffset(), 13);
    EXPECT_EQ(target.Spades().IDOffset(), 26);
    EXPECT_EQ(target.Hearts().IDOffset(), 39);
    TKsJoker joker;
    EXPECT_THROW(target.Assign(&joker), EKsConvertError);
}

TEST(RandomGenerator, FollowsTheLinearCongruentialDefinition) {
    KsSetRandSeed(0);
    EXPECT_EQ(KsRandom(52), 0); // seed 1: 52 >> 32
    EXPECT_EQ(KsRandSeed(), 1u);
    EXPECT_EQ(KsRandom(52), 1); // seed 134775814: 7008342328 >> 32
    EXPECT_EQ(KsRandSeed(), 134775814u);
    EXPECT_EQ(KsRandom(0), 0);
    KsSetRandSeed(0xFFFFFFFFu);
    EXPECT_EQ(KsRandom(100), 96); // seed 4160191484 * 100 >> 32
}

TEST(RandomGenerator, DealNumberSeedsEachReseedInTurnThenGivesTheClockBack) {
    TKsSeedClockOverride clock{[] { return 777u; }};
    {
        const TKsDealNumber deal(5u);
        KsRandomize();
        EXPECT_EQ(KsRandSeed(), 5u);
        KsRandomize();
        EXPECT_EQ(KsRandSeed(), 5u * 134775813u + 1u) << "the generator's next step";
    }
    KsRandomize();
    EXPECT_EQ(KsRandSeed(), 777u);
}

TEST(RandomGenerator, ADealKeyDrawsAStreamOfItsOwnForEachReseed) {
    const auto draws = [](uint64_t Key) {
        const TKsDealNumber deal(Key);
        std::vector<int32_t> drawn;
        for (int reseed = 0; reseed < 2; ++reseed) {
            KsRandomize();
            for (int i = 0; i < 20; ++i)
                drawn.push_back(KsRandom(52));
        }
        return drawn;
    };
    const uint64_t key = 0x8000'0000'0000'0005u;
    const std::vector<int32_t> drawn = draws(key);
    EXPECT_EQ(drawn, draws(key));
    EXPECT_NE(drawn, draws(key + 1));
    EXPECT_NE(std::vector(drawn.begin(), drawn.begin() + 20),
              std::vector(drawn.begin() + 20, drawn.end()))
        << "each reseed its own stream";
    // Not the 32-bit generator, whose state a few cards give away.
    KsSetRandSeed(5);
    std::vector<int32_t> small;
    for (int i = 0; i < 20; ++i)
        small.push_back(KsRandom(52));
    EXPECT_NE(std::vector(drawn.begin(), drawn.begin() + 20), small);
    // Once the key is gone, the 32-bit generator draws again.
    KsSetRandSeed(0);
    EXPECT_EQ(KsRandom(52), 0);
}

class VirtualDeck : public ::testing::Test {
protected:
    // 12:34:56.789 UTC
    TKsSeedClockOverride clock{[] { return 45296789u; }};
    TKsVirtualDeck deck;
};

TEST_F(VirtualDeck, FreshDeckState) {
    EXPECT_EQ(deck.DeckSize(), 52);
    EXPECT_EQ(deck.Cards().size(), 52u);
    EXPECT_EQ(deck.TopIndex(), 0);
    EXPECT_EQ(deck.ShuffleCount(), 0);
    EXPECT_TRUE(deck.DealAnimation());
    EXPECT_FALSE(deck.CustomDeck());
    EXPECT_EQ(deck.NextCard(), -1) << "no card before the first preparation";
    EXPECT_EQ(deck.TopIndex(), 0);
    deck.PrepareDeck();
    EXPECT_EQ(deck.NextCard(), 53);
}

TEST_F(VirtualDeck, WithoutShuffleCardsComeFromTheTop) {
    deck.PrepareDeck();
    EXPECT_EQ(deck.TopIndex(), 51);
    std::vector<int32_t> expected = Range(2, 53);
    std::reverse(expected.begin(), expected.end());
    EXPECT_EQ(DrawAll(deck), expected);
    EXPECT_EQ(deck.NextCard(), -1);
    EXPECT_EQ(deck.NextCard(), -1);
    EXPECT_EQ(deck.TopIndex(), -1);
    EXPECT_TRUE(deck.Cards().empty());
}

TEST_F(VirtualDeck, PrepareReseedsFromTheClockAndShufflesInPasses) {
    int prepared = 0;
    deck.AfterPrepareDeck = [&](TKsVirtualDeck* sender) {
        EXPECT_EQ(sender, &deck);
        EXPECT_TRUE(Busy()) << "the event comes inside the busy bracket";
        ++prepared;
    };
    KsSetRandSeed(999);
    deck.SetShuffleCount(100);
    deck.PrepareDeck();
    EXPECT_EQ(prepared, 1);
    EXPECT_FALSE(Busy());
    // 100 passes of 52 swaps each from seed 45296789.
    const std::vector<int32_t> expected = {20, 27, 13, 52, 50, 18, 25, 37, 31, 44, 53, 35, 41,
                                           46, 22, 7,  8,  2,  40, 24, 39, 51, 29, 17, 42, 9,
                                           5,  47, 34, 12, 32, 16, 49, 19, 26, 4,  33, 15, 28,
                                           36, 3,  43, 11, 30, 14, 21, 23, 48, 38, 10, 6,  45};
    EXPECT_EQ(deck.Cards(), expected);
    EXPECT_EQ(KsRandSeed(), 1748251141u);
}

TEST_F(VirtualDeck, OnePassIsNSwapsWithAnyPosition) {
    // Seed 0: j = 0, 0, 2 for i = 0, 1, 2: not a Fisher-Yates pass.
    TKsSeedClockOverride zero([] { return 0u; });
    for (int s = 1; s <= 4; ++s)
        deck.IncludedCards().GetSuit(s).SetAllRanks(0);
    deck.IncludedCards().Clubs().SetRank(2, 1);
    deck.IncludedCards().Clubs().SetRank(3, 1);
    deck.IncludedCards().Clubs().SetRank(4, 1);
    deck.SetShuffleCount(1);
    deck.PrepareDeck();
    EXPECT_EQ(deck.Cards(), (std::vector<int32_t>{3, 2, 4}));
}

TEST_F(VirtualDeck, EmptyCompositionIsExhaustedAtOnce) {
    for (int s = 1; s <= 4; ++s)
        deck.IncludedCards().GetSuit(s).SetAllRanks(0);
    deck.SetShuffleCount(5);
    deck.PrepareDeck();
    EXPECT_EQ(deck.DeckSize(), 0);
    EXPECT_EQ(deck.TopIndex(), -1);
    EXPECT_EQ(deck.NextCard(), -1);
}

class VirtualDeckWithVisual : public VirtualDeck {
protected:
    void SetUp() override {
        form.resize(640, 480);
        visual = new TKsCardDeck(&form);
        visual->move(118, 169);
        deck.SetVisualDeck(visual);
    }

    // The layers left after each card, as the deck is dealt out.
    std::vector<int32_t> LayerTrace() {
        std::vector<int32_t> trace;
        while (deck.NextCard() != -1)
            trace.push_back(visual->Layers());
        return trace;
    }

    QWidget form;
    TKsCardDeck* visual = nullptr;
};

TEST_F(VirtualDeckWithVisual, OriginFollowsTheVisualDeck) {
    EXPECT_EQ(visual->width(), 103);
    EXPECT_EQ(visual->height(), 104);
    EXPECT_EQ(deck.OriginX(), 151);
    EXPECT_EQ(deck.OriginY(), 178);
    visual->move(10, 20);
    deck.SetOriginX(0);
    EXPECT_EQ(deck.OriginX(), 43) << "recomputed on every read";
    deck.SetVisualDeck(nullptr);
    deck.SetOriginX(5);
    EXPECT_EQ(deck.OriginX(), 5);
}

TEST_F(VirtualDeckWithVisual, PrepareShowsBottomAndTopCards) {
    visual->SetDeckEmpty(true);
    visual->SetExhausted(true);
    deck.SetShuffleCount(3);
    deck.PrepareDeck();
    EXPECT_EQ(visual->CardLast().ID(), deck.Cards().front());
    EXPECT_EQ(visual->CardFirst().ID(), deck.Cards().back());
    EXPECT_FALSE(visual->DeckEmpty());
    EXPECT_FALSE(visual->Exhausted());
    EXPECT_EQ(visual->Layers(), 3);
    const int32_t top = deck.Cards().back();
    EXPECT_EQ(deck.NextCard(), top);
    EXPECT_EQ(visual->CardFirst().ID(), top);
    EXPECT_EQ(deck.Cards().size(), 51u) << "a linked deck drops the card it hands out";
}

TEST_F(VirtualDeckWithVisual, SingleDeckThinsAtFixedPoints) {
    deck.PrepareDeck();
    const std::vector<int32_t> trace = LayerTrace();
    ASSERT_EQ(trace.size(), 52u);
    // trace[k] follows the card that was at TopIndex 51 - k.
    EXPECT_EQ(trace[12], 3);
    EXPECT_EQ(trace[13], 2); // TopIndex 38
    EXPECT_EQ(trace[26], 1); // 25
    EXPECT_EQ(trace[39], 0); // 12
    EXPECT_EQ(trace[50], 0);
    EXPECT_EQ(trace[51], 0);
    EXPECT_TRUE(visual->DeckEmpty());
    EXPECT_TRUE(visual->Exhausted());
    EXPECT_EQ(deck.NextCard(), -1);
    EXPECT_TRUE(visual->DeckEmpty()) << "the deck stays empty";
}

TEST_F(VirtualDeckWithVisual, DoubleDeckThinsEveryEightCards) {
    for (int s = 1; s <= 4; ++s)
        deck.IncludedCards().GetSuit(s).SetAllRanks(2);
    visual->SetDeckType(dcDouble);
    deck.PrepareDeck();
    EXPECT_EQ(visual->Layers(), 12);
    const std::vector<int32_t> trace = LayerTrace();
    ASSERT_EQ(trace.size(), 104u);
    int expected = 12;
    for (int k = 0; k < 103; ++k) {
        const int top = 103 - k;
        if (top <= 96 && top % 8 == 0 && top > 0)
            --expected;
        EXPECT_EQ(trace[k], expected) << "after TopIndex " << top;
    }
    EXPECT_EQ(expected, 0);
    EXPECT_TRUE(visual->DeckEmpty());
    EXPECT_EQ(visual->Layers(), 0);
}

TEST_F(VirtualDeckWithVisual, LayerRemovalBelowZeroWaitsForExhaustion) {
    visual->SetLayers(0);
    visual->RemoveLayer();
    EXPECT_EQ(visual->Layers(), 0);
    EXPECT_FALSE(visual->DeckEmpty());
    visual->SetExhausted(true);
    visual->RemoveLayer();
    EXPECT_TRUE(visual->DeckEmpty());
    EXPECT_EQ(visual->Layers(), 3);
    visual->SetDeckType(dcDouble);
    visual->SetLayers(5);
    visual->SetDeckEmpty(false);
    EXPECT_EQ(visual->Layers(), 12);
}

class CustomDeck : public VirtualDeck {
protected:
    QString Write(const QByteArray& Data) {
        const QString path = dir.filePath(QStringLiteral("custom.vdf"));
        WriteFile(path, Data);
        return path;
    }
    QTemporaryDir dir;
    TScriptedDialogs dialogs;
};

TEST_F(CustomDeck, FileSuppliesCardsAndShuffleCount) {
    std::vector<int32_t> ids = Range(2, 53);
    std::reverse(ids.begin(), ids.end());
    deck.SetShuffleCount(100);
    deck.SetCustomDeckFileName(Write(DeckRecord(0, 52, ids)));
    deck.SetCustomDeck(true);
    ASSERT_TRUE(deck.CustomDeck());
    EXPECT_EQ(deck.ShuffleCount(), 0);
    deck.PrepareDeck();
    EXPECT_EQ(deck.Cards(), ids) << "a shuffle count of 0 leaves the list as stored";
    deck.SetCustomDeck(false);
    EXPECT_EQ(deck.ShuffleCount(), 100);
}

TEST_F(CustomDeck, SecondSwitchOnSavesTheFilesShuffleCount) {
    deck.SetShuffleCount(100);
    deck.SetCustomDeckFileName(Write(DeckRecord(9, 52, Range(2, 53))));
    deck.SetCustomDeck(true);
    deck.SetCustomDeck(true);
    deck.SetCustomDeck(false);
    EXPECT_EQ(deck.ShuffleCount(), 9);
}

TEST_F(CustomDeck, RejectedFileSwitchesCustomDeckOff) {
    QByteArray data = DeckRecord(9, 52, {});
    PutInt32(data, 36, 3);
    deck.SetShuffleCount(100);
    deck.SetCustomDeckFileName(Write(data));
    deck.SetCustomDeck(true);
    EXPECT_FALSE(deck.CustomDeck());
    EXPECT_EQ(deck.ShuffleCount(), 100);
    ASSERT_EQ(dialogs.Shown.size(), 1u);
    EXPECT_EQ(dialogs.Shown[0].Text, QStringLiteral("Wrong file version."));
}

TEST_F(CustomDeck, EmptyFileNameSwitchesCustomDeckOffWithoutRestoring) {
    deck.SetShuffleCount(100);
    deck.SetCustomDeckFileName(Write(DeckRecord(9, 52, Range(2, 53))));
    deck.SetCustomDeck(true);
    deck.SetCustomDeckFileName(QString());
    EXPECT_FALSE(deck.CustomDeck());
    EXPECT_EQ(deck.ShuffleCount(), 9);
}

TEST_F(CustomDeck, LoadedReadsTheFileWhenStoredOn) {
    deck.BeginLoading();
    deck.SetShuffleCount(100);
    deck.SetCustomDeckFileName(Write(DeckRecord(4, 30, Range(2, 31))));
    deck.SetCustomDeck(true);
    deck.Loaded();
    EXPECT_TRUE(deck.CustomDeck());
    EXPECT_EQ(deck.DeckSize(), 30);
    EXPECT_EQ(deck.ShuffleCount(), 4);
}

TEST_F(CustomDeck, CompositionLargerThanTheListReadsNoMoreThanItsPlaces) {
    for (int s = 1; s <= 4; ++s)
        deck.IncludedCards().GetSuit(s).SetAllRanks(3); // 156 cards
    std::vector<int32_t> ids(108);
    for (int i = 0; i < 108; ++i)
        ids[i] = 2 + i % 54;
    deck.SetCustomDeckFileName(Write(DeckRecord(0, 5000, ids)));
    deck.SetCustomDeck(true);
    EXPECT_EQ(deck.DeckSize(), 5000);
    deck.PrepareDeck();
    EXPECT_EQ(deck.DeckSize(), 108);
    EXPECT_EQ(deck.Cards(), ids);
    EXPECT_EQ(DrawAll(deck).size(), 108u);
}

TEST_F(CustomDeck, ShortListHandsOutOnlyRealCards) {
    // The file counts 30 places, one of them holding no card; the composition asks for 52.
    std::vector<int32_t> ids = Range(2, 31);
    ids[7] = 0;
    deck.SetShuffleCount(3);
    deck.SetCustomDeckFileName(Write(DeckRecord(3, 30, ids)));
    deck.SetCustomDeck(true);
    deck.PrepareDeck();
    EXPECT_EQ(deck.DeckSize(), 29);
    const auto drawn = DrawAll(deck);
    EXPECT_EQ(drawn.size(), 29u);
    for (int32_t id : drawn)
        EXPECT_TRUE(id >= 2 && id <= 55) << id;
}

} // namespace
