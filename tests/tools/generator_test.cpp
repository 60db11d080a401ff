// The card picture generator: what the program ships is exactly what the drawing code draws,
// and drawing is repeatable.

#include "cardset.h"
#include "image_probe.h"

#include <gtest/gtest.h>

namespace {

TEST(Generator, ShippedMembersAreWhatTheCodeDraws) {
    for (int m = 1; m <= cardgen::MemberCount; ++m)
        EXPECT_EQ(cardgen::DrawMember(m).convertToFormat(QImage::Format_RGB32),
                  imageprobe::Member(m))
            << "member " << m;
}

TEST(Generator, ShippedTablePicturesAreWhatTheCodeDraws) {
    EXPECT_EQ(cardgen::DrawRing(), imageprobe::TablePicture(QStringLiteral("ring")));
    EXPECT_EQ(cardgen::DrawWaitSign(), imageprobe::TablePicture(QStringLiteral("waitsign")));
    EXPECT_EQ(cardgen::DrawTitle().convertToFormat(QImage::Format_ARGB32),
              imageprobe::TablePicture(QStringLiteral("title")));
}

TEST(Generator, ContactSheetShowsEveryMemberAsTheTableDoes) {
    std::vector<QImage> members;
    for (int m = 1; m <= cardgen::MemberCount; ++m)
        members.push_back(cardgen::DrawMember(m));
    const QImage sheet = cardgen::DrawContactSheet(members, {cardgen::DrawRing()});
    const QRgb table = sheet.pixel(0, 0);
    for (int m = 1; m <= cardgen::MemberCount; ++m) {
        const QRect card = cardgen::ContactSheetCard(m);
        ASSERT_TRUE(sheet.rect().contains(card)) << "member " << m;
        const QImage shown = sheet.copy(card);
        // Framed, with cut corners showing the table.
        EXPECT_EQ(shown.pixel(35, 0), imageprobe::Black) << "member " << m;
        EXPECT_EQ(shown.pixel(0, 48), imageprobe::Black) << "member " << m;
        EXPECT_EQ(shown.pixel(0, 0), table) << "member " << m;
        EXPECT_EQ(shown.pixel(70, 95), table) << "member " << m;
        // Inside the frame the picture itself, its transparent colour replaced by the table.
        const QRgb transparent =
            m == cardgen::MemberCount ? imageprobe::White : imageprobe::Magenta;
        for (int y = 2; y < 94; ++y)
            for (int x = 2; x < 69; ++x) {
                const QRgb drawn = members[size_t(m - 1)].pixel(x, y);
                ASSERT_EQ(shown.pixel(x, y), drawn == transparent ? table : drawn)
                    << "member " << m << " at " << x << "," << y;
            }
    }
    // The dots back shows no white at all on the sheet.
    EXPECT_EQ(imageprobe::ColourCounts(sheet.copy(cardgen::ContactSheetCard(cardgen::MemberCount)))
                  .count(imageprobe::White),
              0u);
}

} // namespace
