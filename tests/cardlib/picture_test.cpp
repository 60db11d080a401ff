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

    QByteArray magic = good;
    magic[0] = 'P';
    EXPECT_TRUE(KsDecodePicture(magic).isNull());
    QByteArray kind = good;
    kind[8] = 2;
    EXPECT_TRUE(KsDecodePicture(kind).isNull());
    QByteArray wider = good;
    wider[4] = char(72); // the pixels no longer fill the stated size
    EXPECT_TRUE(KsDecodePicture(wider).isNull());
    QByteArray huge = good;
    huge[4] = char(0xFF);
    huge[5] = char(0xFF);
    EXPECT_TRUE(KsDecodePicture(huge).isNull()) << "sides beyond the limit";
    QByteArray empty = good;
    empty[6] = 0;
    empty[7] = 0;
    EXPECT_TRUE(KsDecodePicture(empty).isNull());
    QByteArray stated = good;
    stated[9] = char(0x7F); // the packed length no longer matches the sides
    EXPECT_TRUE(KsDecodePicture(stated).isNull());
    QByteArray garbled = good;
    for (int i = 20; i < garbled.size(); i += 3)
        garbled[i] = char(garbled[i] ^ 0x5A);
    EXPECT_TRUE(KsDecodePicture(garbled).isNull());

    EXPECT_TRUE(KsEncodePicture(QImage()).isEmpty());
}

} // namespace
