// The art for dense screens and the legible faces: every set the program ships is what the
// drawing code draws at that density and style, and keeps the colour rules of the 1x set.

#include "cardset.h"
#include "image_probe.h"
#include "ksartset.h"
#include "kspicture.h"
#include "raster.h"

#include <QDir>
#include <QPainter>
#include <gtest/gtest.h>
#include <set>
#include <vector>

using namespace imageprobe;

namespace {

QImage Shipped(int Member, int Scale, int Style) {
    return KsReadPicture(KsArtResource(Member, Scale, Style)).convertToFormat(QImage::Format_RGB32);
}

cardgen::TDrawSettings Settings(int Scale, int Style) {
    return {Scale, (Style & fsLargeIndices) != 0, (Style & fsFourColours) != 0};
}

TEST(DenseArt, ShippedSetsAndPicturesAreWhatTheCodeDrawsAtTheirScale) {
    for (int scale = 2; scale <= KsArtMaxScale; ++scale) {
        const cardgen::TDrawScope scope(Settings(scale, fsPlain));
        for (int m = 1; m <= cardgen::MemberCount; ++m) {
            const QImage shipped = Shipped(m, scale, fsPlain);
            ASSERT_EQ(shipped.size(), QSize(71, 96) * scale) << "member " << m;
            EXPECT_EQ(cardgen::DrawMember(m).convertToFormat(QImage::Format_RGB32), shipped)
                << "member " << m << " at " << scale << "x";
        }
        EXPECT_EQ(cardgen::DrawRing(), TablePicture(KsPictureName(QStringLiteral("ring"), scale)));
        EXPECT_EQ(cardgen::DrawWaitSign(),
                  TablePicture(KsPictureName(QStringLiteral("waitsign"), scale)));
        EXPECT_EQ(cardgen::DrawTitle().convertToFormat(QImage::Format_ARGB32),
                  TablePicture(KsPictureName(QStringLiteral("title"), scale)));
        EXPECT_EQ(TablePicture(KsPictureName(QStringLiteral("title"), scale)).size(),
                  QSize(90, 453) * scale);
    }
    // The styled sets hold faces only; a sample of each, at every density.
    for (int scale = 1; scale <= KsArtMaxScale; ++scale)
        for (int style = 1; style < KsFaceStyleCount; ++style) {
            const cardgen::TDrawScope scope(Settings(scale, style));
            for (const int m : {1, 10, 12, 33, 52})
                EXPECT_EQ(cardgen::DrawMember(m).convertToFormat(QImage::Format_RGB32),
                          Shipped(m, scale, style))
                    << "member " << m << " at " << scale << "x style " << style;
            EXPECT_EQ(KsArtResource(53, scale, style), KsArtResource(53, scale, fsPlain));
        }
}

TEST(DenseArt, FacesKeepTheirColourRulesAndPipsInEveryStyleAndDensity) {
    const QRgb plainInk[] = {Black, 0xFFE00000u, 0xFFE00000u, Black};
    const QRgb fourInk[] = {cardgen::palette::Green, cardgen::palette::Blue, 0xFFE00000u, Black};
    for (int scale = 1; scale <= KsArtMaxScale; ++scale)
        for (int style = 0; style < KsFaceStyleCount; ++style) {
            const bool large = style & fsLargeIndices;
            // Between the corner indices, the whole height of the card.
            const QRect pips = large ? QRect(19, 0, 33, 96) : QRect(13, 0, 45, 96);
            const QRect area(pips.topLeft() * scale, pips.size() * scale);
            for (int suit = 0; suit < 4; ++suit) {
                const QRgb ink = (style & fsFourColours) ? fourInk[suit] : plainInk[suit];
                for (const int rank : {1, 3, 8, 10}) {
                    const QImage card = Shipped(suit * 13 + rank, scale, style);
                    const auto colours = ColourCounts(card);
                    ASSERT_EQ(colours.size(), 2u) << suit << "/" << rank << " style " << style;
                    EXPECT_TRUE(colours.count(ink)) << suit << "/" << rank << " style " << style;
                    EXPECT_EQ(CountShapes(card, area, [](QRgb c) { return c != White; }), rank)
                        << suit << "/" << rank << " at " << scale << "x style " << style;
                }
                const auto court = ColourCounts(Shipped(suit * 13 + 12, scale, style));
                EXPECT_LE(court.size(), 16u);
                EXPECT_TRUE(court.count(ink));
            }
        }
}

TEST(DenseArt, LargeIndicesAreAboutTwiceAsHigh) {
    // The rank of the three of hearts above its small suit, measured at 2x.
    const auto rankHeight = [](int Style, QRect Box) {
        const QImage card = Shipped(2 * 13 + 3, 2, Style);
        int top = -1, bottom = -1;
        for (int y = Box.top() * 2; y < Box.bottom() * 2; ++y)
            for (int x = Box.left() * 2; x < Box.right() * 2; ++x)
                if (card.pixel(x, y) != White) {
                    top = top < 0 ? y : top;
                    bottom = y;
                }
        return bottom - top + 1;
    };
    const int usual = rankHeight(fsPlain, QRect(2, 3, 10, 11));
    const int large = rankHeight(fsLargeIndices, QRect(2, 3, 16, 19));
    EXPECT_GT(usual, 10);
    EXPECT_GE(large * 10, usual * 16);
}

// A large index takes the corner of a court picture, whose frame steps around it: the white
// margin outside the frame meets nothing but the frame and the indices.
TEST(DenseArt, CourtFramesKeepThePicturesClearOfTheIndices) {
    for (int scale = 1; scale <= KsArtMaxScale; ++scale) {
        QImage sheet(12 * 73 * scale, KsFaceStyleCount * 98 * scale, QImage::Format_RGB32);
        sheet.fill(0xFF007F00u);
        QPainter painter(&sheet);
        for (int style = 0; style < KsFaceStyleCount; ++style) {
            const cardgen::TDrawScope scope(Settings(scale, style));
            for (int m = 0; m < 12; ++m) {
                const int suit = m / 3, member = suit * 13 + 11 + m % 3;
                QImage card = Shipped(member, scale, style);
                painter.drawImage(m * 73 * scale, style * 98 * scale, card);
                const std::set<QRgb> border{Black,
                                            cardgen::InkOf(static_cast<cardgen::TSuit>(suit))};
                bool clear = true;
                for (std::vector<QPoint> todo{{0, card.height() / 2}}; !todo.empty();) {
                    const QPoint p = todo.back();
                    todo.pop_back();
                    if (card.rect().contains(p) && card.pixel(p) == White) {
                        card.setPixel(p, Magenta);
                        todo.insert(todo.end(), {p + QPoint(1, 0), p - QPoint(1, 0),
                                                 p + QPoint(0, 1), p - QPoint(0, 1)});
                    } else if (card.rect().contains(p) && card.pixel(p) != Magenta) {
                        clear = clear && border.count(card.pixel(p));
                    }
                }
                EXPECT_TRUE(clear) << "member " << member << " at " << scale << "x style " << style;
            }
        }
        painter.end();
        QDir().mkpath(QStringLiteral(TOLVI_TEST_OUTPUT_DIR));
        sheet.save(QStringLiteral(TOLVI_TEST_OUTPUT_DIR "/court-faces-%1x.png").arg(scale));
    }
}

} // namespace
