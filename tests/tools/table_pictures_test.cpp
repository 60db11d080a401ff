// The two table pictures: the ring under each central pile and the wait sign.

#include "image_probe.h"

#include <gtest/gtest.h>

using namespace imageprobe;

namespace {

bool IsRed(QRgb C) {
    return qAlpha(C) == 255 && IsRedInk(C);
}

TEST(TablePictures, RingIsARedRingOnLightGreyWithClearCorners) {
    const QImage ring = TablePicture(QStringLiteral("ring"));
    ASSERT_EQ(ring.size(), QSize(80, 80));
    ASSERT_TRUE(ring.hasAlphaChannel());
    for (const QPoint corner : {QPoint(0, 0), QPoint(79, 0), QPoint(0, 79), QPoint(79, 79)})
        EXPECT_EQ(qAlpha(ring.pixel(corner)), 0);
    const QRgb centre = ring.pixel(40, 40);
    EXPECT_EQ(qAlpha(centre), 255);
    EXPECT_GE(qRed(centre), 180);
    EXPECT_EQ(qRed(centre), qGreen(centre));
    EXPECT_EQ(qGreen(centre), qBlue(centre));
    // Red all the way round at the ring's radius.
    for (const QPoint p : {QPoint(40, 10), QPoint(70, 40), QPoint(40, 70), QPoint(10, 40)})
        EXPECT_TRUE(IsRed(ring.pixel(p))) << p.x() << "," << p.y();
}

TEST(TablePictures, WaitSignIsATrafficLightShowingRed) {
    const QImage sign = TablePicture(QStringLiteral("waitsign"));
    ASSERT_EQ(sign.size(), QSize(32, 32));
    ASSERT_TRUE(sign.hasAlphaChannel());
    for (const QPoint corner : {QPoint(0, 0), QPoint(31, 0), QPoint(0, 31), QPoint(31, 31)})
        EXPECT_EQ(qAlpha(sign.pixel(corner)), 0);
    // The lit lamp is at the top; the lower lamps are dark.
    int redTop = 0, redBottom = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            (y < 12 ? redTop : redBottom) += IsRed(sign.pixel(x, y));
    EXPECT_GE(redTop, 20);
    EXPECT_EQ(redBottom, 0);
    EXPECT_EQ(qAlpha(sign.pixel(16, 16)), 255);
}

} // namespace
