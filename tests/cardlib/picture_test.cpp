#include "kscardimages.h"
#include "kspicture.h"

#include <QDir>
#include <QPainter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QImage Sample(QImage::Format Format) {
    QImage picture(71, 96, Format);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.fillRect(5, 7, 30, 40, QColor(200, 30, 40));
    p.fillRect(20, 50, 40, 30, QColor(10, 90, 200, 128));
    p.end();
    return picture;
}

bool SamePixels(const QImage& A, const QImage& B) {
    if (A.size() != B.size())
        return false;
    for (int y = 0; y < A.height(); ++y)
        for (int x = 0; x < A.width(); ++x)
            if (A.pixel(x, y) != B.pixel(x, y))
                return false;
    return true;
}

TEST(Picture, OpaqueAndTranslucentPicturesComeBackPixelForPixel) {
    const QImage opaque = Sample(QImage::Format_RGB32);
    const QImage back = KsDecodePicture(KsEncodePicture(opaque));
    EXPECT_EQ(back.format(), QImage::Format_RGB32);
    EXPECT_TRUE(SamePixels(back, opaque));

    const QImage translucent = Sample(QImage::Format_ARGB32_Premultiplied);
    const QImage again = KsDecodePicture(KsEncodePicture(translucent));
    EXPECT_EQ(again.format(), QImage::Format_ARGB32_Premultiplied);
    EXPECT_TRUE(SamePixels(again, translucent));
    EXPECT_EQ(qAlpha(again.pixel(0, 0)), 0);

    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath(QStringLiteral("card.kspc"));
    ASSERT_TRUE(KsWritePicture(opaque, path));
    EXPECT_TRUE(SamePixels(KsReadPicture(path), opaque));
    EXPECT_TRUE(KsReadPicture(QDir(dir.path()).filePath(QStringLiteral("missing"))).isNull());
}

TEST(Picture, DamagedDataGivesANullPicture) {
    const QByteArray good = KsEncodePicture(Sample(QImage::Format_RGB32));
    ASSERT_FALSE(KsDecodePicture(good).isNull());
    EXPECT_TRUE(KsDecodePicture({}).isNull());
    EXPECT_TRUE(KsDecodePicture(good.left(good.size() - 5)).isNull()) << "truncated";
    EXPECT_TRUE(KsDecodePicture(good.left(12)).isNull()) << "header only";

    // good with the bytes from At replaced by Bytes
    const auto with = [&](int At, std::initializer_list<int> Bytes) {
        QByteArray damaged = good;
        for (int b : Bytes)
            damaged[At++] = char(b);
        return KsDecodePicture(damaged);
    };
    EXPECT_TRUE(with(0, {'P'}).isNull()) << "magic";
    EXPECT_TRUE(with(8, {2}).isNull()) << "kind";
    EXPECT_TRUE(with(4, {72}).isNull()) << "the pixels no longer fill the stated size";
    EXPECT_TRUE(with(4, {0xFF, 0xFF}).isNull()) << "sides beyond the limit";
    EXPECT_TRUE(with(6, {0, 0}).isNull()) << "no rows";
    EXPECT_TRUE(with(9, {0x7F}).isNull()) << "the packed length no longer matches the sides";
    QByteArray garbled = good;
    for (int i = 20; i < garbled.size(); i += 3)
        garbled[i] = char(garbled[i] ^ 0x5A);
    EXPECT_TRUE(KsDecodePicture(garbled).isNull());

    EXPECT_TRUE(KsEncodePicture(QImage()).isEmpty());
}

// A card is decoded once for the density it is drawn at, however often it is drawn: a decode
// at every draw would cost each frame, and the heap a copy for each.
TEST(Picture, ACardIsDecodedOnceForEachDensity) {
    ASSERT_EQ(CardImageUsers(), 0u);
    AcquireCardImages();
    const TKsCardImage& card = *CardImage(20);
    const uint64_t before = KsDecodedPictures();
    const QImage first = card.Image(2);
    EXPECT_EQ(card.Image(2).cacheKey(), first.cacheKey());
    EXPECT_EQ(KsDecodedPictures() - before, 1u);
    EXPECT_EQ(card.Image(1).size(), QSize(71, 96));
    EXPECT_EQ(KsDecodedPictures() - before, 2u);
    ReleaseCardImages();
}

} // namespace
