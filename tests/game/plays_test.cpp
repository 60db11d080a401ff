// Seeing the plays: the computer's card flying to its pile, refused plays, the fumble rule and
// the cards each side still has to lay. The game never waits for any of it.

#include "Bevel.h"
#include "FeltBadge.h"
#include "FlyingCard.h"
#include "GameSummary.h"
#include "LockShade.h"
#include "PlayAnimator.h"
#include "card_pixels.h"
#include "game_fixture.h"
#include "kspicture.h"

#include <QDir>
#include <QFile>
#include <QFrame>
#include <QPainter>
#include <QScreen>
#include <QTest>

namespace {

class Plays : public SettledTableTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        DealAndSettle(5, 10);
    }
    // The frame for the clock at T.
    void FrameAt(int64_t T) {
        ms = T;
        form->Animator->Frame();
    }
    // Image's pixel at the window's point P, at any density.
    static QColor At(const QImage& Image, QPoint P) {
        return Image.pixelColor(P * Image.devicePixelRatio());
    }
    // What has reached the screen, without running the event loop.
    QImage OnScreen() const {
        return form->screen()
            ->grabWindow(form->winId())
            .toImage()
            .convertToFormat(QImage::Format_RGB32);
    }
    // Kept for looking at; "@2x" on a denser screen.
    void Save(const QImage& Shot, const QString& Name) {
        QDir().mkpath(QStringLiteral(TOLVI_TEST_OUTPUT_DIR));
        const char* suffix = form->devicePixelRatioF() > 1 ? "@2x.png" : ".png";
        EXPECT_TRUE(Shot.save(QStringLiteral(TOLVI_TEST_OUTPUT_DIR "/") + Name + suffix));
    }
};

// A flight reads the card for the table's zoom; on a denser screen (run at 2x too) the table
// draws it at another density and must not have to read it again after every flight.
TEST_F(Plays, FlightLeavesTheTablesPictureOfTheCard) {
    SetSlot(form->Play2Card[2], 11 + 13); // the Jack, drawn at the table's density
    form->TimerTimer();
    ASSERT_TRUE(form->Animator->Flying());
    FrameAt(1075);
    const uint64_t read = KsDecodedPictures();
    SetSlot(form->Play1Card[3], 11 + 13);
    EXPECT_EQ(KsDecodedPictures(), read);
}

// On a denser screen (run at 2x too) the flying card is the table's art for that density, one
// picture pixel a device pixel, and it leaves no trace of itself behind.
TEST_F(Plays, FlightShowsTheArtOfTheScreensDensity) {
    const QColor window = form->palette().color(QPalette::Window);
    const int ratio = int(form->devicePixelRatioF());
    SetSlot(form->Play1Card[0], 4); // the human can still play: no turn-over after the Jack
    const QImage before = Grab();
    SetSlot(form->Play2Card[2], 11 + 13); // a Jack fits its own pile
    form->TimerTimer();
    ASSERT_TRUE(form->Animator->Flying());
    for (const int64_t t : {1040, 1075}) {
        FrameAt(t);
        const TFlyingCard* flight = form->Animator->Flight();
        ASSERT_TRUE(flight && flight->Visible());
        const QImage card = ShownPicture(*CardImage(24), window, ratio);
        const QImage shot = Grab();
        ASSERT_EQ(shot.devicePixelRatio(), ratio);
        EXPECT_TRUE(RegionEquals(shot, flight->X() * ratio, flight->Y() * ratio, card, card.width(),
                                 card.height()))
            << "at " << t;
    }
    form->Animator->Finish();
    // Everywhere but the slot, the pile and what counts the play, the window is as before.
    const auto masked = [&](QImage Image) {
        QPainter p(&Image);
        for (QWidget* w :
             std::initializer_list<QWidget*>{form->Play2Card[2], form->CardTable2,
                                             form->ComputerToGo, form->WaitSign1, form->WaitSign2})
            p.fillRect(w->geometry(), Qt::black);
        return Image;
    };
    EXPECT_EQ(masked(Grab()), masked(before));
}

TEST_F(Plays, ComputerPlayFliesWithoutHoldingUpTheGameAndLeavesTheTableExact) {
    const QColor window = form->palette().color(QPalette::Window);
    SetSlot(form->Play2Card[2], 11 + 13); // a Jack fits its own pile
    SetSlot(form->Play1Card[0], 4);       // the human's Four fits the Five
    form->TimerTimer();
    EXPECT_EQ(form->CardTable2->CardTop().ID(), 24) << "the state changes at once";
    EXPECT_EQ(form->ComputerPlayed(), 1);
    ASSERT_TRUE(form->Animator->Flying());

    // Half-way the card is drawn between the slot and the pile.
    FrameAt(1075);
    const TFlyingCard* flight = form->Animator->Flight();
    ASSERT_TRUE(flight && flight->Visible());
    EXPECT_GT(flight->Y(), 24 + 20);
    EXPECT_LT(flight->Y(), 168 - 10);
    const QImage card = ShownPicture(*CardImage(24), window);
    EXPECT_TRUE(RegionEquals(Grab(), flight->X(), flight->Y(), card, 71, 96));

    // A key during the flight is played at once, and ends the flight.
    QTest::keyClick(form.get(), '1');
    EXPECT_EQ(form->CardTable1->CardTop().ID(), 4);
    EXPECT_EQ(form->HumanPlayed(), 1);
    EXPECT_FALSE(form->Animator->Active());

    // A whole flight and glow, then nothing is left of them.
    Settle(4, 24);
    const QRect pile(form->CardTable2->x() + 35, form->CardTable2->y(), 71, 96);
    const QPoint beside(pile.left() - 3, pile.center().y());
    // The human can still play, so the refill after the Queen turns no piles over, whatever
    // the pile holds.
    SetSlot(form->Play1Card[1], 5);
    const QImage before = Grab();
    SetSlot(form->Play2Card[0], 12 + 13); // a Queen on the Jack
    form->TimerTimer();
    FrameAt(1100);
    FrameAt(1240);
    EXPECT_TRUE(form->Animator->Glowing()) << "landed";
    EXPECT_NE(Grab().pixel(beside), before.pixel(beside));
    FrameAt(1700);
    EXPECT_FALSE(form->Animator->Active());
    EXPECT_FALSE(flight->Visible());
    const QImage after = Grab();
    EXPECT_TRUE(
        RegionEquals(after, pile.x(), pile.y(), ShownPicture(*CardImage(25), window), 71, 96));
    // Everywhere but the slot, the pile, the count and the wait signs the play changed, the
    // window is as before the flight.
    const auto masked = [&](QImage Image) {
        QPainter p(&Image);
        for (QWidget* w : std::initializer_list<QWidget*>{form->Play2Card[0], form->ComputerToGo,
                                                          form->WaitSign1, form->WaitSign2})
            p.fillRect(w->geometry(), Qt::black);
        p.fillRect(pile, Qt::black);
        return Image;
    };
    EXPECT_EQ(masked(after), masked(before));
}

// A wait sign reaches the screen the moment it is shown or hidden, before the event loop runs.
TEST_F(Plays, AWaitSignReachesTheScreenAtOnce) {
    if (form->devicePixelRatioF() != 1)
        GTEST_SKIP() << "the offscreen screen hands back a logical size of a denser window";
    const QRect sign = form->WaitSign1->geometry();
    SetSlot(form->Play1Card[0], 4); // fits the Five
    EXPECT_TRUE(form->CanPlay(true));
    QCoreApplication::processEvents();
    const QImage hidden = OnScreen().copy(sign);
    SetSlot(form->Play1Card[0], 2); // Twos only: nothing fits
    EXPECT_FALSE(form->CanPlay(true));
    const QImage shown = OnScreen().copy(sign);
    EXPECT_NE(shown, hidden);
    EXPECT_EQ(shown, Grab().copy(sign)) << "the sign as the window draws it";
    SetSlot(form->Play1Card[0], 4);
    EXPECT_TRUE(form->CanPlay(true));
    EXPECT_EQ(OnScreen().copy(sign), hidden);
}

// A frame repaints only what it changed. What reaches the screen is checked against the whole
// window drawn afresh, at every frame of a flight, its glow and a flash: a strip left out of a
// repaint would show there as a trail or a stale ring.
TEST_F(Plays, EachFrameLeavesTheScreenAsTheWholeWindowDrawnAfresh) {
    if (form->devicePixelRatioF() != 1)
        GTEST_SKIP() << "the offscreen screen hands back a logical size of a denser window";
    const auto onScreen = [&] {
        QCoreApplication::processEvents();
        return OnScreen();
    };
    ASSERT_FALSE(onScreen().isNull());
    SetSlot(form->Play1Card[0], 8); // fits neither pile
    SetSlot(form->Play1Card[1], 4); // the human can play: no piles turned over
    SetSlot(form->Play2Card[2], 11 + 13);
    form->TimerTimer();
    bool flew = false, glowed = false, flashed = false;
    for (int64_t t = 1000; form->Animator->Active(); t += 17) {
        if (form->Animator->Glowing() && !flashed)
            QTest::keyClick(form.get(), '1'); // refused while the pile glows
        FrameAt(t);
        flew |= form->Animator->Flying();
        glowed |= form->Animator->Glowing();
        flashed |= form->Animator->Flashing();
        ASSERT_EQ(onScreen(), Grab()) << "at " << t;
    }
    EXPECT_TRUE(flew && glowed && flashed);
}

// The box round a card's place is the style's drawing: whole (the first frame) and a strip of
// it (a card flying past), at the table's size, zoomed, and after the palette changes.
TEST(Bevel, ShowsWhatTheStyleDraws) {
    QFrame plain;
    plain.setFrameStyle(QFrame::Box | QFrame::Sunken);
    TBevel bevel(nullptr);
    const auto same = [&] {
        bevel.resize(plain.size());
        bevel.setPalette(plain.palette());
        const QRect strip(0, 0, plain.width(), plain.height() / 3);
        return plain.grab(strip).toImage() == bevel.grab(strip).toImage() &&
               plain.grab().toImage() == bevel.grab().toImage();
    };
    plain.resize(73, 98);
    EXPECT_TRUE(same());
    plain.resize(146, 196);
    EXPECT_TRUE(same());
    plain.setPalette(QColor(200, 40, 40));
    EXPECT_TRUE(same());
}

TEST_F(Plays, RefusedPlayFlashesAndTheFumbleRuleLocksOnlyTheHuman) {
    SetSlot(form->Play1Card[0], 8); // fits neither pile
    const QPoint middle = form->Play1Card[0]->geometry().center();
    const QColor before = Grab().pixelColor(middle);
    QTest::keyClick(form.get(), '1');
    EXPECT_TRUE(form->Animator->Flashing());
    const QColor flashed = Grab().pixelColor(middle);
    EXPECT_GT(flashed.red() - flashed.green(), before.red() - before.green() + 40);
    FrameAt(1000 + TPlayAnimator::FlashMs);
    EXPECT_FALSE(form->Animator->Flashing());
    EXPECT_EQ(Grab().pixelColor(middle), before);

    // Without the rule the next key plays.
    SetSlot(form->Play1Card[1], 6); // fits the Five
    const int32_t played = form->HumanPlayed();
    QTest::keyClick(form.get(), '2');
    EXPECT_EQ(form->HumanPlayed(), played + 1);

    form->SetFumbleRule(true);
    Settle(5, 10);
    const int32_t human = form->HumanPlayed(), computer = form->ComputerPlayed();
    SetSlot(form->Play1Card[0], 8);
    SetSlot(form->Play1Card[1], 6);
    QTest::keyClick(form.get(), '1');
    QTest::keyClick(form.get(), '2');
    EXPECT_EQ(form->HumanPlayed(), human) << "locked";
    EXPECT_TRUE(form->Animator->Flashing()) << "the locked card says so";
    SetSlot(form->Play2Card[0], 11);
    form->TimerTimer();
    EXPECT_EQ(form->ComputerPlayed(), computer + 1) << "the computer plays on";
    ms += 499;
    QTest::mouseClick(form->Play1Card[1], Qt::LeftButton, {}, QPoint(30, 40));
    EXPECT_EQ(form->HumanPlayed(), human) << "still locked, and no longer";
    ms += 1;
    QTest::mouseClick(form->Play1Card[1], Qt::LeftButton, {}, QPoint(30, 40));
    EXPECT_EQ(form->HumanPlayed(), human + 1);
    EXPECT_EQ(form->CardTable1->CardTop().ID(), 6);

    QTest::keyClick(form.get(), '1');
    ASSERT_TRUE(form->Fumble().Locked());
    form->DealBtnClick();
    EXPECT_FALSE(form->Fumble().Locked()) << "a new deal starts unlocked";
}

TEST_F(Plays, FumbleLockDimsTheHumansCardsAndOnlyMisfitsFlash) {
    form->SetFumbleRule(true);
    SetSlot(form->Play1Card[0], 8); // fits neither
    SetSlot(form->Play1Card[1], 6); // fits the Five
    const QImage before = Grab();
    QTest::keyClick(form.get(), '1');
    FrameAt(1250); // the flash is over, half the lock is left
    form->LockShade->Frame();
    QTest::keyClick(form.get(), '2');
    EXPECT_FALSE(form->Animator->Flashing()) << "a card that fits is only locked";
    const QImage locked = Grab();
    Save(locked, QStringLiteral("fumble-lock"));
    for (TKsCardGroup* slot : form->Play1Card) {
        const QPoint middle = slot->geometry().center();
        EXPECT_LT(At(locked, middle).lightness(), At(before, middle).lightness() - 30);
    }
    // Half the bar under the cards is left.
    const QRect bar = form->LockShade->geometry();
    const QPoint early(bar.left() + bar.width() / 4, bar.bottom() - 1);
    const QPoint late = early + QPoint(bar.width() / 2, 0);
    EXPECT_NE(At(locked, early), At(before, early));
    EXPECT_EQ(At(locked, late), At(before, late));

    QTest::keyClick(form.get(), '1');
    EXPECT_TRUE(form->Animator->Flashing()) << "a misfit still says so";
    FrameAt(1000 + TFumbleLock::LockMs);
    form->LockShade->Frame();
    EXPECT_EQ(Grab(), before) << "the lock is over, and was not renewed";
}

TEST_F(Plays, WonGameShowsItsBreakdownWhileTheQuestionIsAsked) {
    int64_t stats = 0;
    const TStatsClockOverride statsClock{[&] { return stats; }};
    form->DealBtnClick();
    Settle(5, 10);
    TMainFormProbe::SetStuck(*form, true, true);
    form->TurnOverPiles();
    Settle(5, 10);
    const int32_t passes = form->HumanPlayed();
    TMainFormProbe::SetCounters(*form, 24, 18);
    TMainFormProbe::SetScore(*form, 24);
    SetSlot(form->Play1Card[0], 6);
    stats = 125'400;
    const QPoint inside = form->Summary->geometry().topLeft() + QPoint(4, 80);
    QStringList shown;
    dialogs.OnMessage = [&](const TKsMessage&) {
        shown << form->Summary->Title();
        for (const auto& [caption, value] : form->Summary->Lines())
            shown << caption + ' ' + value;
        const QImage shot = Grab();
        Save(shot, QStringLiteral("game-breakdown"));
        EXPECT_EQ(At(shot, inside), QColor(0, 90, 40));
    };
    dialogs.Answers = {mbNo};
    QTest::keyClick(form.get(), '1');
    Drain();
    EXPECT_EQ(shown.join(QStringLiteral(", ")),
              QStringLiteral("You Won, Cards laid %1, Turn-over passes %2, Level bonus 300, "
                             "Cards bonus 700, Winning point 1, Score 1026, Time 2:05")
                  .arg(25 - passes)
                  .arg(passes));
    EXPECT_EQ(form->Summary->Note(), QString()) << "a shuffled deal enters the hall of fame";
    EXPECT_FALSE(form->Summary->isVisible());
}

// In Las Vegas the total carried into the deal and its stake are parts of the score too; a win
// of a chosen deal says that it stays out of the hall of fame, beside the parts.
TEST_F(Plays, BreakdownAddsUpToTheScoreAndSaysWhenAWinStaysOutOfTheHallOfFame) {
    form->SetScoring(1);
    form->SetNewSession(false);
    TMainFormProbe::SetScore(*form, 120); // what the earlier games left
    form->DealNumbered(77u);
    Settle(5, 10);
    TMainFormProbe::SetStuck(*form, true, true);
    form->TurnOverPiles();
    Settle(5, 10);
    TMainFormProbe::SetCounters(*form, 24, 18);
    // The points of the cards and passes so far, on the total after the stake.
    TMainFormProbe::SetScore(*form, 120 - 25 + 24);
    SetSlot(form->Play1Card[0], 6);
    QList<QPair<QString, QString>> parts;
    QImage noted;
    QImage plain;
    QImage few;
    dialogs.OnMessage = [&](const TKsMessage&) {
        parts = form->Summary->Parts();
        QCoreApplication::processEvents();
        noted = form->Summary->grab().toImage();
        Save(noted, QStringLiteral("game-breakdown-las-vegas"));
        TGameBreakdown b = form->Summary->Breakdown();
        b.OutOfHallOfFame = false;
        form->Summary->SetBreakdown(b);
        plain = form->Summary->grab().toImage();
        form->Summary->SetBreakdown({});
        few = form->Summary->grab().toImage();
    };
    dialogs.Answers = {mbNo};
    QTest::keyClick(form.get(), '1');
    Drain();
    ASSERT_FALSE(parts.isEmpty()) << "the breakdown was shown";
    int64_t sum = 0;
    QStringList shown;
    for (const auto& [caption, value] : parts) {
        sum += value.toLongLong();
        shown << caption + ' ' + value;
    }
    EXPECT_EQ(sum, form->GameScore()) << shown.join(", ").toStdString();
    EXPECT_EQ(form->GameScore(), 120 - 25 + 25 + 300 + 700 + 1);
    EXPECT_EQ(shown.mid(0, 2), QStringList({"Carried over 120", "Stake -25"}));
    EXPECT_TRUE(shown.contains("Winning point 1"));

    // Eight lines fit above the panel's edge as well as three do.
    ASSERT_EQ(noted.size(), plain.size());
    ASSERT_EQ(few.size(), plain.size());
    const int ratio = int(noted.devicePixelRatio());
    const QRect edge(0, plain.height() - 4 * ratio, TGameSummary::LinesWidth * ratio, 4 * ratio);
    EXPECT_EQ(plain.copy(edge), few.copy(edge));

    // The note is drawn in the column beside the lines, and only there.
    QRect changed;
    for (int y = 0; y < noted.height(); ++y)
        for (int x = 0; x < noted.width(); ++x)
            if (noted.pixel(x, y) != plain.pixel(x, y))
                changed |= QRect(x, y, 1, 1);
    EXPECT_FALSE(changed.isEmpty()) << "the note shows";
    EXPECT_GT(changed.left(), TGameSummary::LinesWidth * ratio);
}

TEST_F(Plays, ShowPlaysOffDrawsNothingExtra) {
    form->SetShowPlays(false);
    SetSlot(form->Play2Card[0], 11);
    SetSlot(form->Play1Card[0], 8);
    form->TimerTimer();
    QTest::keyClick(form.get(), '1');
    EXPECT_EQ(form->CardTable2->CardTop().ID(), 11);
    EXPECT_FALSE(form->Animator->Active());
    EXPECT_EQ(form->Animator->Flight(), nullptr);
    for (QWidget* w :
         std::initializer_list<QWidget*>{form->HumanToGo, form->ComputerToGo, form->DealHint})
        EXPECT_FALSE(w->isVisibleTo(form.get()));
    // Neither the lock nor the breakdown of a decided game.
    form->SetFumbleRule(true);
    QTest::keyClick(form.get(), '1');
    EXPECT_TRUE(form->Fumble().Locked());
    EXPECT_FALSE(form->LockShade->isVisibleTo(form.get()));
    TMainFormProbe::SetCounters(*form, 3, 24);
    SetSlot(form->Play2Card[1], 12);
    dialogs.OnMessage = [&](const TKsMessage&) { EXPECT_FALSE(form->Summary->isVisible()); };
    dialogs.Answers = {mbNo};
    form->TimerTimer();
    Drain();
    EXPECT_EQ(dialogs.Shown.back().Text,
              QStringLiteral("The Computer Won, Do you want to play again?"));
}

using CardsToGo = GameTest;

TEST_F(CardsToGo, FollowDealPlaysAndTurnOversForOneAndTwoDecks) {
    EXPECT_TRUE(form->DealHint->isVisibleTo(form.get()));
    EXPECT_FALSE(form->HumanToGo->isVisibleTo(form.get()));
    for (int decks : {1, 2}) {
        form->SetDeckCount(decks);
        form->SetUpDeckSize();
        form->DealBtnClick();
        form->Timer->stop();
        const int goal = decks == 1 ? 25 : 51;
        EXPECT_FALSE(form->DealHint->isVisibleTo(form.get()));
        EXPECT_TRUE(form->HumanToGo->isVisibleTo(form.get()));
        const auto toGo = [](TFeltBadge* B) { return B->Text().toInt(); };
        EXPECT_EQ(toGo(form->HumanToGo), goal - form->HumanPlayed());
        EXPECT_EQ(toGo(form->HumanToGo), Held(form->Play1Pile, form->Play1Card));
        EXPECT_EQ(toGo(form->ComputerToGo), Held(form->Play2Pile, form->Play2Card));
        const int human = toGo(form->HumanToGo), computer = toGo(form->ComputerToGo);

        TMainFormProbe::SetStuck(*form, false, false);
        SetTop(form->CardTable1, 5);
        SetTop(form->CardTable2, 10);
        SetSlot(form->Play1Card[0], 6);
        QTest::keyClick(form.get(), '1');
        EXPECT_EQ(toGo(form->HumanToGo), human - 1);
        SetSlot(form->Play2Card[0], 11);
        form->TimerTimer();
        EXPECT_EQ(toGo(form->ComputerToGo), computer - 1);
        Drain();

        TMainFormProbe::SetStuck(*form, true, true);
        form->TurnOverPiles();
        EXPECT_LE(toGo(form->HumanToGo), human - 2);
        EXPECT_EQ(toGo(form->HumanToGo), Held(form->Play1Pile, form->Play1Card));
        EXPECT_EQ(toGo(form->ComputerToGo), Held(form->Play2Pile, form->Play2Card));
    }
}

// The report the end-to-end test reads, as a flight is too quick to catch on screen: each
// flight's start, the frames that drew the card and how the flight ended.
class FlightReport : public Plays {
protected:
    void SetUp() override {
        qputenv("TOLVI_TEST_FLIGHT_REPORT", QFile::encodeName(Path()));
        Plays::SetUp();
        qunsetenv("TOLVI_TEST_FLIGHT_REPORT");
    }
    QString Path() const { return dir.filePath(QStringLiteral("flights.txt")); }
    QStringList Lines() const {
        QFile file(Path());
        return file.open(QIODevice::ReadOnly)
                   ? QString::fromLatin1(file.readAll()).split('\n', Qt::SkipEmptyParts)
                   : QStringList{};
    }
};

TEST_F(FlightReport, SaysWhereEachFrameDrewTheCardAndHowEachFlightEnded) {
    const QPoint slot2 = form->Play2Card[2]->pos(), slot0 = form->Play2Card[0]->pos();
    SetSlot(form->Play1Card[0], 4);       // the human can play, so no pile is turned over
    SetSlot(form->Play2Card[2], 11 + 13); // a Jack on the Ten
    form->TimerTimer();
    FrameAt(1075);
    const TFlyingCard* flight = form->Animator->Flight();
    ASSERT_NE(flight, nullptr);
    const QString drawn = QStringLiteral("1075 frame %1 %2").arg(flight->X()).arg(flight->Y());
    ms = 1100;
    SetSlot(form->Play2Card[0], 12 + 13); // a Queen on the Jack cuts its flight short
    form->TimerTimer();
    FrameAt(1300);
    ASSERT_FALSE(form->Animator->Flying());

    const QStringList lines = Lines();
    ASSERT_EQ(lines.size(), 5) << lines.join('\n').toStdString();
    const QStringList first = lines[0].split(' '), second = lines[3].split(' ');
    ASSERT_EQ(first.size(), 6);
    EXPECT_EQ(first.mid(0, 4), (QStringList{"1000", "start", QString::number(slot2.x()),
                                            QString::number(slot2.y())}));
    EXPECT_EQ(lines[1], drawn);
    EXPECT_EQ(lines[2], "1100 cut");
    ASSERT_EQ(second.size(), 6);
    EXPECT_EQ(second.mid(0, 4), (QStringList{"1100", "start", QString::number(slot0.x()),
                                             QString::number(slot0.y())}));
    EXPECT_EQ(lines[4], "1300 landed");
    EXPECT_EQ(first.mid(4), second.mid(4)) << "both bound for the same pile";
}

} // namespace
