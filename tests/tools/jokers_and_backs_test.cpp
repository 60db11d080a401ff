// Jokers, backs and the transparent colours of the shipped image set.

#include "image_probe.h"

#include <gtest/gtest.h>

using namespace imageprobe;

namespace {

constexpr int RedJoker = 53, BlueJoker = 54;
constexpr int FirstBack = 55, DotsBack = 69;

bool InACorner(int X, int Y) {
    return (X < 18 || X > 52) && (Y < 17 || Y > 78);
}

bool IsGreen(QRgb C) {
    return qGreen(C) >= 100 && qRed(C) <= 90 && qBlue(C) <= 100;
}
bool IsYellow(QRgb C) {
    return qRed(C) >= 200 && qGreen(C) >= 170 && qBlue(C) <= 130;
}
bool IsCyan(QRgb C) {
    return qGreen(C) >= 150 && qBlue(C) >= 150 && qRed(C) <= 140;
}
bool IsBlue(QRgb C) {
    return qBlue(C) >= 110 && qRed(C) <= 80 && qGreen(C) <= 110;
}
bool IsOrangeRed(QRgb C) {
    return qRed(C) >= 200 && qGreen(C) <= 120 && qBlue(C) <= 60;
}
bool IsDark(QRgb C) {
    return qRed(C) + qGreen(C) + qBlue(C) <= 60;
}

bool Contains(const QImage& Picture, const std::function<bool(QRgb)>& Wanted, int AtLeast = 4) {
    int n = 0;
    for (const auto& [c, count] : ColourCounts(Picture))
        if (Wanted(c))
            n += count;
    return n >= AtLeast;
}

// The colour covering most of the picture.
QRgb Dominant(const QImage& Picture) {
    const auto counts = ColourCounts(Picture);
    return std::max_element(counts.begin(), counts.end(),
                            [](const auto& a, const auto& b) { return a.second < b.second; })
        ->first;
}

bool MarginIsWhite(const QImage& Back) {
    for (int y = 1; y < 95; ++y)
        for (int x = 1; x < 70; ++x)
            if ((x <= 3 || x >= 67 || y <= 3 || y >= 92) && Back.pixel(x, y) != White)
                return false;
    return true;
}

TEST(Transparency, MagentaAppearsInNoPicture) {
    for (int m = 1; m <= 69; ++m)
        EXPECT_EQ(ColourCounts(Member(m)).count(Magenta), 0u) << "member " << m;
}

TEST(Transparency, DotsBackIsBlackDotsOnItsTransparentWhite) {
    const QImage dots = Member(DotsBack);
    const auto colours = ColourCounts(dots);
    ASSERT_EQ(colours.size(), 2u);
    EXPECT_TRUE(colours.count(White));
    EXPECT_TRUE(colours.count(Black));
    EXPECT_GT(colours.at(White), colours.at(Black) * 3);
    // Many small dots spread over the whole card.
    const std::vector<int> shapes =
        ShapeSizes(dots, dots.rect(), [](QRgb c) { return c == Black; });
    EXPECT_GE(shapes.size(), 100u);
    for (const int size : shapes)
        EXPECT_LE(size, 9);
    for (const QRect quarter : {QRect(0, 0, 35, 48), QRect(36, 48, 35, 48)})
        EXPECT_GT(CountShapes(dots, quarter, [](QRgb c) { return c == Black; }), 20);
}

TEST(Jokers, DifferOnlyInTheColourOfTheirCornerMarks) {
    const QImage red = Member(RedJoker);
    const QImage blue = Member(BlueJoker);
    int differing[4] = {0, 0, 0, 0};
    for (int y = 0; y < 96; ++y)
        for (int x = 0; x < 71; ++x) {
            if (red.pixel(x, y) == blue.pixel(x, y))
                continue;
            ASSERT_TRUE(InACorner(x, y)) << x << "," << y;
            EXPECT_TRUE(IsRedInk(red.pixel(x, y))) << x << "," << y;
            EXPECT_TRUE(IsBlueInk(blue.pixel(x, y))) << x << "," << y;
            ++differing[(x > 35 ? 1 : 0) + (y > 48 ? 2 : 0)];
        }
    for (const int n : differing)
        EXPECT_GE(n, 20);
}

TEST(Jokers, ShowAColouredPictureOnWhite) {
    const QImage joker = Member(RedJoker);
    EXPECT_EQ(Dominant(joker), White);
    EXPECT_GE(ColourCounts(joker, QRect(14, 17, 43, 62)).size(), 6u);
    EXPECT_LE(ColourCounts(joker).size(), 16u);
}

TEST(Backs, ArePairwiseClearlyDifferent) {
    std::vector<QImage> backs;
    for (int m = FirstBack; m <= DotsBack; ++m)
        backs.push_back(Member(m));
    for (size_t a = 0; a < backs.size(); ++a)
        for (size_t b = a + 1; b < backs.size(); ++b)
            EXPECT_GT(MeanDifference(backs[a], backs[b]), 20.0)
                << "members " << FirstBack + int(a) << " and " << FirstBack + int(b);
}

TEST(Backs, LatticesSitInsideAWhiteMarginAndPicturesFillTheCard) {
    for (int m = FirstBack; m < DotsBack; ++m) {
        const bool lattice = m == FirstBack || m == FirstBack + 1;
        EXPECT_EQ(MarginIsWhite(Member(m)), lattice) << "member " << m;
    }
}

TEST(Backs, ShowTheirDesignsColours) {
    const auto back = [](int Design) { return Member(FirstBack + Design); };
    // Red and blue woven lattice on black.
    EXPECT_TRUE(Contains(back(0), IsRedInk, 500));
    EXPECT_TRUE(Contains(back(0), IsBlue, 500));
    EXPECT_TRUE(Contains(back(0), IsDark, 300));
    // Blue, yellow, green and cyan lattice.
    for (const auto& hue : {IsBlue, IsYellow, IsGreen, IsCyan})
        EXPECT_TRUE(Contains(back(1), hue, 200));
    // Ivy with red and yellow berries, on black and on blue.
    for (const int ivy : {2, 3}) {
        EXPECT_TRUE(Contains(back(ivy), IsGreen, 800)) << ivy;
        EXPECT_TRUE(Contains(back(ivy), IsRedInk, 10)) << ivy;
        EXPECT_TRUE(Contains(back(ivy), IsYellow, 10)) << ivy;
    }
    EXPECT_TRUE(IsDark(Dominant(back(2))));
    EXPECT_TRUE(IsBlue(Dominant(back(3))));
    // Clownfish: red-orange and white, on cyan and on blue with seaweed.
    for (const int fish : {4, 5}) {
        EXPECT_TRUE(Contains(back(fish), IsOrangeRed, 120)) << fish;
        EXPECT_TRUE(Contains(
            back(fish), [](QRgb c) { return c == White; }, 40))
            << fish;
    }
    EXPECT_TRUE(IsCyan(Dominant(back(4))));
    EXPECT_TRUE(IsBlue(Dominant(back(5))));
    EXPECT_TRUE(Contains(back(5), IsGreen, 200));
    // The robot is red on blue.
    EXPECT_TRUE(IsBlue(Dominant(back(8))));
    EXPECT_TRUE(Contains(back(8), IsRedInk, 600));
    // The sleeve of cards is on yellow.
    EXPECT_TRUE(IsYellow(Dominant(back(9))));
    // Red roses and green leaves on black.
    EXPECT_TRUE(IsDark(Dominant(back(10))));
    EXPECT_TRUE(Contains(back(10), IsRedInk, 800));
    EXPECT_TRUE(Contains(back(10), IsGreen, 100));
    // Red X on green; green ring on green, with no red.
    EXPECT_TRUE(Contains(back(12), IsGreen, 71 * 96 / 4));
    EXPECT_TRUE(Contains(back(12), IsRedInk, 71 * 96 / 4));
    EXPECT_TRUE(IsGreen(Dominant(back(13))));
    EXPECT_FALSE(Contains(back(13), IsRedInk, 1));
}

} // namespace
