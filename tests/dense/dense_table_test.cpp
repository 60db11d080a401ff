// The table on a screen of device pixel ratio 2 (this suite runs with QT_SCALE_FACTOR=2): every
// card control keeps its Surface in device pixels and draws from the 2x art pixel for pixel.

#include "game_fixture.h"
#include "kscardimages.h"
#include "ksdensity.h"
#include "kspicture.h"
#include "table_form.h"

#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

namespace {

const QColor Background(0, 100, 0);

// Card picture P as a masked copy shows it: its transparent colour replaced by the background.
QImage Shown(const TKsCardImage& P, qreal Ratio, const QColor& On = Background) {
    QImage shown = P.Image(Ratio).convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x)
            if ((shown.pixel(x, y) | 0xFF000000u) == P.TransparentColor())
                shown.setPixel(x, y, On.rgb());
    return shown;
}

QImage Part(const TKsSurface& S, const QRect& Layout) {
    QImage part = S.Image().copy(S.DeviceRect(Layout)).convertToFormat(QImage::Format_RGB32);
    part.setDevicePixelRatio(1);
    return part;
}

TEST(DenseTable, ScreenIsAt2xAndTheArtIsTheDrawn2xSet) {
    ASSERT_DOUBLE_EQ(qGuiApp->devicePixelRatio(), 2.0);
    AcquireCardImages();
    const TKsCardImage* ace = CardImage(14);
    ASSERT_NE(ace, nullptr);
    EXPECT_EQ(ace->Image(2).size(), QSize(142, 192));
    // The frame two device pixels wide, the cut corners four.
    EXPECT_EQ(ace->Image(2).pixel(71, 1), 0xFF000000u);
    EXPECT_EQ(ace->Image(2).pixel(71, 2), 0xFFFFFFFFu);
    EXPECT_EQ(ace->Image(2).pixel(3, 0), ace->TransparentColor());
    EXPECT_EQ(ace->Image(2).pixel(4, 0), 0xFF000000u);
    // Between two densities: larger art reduced, the corners still a clean mask.
    const QImage between = ace->Image(1.5);
    EXPECT_EQ(between.size(), QSize(107, 144));
    EXPECT_EQ(between.pixel(0, 0), ace->TransparentColor());
    EXPECT_EQ(between.pixel(53, 20), 0xFFFFFFFFu);
    EXPECT_EQ(ace->Image(1).size(), QSize(71, 96));
    ReleaseCardImages();
}

TEST(DenseTable, MaskedCopiesInversionAndTheEmptyPlaceAreInDevicePixels) {
    QWidget form;
    PrepareForm(form, Background, 640, 480);
    auto* group = new TKsCardGroup(&form);
    TKsSingleCard& card = group->CardList().Add().Card();
    card.SetShowBack(false);
    card.SetID(41); // two of hearts
    card.SetEmpty(false);
    const TKsSurface& s = group->Surface();
    ASSERT_EQ(s.DevicePixelRatio(), 2.0);
    ASSERT_EQ(s.Image().size(), QSize(142, 192));
    // The card where it lies, its cut corners showing the background, not the card.
    EXPECT_EQ(Part(s, {0, 0, 71, 96}), Shown(*card.FaceImage(), 2));
    EXPECT_EQ(s.Image().pixel(1, 1), Background.rgb());
    EXPECT_EQ(s.Image().pixel(140, 190), Background.rgb());

    card.SetNegative(true);
    EXPECT_EQ(s.Image().pixel(40, 60), Shown(*card.FaceImage(), 2).pixel(40, 60) ^ 0x00FFFFFFu);
    EXPECT_EQ(s.Image().pixel(141, 100), 0xFFFFFFFFu); // the inverted frame

    // The visual deck's empty place: the dots back at (16, 0) on the background.
    auto* deck = new TKsCardDeck(&form);
    deck->SetDeckEmptyCardBack(cbDots);
    deck->SetDeckEmpty(true);
    const TKsCardImage* dots = CardImage(BackImageNumber(cbDots));
    EXPECT_EQ(Part(deck->Surface(), {16, 0, 71, 96}), Shown(*dots, 2));
    EXPECT_EQ(Part(deck->Surface(), {0, 0, 16, 96}).pixel(10, 100), Background.rgb());
}

TEST(DenseTable, ADensityChangeDrawsEveryCardAgain) {
    QWidget form;
    PrepareForm(form, Background, 640, 480);
    auto* table = new TKsCardTable(&form);
    for (const int p : {0, 1, 3})
        table->CardAt(p)->SetEmpty(true);
    table->CardTop().SetShowBack(false);
    table->CardTop().SetID(30);
    table->CardTop().SetEmpty(false);
    table->Surface().SetDevicePixelRatio(1);
    EXPECT_EQ(table->Surface().Image().size(), QSize(131, 156));
    table->UpdateDensity();
    ASSERT_EQ(table->Surface().Image().size(), QSize(262, 312));
    EXPECT_EQ(Part(table->Surface(), {35, 0, 71, 96}), Shown(*table->CardTop().FaceImage(), 2));
}

class DenseGame : public GameTest {};

TEST_F(DenseGame, AfterADealTheSlotsAndPicturesAreAtTheScreensDensity) {
    form->DealBtnClick();
    Drain();
    for (TKsCardGroup* slot : form->Play1Card) {
        const TKsSingleCard* card = slot->GetCard(0);
        ASSERT_FALSE(card->Empty());
        EXPECT_EQ(Part(slot->Surface(), {0, 0, 71, 96}),
                  Shown(*card->FaceImage(), 2, slot->Surface().BrushColor()))
            << "slot card " << card->ID();
    }
    // The legible faces replace the shown ones at once, in the same game.
    const QImage before = Part(form->Play1Card[0]->Surface(), {0, 0, 71, 96});
    form->SetDisplay({0, true, true});
    EXPECT_EQ(CardFaceStyle(), fsLargeIndices | fsFourColours);
    const TKsSingleCard* first = form->Play1Card[0]->GetCard(0);
    const QImage after = Part(form->Play1Card[0]->Surface(), {0, 0, 71, 96});
    EXPECT_NE(after, before);
    EXPECT_EQ(after, Shown(*first->FaceImage(), 2, form->Play1Card[0]->Surface().BrushColor()));
    QImage styled = KsReadPicture(KsArtResource(ImageSetMember(first->ID()), 2, 3))
                        .convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(after.copy(20, 20, 100, 150), styled.copy(20, 20, 100, 150));
    form->SetDisplay({});
    for (QLabel* picture : {form->Image1, form->WaitSign1}) {
        EXPECT_TRUE(picture->pixmap().isNull()) << "read only when first shown or drawn";
        picture->grab();
        EXPECT_EQ(picture->pixmap().devicePixelRatio(), 2.0);
        EXPECT_EQ(picture->pixmap().size(), picture->size() * 2);
    }
}

TEST_F(DenseGame, AfterTheDealAPileShowsItsWholeTable) {
    // The offscreen screen grabs only as many device pixels as the window has layout pixels:
    // a pile and its ring move into that part, above the rest.
    TKsCardTable* table = form->CardTable1;
    table->move(40, 20);
    table->raise();
    form->Image2->move(70, 28);
    form->Image2->stackUnder(table);
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    form->DealBtnClick();
    Drain();
    QCoreApplication::processEvents();
    const QImage screen = form->screen()->grabWindow(form->winId()).toImage();
    const QString out = QCoreApplication::applicationDirPath() + QStringLiteral("/../test-output");
    QDir().mkpath(out);
    screen.save(out + QStringLiteral("/table-first-card-2x.png"));
    EXPECT_EQ(screen.copy(KsDeviceRect(table->geometry(), 2)).convertToFormat(QImage::Format_RGB32),
              Part(table->Surface(), table->rect()));
}

} // namespace
