// Choosing the pile: dragging a card onto it, Shift with a slot's key, and the speed at which
// the plays are shown. The game never waits for a drag or a flight.

#include "CardDrag.h"
#include "FlyingCard.h"
#include "PlayAnimator.h"
#include "TitlePanel.h"
#include "card_pixels.h"
#include "game_fixture.h"

#include <QTest>

namespace {

class ChoosingThePile : public SettledTableTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        DealAndSettle(5, 5);
    }
    QPoint SlotMiddle(int Slot) const { return form->Play1Card[size_t(Slot)]->geometry().center(); }
    QPoint PileMiddle(int Table) const {
        const TKsCardTable* t = Table == 1 ? form->CardTable1 : form->CardTable2;
        return t->geometry().topLeft() + TKsCardTable::PositionOffset(2) + QPoint(35, 48);
    }
    // Press on a slot and move to At, as the mouse would.
    void DragTo(int Slot, QPoint At) {
        TCardDrag& drag = *form->CardDrag;
        drag.Press(Slot, SlotMiddle(Slot));
        drag.Move(SlotMiddle(Slot) + QPoint(0, -20));
        drag.Move(At);
    }
};

TEST_F(ChoosingThePile, DraggedCardFollowsThePointerRingsAPileThatTakesItAndLaysThere) {
    const QColor window = form->palette().color(QPalette::Window);
    SetSlot(form->Play1Card[1], 4); // fits both Fives
    SetTop(form->CardTable1, 10);   // now only the second
    const QImage before = Grab();
    TCardDrag& drag = *form->CardDrag;

    DragTo(1, PileMiddle(1));
    ASSERT_TRUE(drag.Dragging());
    EXPECT_EQ(drag.Target(), 0) << "the Ten does not take a Four";
    EXPECT_FALSE(drag.Ring()->isVisible());

    drag.Move(PileMiddle(2) + QPoint(7, 5));
    EXPECT_EQ(drag.Target(), 2);
    const QImage dragging = Grab();
    QDir().mkpath(QStringLiteral(TOLVI_TEST_OUTPUT_DIR));
    dragging.save(QStringLiteral(TOLVI_TEST_OUTPUT_DIR "/drag-to-pile") +
                  (form->devicePixelRatioF() > 1 ? "@2x.png" : ".png"));
    // The card under the pointer from the art for the screen's density, pixel for pixel (its
    // corners show the table), the ring round the pile, and the slot it left empty.
    const int r = qRound(form->devicePixelRatioF());
    const QPoint card = drag.Card()->pos() * r;
    const QImage four = CardImage(4)->Image(r).convertToFormat(QImage::Format_RGB32);
    EXPECT_TRUE(RegionEquals(dragging, card.x() + 4 * r, card.y() + 4 * r,
                             four.copy(4 * r, 4 * r, 63 * r, 88 * r), 63 * r, 88 * r));
    const QPoint ring = (drag.Ring()->geometry().topLeft() + QPoint(2, 40)) * r;
    EXPECT_EQ(dragging.pixelColor(ring), QColor(255, 196, 0));
    EXPECT_NE(before.pixelColor(ring), QColor(255, 196, 0));
    EXPECT_EQ(dragging.pixelColor(SlotMiddle(1) * r), window);

    EXPECT_TRUE(drag.Release(PileMiddle(2) + QPoint(7, 5)));
    EXPECT_EQ(form->CardTable2->CardTop().ID(), 4);
    EXPECT_EQ(form->CardTable1->CardTop().ID(), 10);
    EXPECT_EQ(form->HumanPlayed(), 1);
    EXPECT_FALSE(drag.Card()->isVisible() || drag.Ring()->isVisible() || drag.Cover()->isVisible());

    // Through the slot's own mouse events; a click still lays on the first pile that fits.
    Settle(5, 5);
    SetSlot(form->Play1Card[0], 6);
    TKsCardGroup* slot = form->Play1Card[0];
    const QPoint grip(30, 40);
    QTest::mousePress(slot, Qt::LeftButton, {}, grip);
    QTest::mouseMove(slot, grip + QPoint(0, -30));
    QTest::mouseMove(slot, slot->mapFrom(form.get(), PileMiddle(2)));
    EXPECT_EQ(drag.Target(), 2);
    QTest::mouseRelease(slot, Qt::LeftButton, {}, slot->mapFrom(form.get(), PileMiddle(2)));
    EXPECT_EQ(form->CardTable2->CardTop().ID(), 6);
    EXPECT_EQ(form->CardTable1->CardTop().ID(), 5);
    Settle(5, 5);
    SetSlot(form->Play1Card[0], 6);
    QTest::mouseClick(slot, Qt::LeftButton, {}, grip);
    EXPECT_EQ(form->CardTable1->CardTop().ID(), 6);
}

TEST_F(ChoosingThePile, RefusedDropFliesBackAndFumblesWhileTheGameGoesOn) {
    form->SetFumbleRule(true);
    SetSlot(form->Play1Card[0], 4);
    TCardDrag& drag = *form->CardDrag;

    // The pile fitted when the drag began; the computer took it first, and the drop is judged
    // against the pile as it is at release.
    DragTo(0, PileMiddle(2));
    ASSERT_EQ(drag.Target(), 2);
    SetSlot(form->Play2Card[0], 6);
    form->TimerTimer();
    ASSERT_EQ(form->CardTable2->CardTop().ID(), 6) << "the computer plays during a drag";
    const QPoint dropped = drag.Card()->pos();
    EXPECT_FALSE(drag.Release(PileMiddle(2)));
    EXPECT_EQ(form->HumanPlayed(), 0);
    EXPECT_TRUE(form->Fumble().Locked()) << "a refused play";
    ASSERT_TRUE(drag.FlyingBack());

    // Half-way home, then in its slot again.
    const QPoint home = form->Play1Card[0]->pos();
    ms += form->Animator->FlightTime() / 2;
    drag.Frame();
    const QPoint half = drag.Card()->pos();
    EXPECT_LT(std::abs(half.y() - home.y()), std::abs(dropped.y() - home.y()));
    EXPECT_GT(std::abs(half.y() - home.y()), 0);
    ms += form->Animator->FlightTime();
    drag.Frame();
    EXPECT_FALSE(drag.FlyingBack() || drag.Card()->isVisible() || drag.Cover()->isVisible());

    // No drag under the lock, nor once the game is decided.
    ms = 1200;
    DragTo(0, PileMiddle(1));
    EXPECT_FALSE(drag.Dragging());
    drag.Release(PileMiddle(1));
    ms += TFumbleLock::LockMs;
    ASSERT_FALSE(form->Fumble().Locked());

    // Dropped on no pile: refused; put back on its own slot: nothing asked, nothing counted.
    DragTo(0, QPoint(240, 250));
    EXPECT_FALSE(drag.Release(QPoint(240, 250)));
    EXPECT_TRUE(form->Fumble().Locked());
    ms += TFumbleLock::LockMs;
    drag.Cancel();
    DragTo(0, SlotMiddle(0) + QPoint(3, -3));
    EXPECT_FALSE(drag.Release(SlotMiddle(0) + QPoint(3, -3)));
    EXPECT_FALSE(form->Fumble().Locked());
    drag.Cancel();

    TMainFormProbe::SetCounters(*form, form->CardsToWin() - 1, 0);
    SetSlot(form->Play1Card[1], 6);
    QTest::keyClick(form.get(), '2');
    ASSERT_FALSE(form->GameRunning());
    DragTo(0, PileMiddle(1));
    EXPECT_FALSE(drag.Dragging());
}

TEST_F(ChoosingThePile, ShiftWithASlotsKeyLaysOnTheSecondPileWhenItFits) {
    SetSlot(form->Play1Card[2], 4);
    QTest::keyClick(form.get(), Qt::Key_3, Qt::ShiftModifier);
    EXPECT_EQ(form->CardTable2->CardTop().ID(), 4);
    EXPECT_EQ(form->CardTable1->CardTop().ID(), 5);

    Settle(5, 10);
    SetSlot(form->Play1Card[2], 4);
    QTest::keyClick(form.get(), Qt::Key_3, Qt::ShiftModifier);
    EXPECT_EQ(form->CardTable1->CardTop().ID(), 4) << "the first, when the second does not fit";

    // Shift with the keypad's 1 to 4 under Num Lock gives their other keys: the same places.
    Settle(5, 5);
    SetSlot(form->Play1Card[3], 6);
    QTest::keyClick(form.get(), Qt::Key_Left, Qt::ShiftModifier | Qt::KeypadModifier);
    EXPECT_EQ(form->CardTable2->CardTop().ID(), 6);
}

TEST_F(ChoosingThePile, EachSpeedGivesFlightsGlowsAndFlashesTheirTime) {
    // Fast, Normal and Slow: the computer's flight lands, its glow and a refused card's flash
    // end after half, once and twice Normal's time.
    for (const int32_t speed : PlaySpeeds) {
        SCOPED_TRACE(speed);
        form->SetPlaySpeed(speed);
        const int64_t scale = PlaySpeedPercent(speed);
        Settle(5, 10);
        SetSlot(form->Play2Card[0], 11);
        SetSlot(form->Play1Card[0], 8);
        ms = 1000;
        form->TimerTimer();
        QTest::keyClick(form.get(), '1');
        const auto at = [&](int64_t T) {
            ms = 1000 + T * scale / 100;
            form->Animator->Frame();
        };
        at(TPlayAnimator::FlightMs - 2);
        EXPECT_TRUE(form->Animator->Flying());
        at(TPlayAnimator::FlightMs);
        EXPECT_FALSE(form->Animator->Flying());
        at(TPlayAnimator::FlashMs - 2);
        EXPECT_TRUE(form->Animator->Flashing());
        at(TPlayAnimator::FlashMs);
        EXPECT_FALSE(form->Animator->Flashing());
        ms = 1000 + TPlayAnimator::FlightMs * scale / 100; // the glow's start
        form->Animator->Frame();
        ms += TPlayAnimator::GlowMs * scale / 100 - 2;
        form->Animator->Frame();
        EXPECT_TRUE(form->Animator->Glowing());
        ms += 2;
        form->Animator->Frame();
        EXPECT_FALSE(form->Animator->Glowing());
        EXPECT_EQ(form->Settings().PlaySpeed, speed);
    }
}

} // namespace

namespace {

TEST_F(ChoosingThePile, TableFollowsTheWindowsSizeFromTheArtForItsZoom) {
    form->SetZoomSettleMs(0);
    SetSlot(form->Play1Card[2], 12);
    const QImage normal = Grab();
    const QPoint slot = form->Play1Card[2]->pos();

    // Twice the size: every control twice as large and far, the card from the 2x art.
    form->resize(2 * TMainForm::TableWidth, 2 * TMainForm::TableHeight);
    const QImage twice = Grab();
    twice.save(QStringLiteral(TOLVI_TEST_OUTPUT_DIR "/table-zoom-2.png"));
    EXPECT_EQ(form->Zoom(), 2);
    EXPECT_EQ(form->Play1Card[2]->geometry(), QRect(slot * 2, QSize(142, 192)));
    const QImage queen = CardImage(12)->Image(2).convertToFormat(QImage::Format_RGB32);
    EXPECT_TRUE(RegionEquals(twice, 2 * slot.x() + 8, 2 * slot.y() + 8, queen.copy(8, 8, 126, 176),
                             126, 176));

    // A wider window: the table centred, felt beside it.
    form->resize(2 * TMainForm::TableWidth + 100, 2 * TMainForm::TableHeight);
    const QImage wide = Grab();
    EXPECT_EQ(form->Play1Card[2]->pos(), slot * 2 + QPoint(50, 0));
    EXPECT_EQ(wide.pixelColor(10, 400), QColor(0, 90, 40));
    EXPECT_TRUE(RegionEquals(wide, 2 * slot.x() + 58, 2 * slot.y() + 8, queen.copy(8, 8, 126, 176),
                             126, 176));

    // Back to 100 %: the picture of before.
    form->resize(TMainForm::TableWidth, TMainForm::TableHeight);
    EXPECT_EQ(Grab(), normal);

    // While the window is being resized the cards are drawn from the art for the new size only
    // once it rests; meanwhile their last drawing is shown scaled.
    form->SetZoomSettleMs(20);
    form->resize(3 * TMainForm::TableWidth / 2, 3 * TMainForm::TableHeight / 2);
    const TKsSurface& surface = form->Play1Card[2]->Surface();
    EXPECT_EQ(surface.DevicePixelRatio(), 1);
    EXPECT_NE(Grab().pixelColor(SlotMiddle(2)), form->palette().color(QPalette::Window));
    EXPECT_TRUE(QTest::qWaitFor([&] { return surface.DevicePixelRatio() == form->Zoom(); }, 60000));

    // The computer's card flies at the table's size.
    form->resize(2 * TMainForm::TableWidth, 2 * TMainForm::TableHeight);
    ASSERT_TRUE(QTest::qWaitFor([&] { return surface.DevicePixelRatio() == 2; }, 60000));
    SetSlot(form->Play2Card[0], 6);
    form->TimerTimer();
    ASSERT_TRUE(form->Animator->Flying());
    EXPECT_EQ(form->Animator->Flight()->Bitmap().size(), QSize(142, 192));
}

} // namespace

namespace {

// The title's picture waits for the zoom to rest, as the cards do: meanwhile its 1x picture
// stands in, each pixel doubled, and once at rest it is drawn from the 2x art.
TEST_F(ChoosingThePile, PicturesWaitForTheZoomToRestWhileTheWindowIsResized) {
    form->SetZoomSettleMs(20);
    // The picture alone, above the version line.
    const auto picture = [this] {
        const QImage panel =
            form->TitlePanel->grab().toImage().convertToFormat(QImage::Format_RGB32);
        return panel.copy(0, 0, panel.width(), panel.height() * 300 / 453);
    };
    const QImage normal = picture();
    form->resize(2 * TMainForm::TableWidth, 2 * TMainForm::TableHeight);
    const QImage doubled = normal.scaled(normal.size() * 2);
    EXPECT_EQ(picture(), doubled);
    EXPECT_TRUE(QTest::qWaitFor([&] { return picture() != doubled; }, 60000));
    EXPECT_EQ(picture().size(), doubled.size());
}

} // namespace
