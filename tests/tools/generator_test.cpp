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
}

TEST(Generator, ContactSheetShowsEveryMemberInTableColours) {
    std::vector<QImage> members;
    for (int m = 1; m <= cardgen::MemberCount; ++m)
        members.push_back(cardgen::DrawMember(m));
    const QImage sheet = cardgen::DrawContactSheet(members, {cardgen::DrawRing()});
    // Ten cards a row, seven rows; every card shows somewhere without its transparent colour.
    EXPECT_GE(sheet.width(), 10 * 71);
    EXPECT_GE(sheet.height(), 7 * 96);
    const auto colours = imageprobe::ColourCounts(sheet);
    EXPECT_EQ(colours.count(imageprobe::Magenta), 0u);
}

} // namespace
