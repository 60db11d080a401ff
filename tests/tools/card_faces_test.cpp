// The faces of the shipped image set: colours, pips, corner indices and court pictures.

#include "image_probe.h"
#include "kspicture.h"

#include <gtest/gtest.h>

using namespace imageprobe;

namespace {

enum Suit { Clubs, Diamonds, Hearts, Spades };
constexpr Suit AllSuits[] = {Clubs, Diamonds, Hearts, Spades};

// Members run by suit (clubs, diamonds, hearts, spades), each suit Ace first.
int MemberOf(Suit S, int Rank) {
    return S * 13 + Rank;
}

bool IsRedSuit(Suit S) {
    return S == Diamonds || S == Hearts;
}

// Between the two corner indices, the full height of the card.
const QRect PipArea(13, 0, 45, 96);
// The corner index: rank above, small suit below.
const QRect IndexRank(2, 3, 10, 12);
const QRect IndexSuit(2, 15, 10, 12);

bool IsInk(QRgb C) {
    return (C | 0xFF000000u) != White;
}

QRect InkBounds(const QImage& Card, QRect Area) {
    QRect bounds;
    for (int y = Area.top(); y <= Area.bottom(); ++y)
        for (int x = Area.left(); x <= Area.right(); ++x)
            if (IsInk(Card.pixel(x, y)))
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

int InkInRow(const QImage& Card, QRect Box, int Y) {
    int n = 0;
    for (int x = Box.left(); x <= Box.right(); ++x)
        n += IsInk(Card.pixel(x, Y));
    return n;
}

bool SameRegion(const QImage& A, const QImage& B, QRect Area) {
    for (int y = Area.top(); y <= Area.bottom(); ++y)
        for (int x = Area.left(); x <= Area.right(); ++x)
            if (A.pixel(x, y) != B.pixel(x, y))
                return false;
    return true;
}

TEST(CardImageSet, HasSixtyNineMembersOfCardSize) {
    for (int m = 1; m <= 69; ++m) {
        const QImage card = Member(m);
        ASSERT_FALSE(card.isNull()) << "member " << m;
        EXPECT_EQ(card.size(), QSize(71, 96)) << "member " << m;
    }
    EXPECT_TRUE(KsReadPicture(QStringLiteral(":/cards/70.kspc")).isNull());
    EXPECT_TRUE(KsReadPicture(QStringLiteral(":/cards/0.kspc")).isNull());
}

TEST(PipCards, AreWhiteWithTheSuitsInkOnly) {
    for (const Suit s : AllSuits)
        for (int rank = 1; rank <= 10; ++rank) {
            const auto colours = ColourCounts(Member(MemberOf(s, rank)));
            ASSERT_EQ(colours.size(), 2u) << "suit " << s << " rank " << rank;
            ASSERT_TRUE(colours.count(White)) << "suit " << s << " rank " << rank;
            QRgb ink = White;
            for (const auto& [c, n] : colours)
                if (c != White)
                    ink = c;
            if (IsRedSuit(s))
                EXPECT_TRUE(IsRedInk(ink))
                    << "suit " << s << " rank " << rank << " ink " << std::hex << ink;
            else
                EXPECT_EQ(ink, Black) << "suit " << s << " rank " << rank;
            // The card is mostly white ground.
            EXPECT_GT(colours.at(White), 71 * 96 / 2);
        }
}

TEST(PipCards, ShowAsManyPipsAsTheirRank) {
    for (const Suit s : AllSuits)
        for (int rank = 1; rank <= 10; ++rank)
            EXPECT_EQ(CountShapes(Member(MemberOf(s, rank)), PipArea, IsInk), rank)
                << "suit " << s << " rank " << rank;
}

TEST(PipCards, PipsAreAllTheSameShapeAndAceIsLarger) {
    for (const Suit s : AllSuits) {
        const std::vector<int> two = ShapeSizes(Member(MemberOf(s, 2)), PipArea, IsInk);
        ASSERT_EQ(two.size(), 2u);
        for (int rank = 3; rank <= 10; ++rank)
            for (const int size : ShapeSizes(Member(MemberOf(s, rank)), PipArea, IsInk))
                EXPECT_EQ(size, two[0]) << "suit " << s << " rank " << rank;
        const std::vector<int> ace = ShapeSizes(Member(MemberOf(s, 1)), PipArea, IsInk);
        ASSERT_EQ(ace.size(), 1u);
        EXPECT_GT(ace[0], 3 * two[0]) << "suit " << s;
    }
}

TEST(PipCards, AcePipHasItsSuitsOutline) {
    // Hearts end in a point at the bottom, spades at the top, diamonds at both ends (and are
    // the same upside down), clubs at neither (round lobe above, foot below).
    for (const Suit s : AllSuits) {
        const QImage ace = Member(MemberOf(s, 1));
        const QRect box = InkBounds(ace, PipArea);
        const int top = InkInRow(ace, box, box.top());
        const int bottom = InkInRow(ace, box, box.bottom());
        switch (s) {
        case Hearts:
            EXPECT_LE(bottom, 3);
            EXPECT_GE(top, 4);
            break;
        case Spades:
            EXPECT_LE(top, 3);
            EXPECT_GE(bottom, 6);
            break;
        case Diamonds:
            EXPECT_LE(top, 3);
            EXPECT_LE(bottom, 3);
            for (int y = box.top(); y <= box.bottom(); ++y)
                EXPECT_EQ(InkInRow(ace, box, y), InkInRow(ace, box, box.top() + box.bottom() - y));
            break;
        case Clubs:
            EXPECT_GE(top, 4);
            EXPECT_GE(bottom, 6);
            break;
        }
    }
}

TEST(CornerIndices, BottomRightIsTopLeftTurned) {
    for (int m = 1; m <= 52; ++m) {
        const QImage card = Member(m);
        for (int y = 0; y < 28; ++y)
            for (int x = 0; x < 14; ++x)
                ASSERT_EQ(card.pixel(x, y), card.pixel(70 - x, 95 - y))
                    << "member " << m << " at " << x << "," << y;
    }
}

TEST(CornerIndices, TellRanksAndSuitsApart) {
    for (const Suit s : AllSuits) {
        for (int a = 1; a <= 13; ++a) {
            const QImage first = Member(MemberOf(s, a));
            EXPECT_GT(CountShapes(first, IndexRank, IsInk), 0);
            for (int b = a + 1; b <= 13; ++b)
                EXPECT_FALSE(SameRegion(first, Member(MemberOf(s, b)), IndexRank))
                    << "suit " << s << " ranks " << a << " and " << b;
            // Every card of a suit carries the same small suit symbol.
            EXPECT_TRUE(SameRegion(first, Member(MemberOf(s, 1)), IndexSuit))
                << "suit " << s << " rank " << a;
        }
    }
    for (int a = 0; a < 4; ++a)
        for (int b = a + 1; b < 4; ++b) {
            const QImage x = Member(MemberOf(AllSuits[a], 5));
            const QImage y = Member(MemberOf(AllSuits[b], 5));
            EXPECT_FALSE(SameRegion(x, y, IndexSuit)) << "suits " << a << " and " << b;
        }
}

TEST(CourtCards, AreSixteenColourPicturesWithTheSuitsInk) {
    for (const Suit s : AllSuits)
        for (int rank = 11; rank <= 13; ++rank) {
            const QImage card = Member(MemberOf(s, rank));
            const auto colours = ColourCounts(card);
            EXPECT_LE(colours.size(), 16u) << "suit " << s << " rank " << rank;
            EXPECT_GE(colours.size(), 8u) << "suit " << s << " rank " << rank;
            const auto index = ColourCounts(card, IndexRank.united(IndexSuit));
            bool suitInk = false;
            for (const auto& [c, n] : index)
                if (c != White)
                    suitInk = IsRedSuit(s) ? IsRedInk(c) : c == Black;
            EXPECT_TRUE(suitInk) << "suit " << s << " rank " << rank;
            EXPECT_EQ(index.size(), 2u) << "suit " << s << " rank " << rank;
        }
}

TEST(CourtCards, BottomHalfIsTheTopHalfTurned) {
    for (const Suit s : AllSuits)
        for (int rank = 11; rank <= 13; ++rank) {
            const QImage card = Member(MemberOf(s, rank));
            EXPECT_EQ(card, card.mirrored(true, true)) << "suit " << s << " rank " << rank;
        }
}

TEST(CourtCards, JackQueenAndKingAreDifferentFigures) {
    for (const Suit s : AllSuits) {
        const QImage jack = Member(MemberOf(s, 11));
        const QImage queen = Member(MemberOf(s, 12));
        const QImage king = Member(MemberOf(s, 13));
        EXPECT_GT(MeanDifference(jack, queen), 8) << "suit " << s;
        EXPECT_GT(MeanDifference(queen, king), 8) << "suit " << s;
        EXPECT_GT(MeanDifference(jack, king), 8) << "suit " << s;
    }
}

} // namespace
