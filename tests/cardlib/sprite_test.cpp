#include "ksabort.h"
#include "ksbusy.h"
#include "kscustomgraphiccontrol.h"
#include "kssprite.h"
#include "ksterminating.h"
#include "screen_grab.h"

#include <QCursor>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <typeinfo>
#include <vector>

namespace {

constexpr int FormWidth = 320;
constexpr int FormHeight = 240;
constexpr int ImageWidth = 40;
constexpr int ImageHeight = 30;

// Every pixel of the form differs from every other, so a strip put back one pixel off shows.
QImage FormPattern() {
    QImage image(FormWidth, FormHeight, QImage::Format_RGB32);
    for (int y = 0; y < FormHeight; ++y)
        for (int x = 0; x < FormWidth; ++x)
            image.setPixel(x, y, qRgb(x & 0xFF, y & 0xFF, ((x >> 8) << 7) | 0x15));
    return image;
}

// The flying image, with a see-through corner that must come out opaque all the same.
QImage FlyingImage(int Tint) {
    QImage image(ImageWidth, ImageHeight, QImage::Format_ARGB32);
    for (int y = 0; y < ImageHeight; ++y)
        for (int x = 0; x < ImageWidth; ++x)
            image.setPixel(x, y, qRgba(Tint, 40 + 5 * x, 30 + 7 * y, 255));
    image.setPixel(0, 0, qRgba(Tint, 1, 2, 0));
    return image;
}

class TPatternForm : public QWidget, public TKsSynchronizeTarget {
public:
    TPatternForm() : FPattern(FormPattern()) { resize(FormWidth, FormHeight); }

    // Where the sprite stood each time it was about to draw.
    void KmSynchronize() override {
        if (Sprite)
            Draws.push_back(QPoint(Sprite->X(), Sprite->Y()));
    }

    TKsSprite* Sprite = nullptr;
    std::vector<QPoint> Draws;

protected:
    void paintEvent(QPaintEvent* Event) override {
        QPainter painter(this);
        painter.drawImage(Event->rect(), FPattern, Event->rect());
    }

private:
    QImage FPattern;
};

// Every pass of the step loop processes the event queue once; this probe re-posts itself each
// time it is delivered, and so notes where the sprite stands at the start of every pass.
class TPassProbe : public QObject {
public:
    explicit TPassProbe(const TKsSprite& Sprite) : FSprite(Sprite) {}

    void Start() {
        FActive = true;
        QCoreApplication::postEvent(this, new QEvent(ProbeEvent));
    }
    void Stop() { FActive = false; }

    std::vector<QPoint> Starts;
    std::vector<bool> BusyAtStart;
    std::function<void(size_t Pass)> OnPass;

protected:
    bool event(QEvent* Event) override {
        if (Event->type() != ProbeEvent)
            return QObject::event(Event);
        if (FActive) {
            Starts.push_back(QPoint(FSprite.X(), FSprite.Y()));
            BusyAtStart.push_back(Busy());
            if (OnPass)
                OnPass(Starts.size());
            QCoreApplication::postEvent(this, new QEvent(ProbeEvent));
        }
        return true;
    }

private:
    static constexpr QEvent::Type ProbeEvent = static_cast<QEvent::Type>(QEvent::User + 42);
    const TKsSprite& FSprite;
    bool FActive = false;
};

QImage Rgb(const QImage& Image) {
    return Image.convertToFormat(QImage::Format_RGB32);
}

// Image with Area blanked, to compare everything but that area.
QImage Without(const QImage& Image, const QRect& Area) {
    QImage result = Rgb(Image);
    QPainter(&result).fillRect(Area, Qt::black);
    return result;
}

// Runs Body inside the application's main event loop, which a quit needs to take effect.
void RunInMainLoop(const std::function<void()>& Body) {
    QTimer::singleShot(0, [&Body] {
        Body();
        QCoreApplication::exit(0);
    });
    QCoreApplication::exec();
}

class SpriteTest : public ::testing::Test {
protected:
    void SetUp() override {
        child = new QWidget(&form);
        child->setGeometry(150, 100, 60, 40);
        child->setAutoFillBackground(true);
        QPalette palette = child->palette();
        palette.setColor(QPalette::Window, QColor(20, 160, 60));
        child->setPalette(palette);
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
        form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
        sprite = new TKsSprite(&form);
        form.Sprite = sprite;
        sprite->SetBitmap(FlyingImage(220));
        sprite->AfterMove = [this](TKsSprite* Sender) {
            EXPECT_EQ(Sender, sprite);
            EXPECT_FALSE(Busy());
            ++afterMoves;
        };
        Settle();
        reference = Screen();
        form.Draws.clear();
    }

    static void Settle() {
        for (int i = 0; i < 3; ++i)
            QCoreApplication::processEvents();
    }
    QImage Screen() { return Rgb(ScreenImage(form)); }
    QImage ScreenAt(const QRect& Area) { return Screen().copy(Area); }
    static QRect ImageAt(int X, int Y) { return QRect(X, Y, ImageWidth, ImageHeight); }

    TPatternForm form;
    QWidget* child = nullptr;
    TKsSprite* sprite = nullptr;
    QImage reference;
    int afterMoves = 0;
};

} // namespace

// ---- options and properties ----

TEST(SpriteProperties, DefaultsAndDrawOptionBits) {
    EXPECT_EQ(KsDefaultDrawOptions.Bits(), 175);
    for (int bit = 0; bit <= doAutoRefresh; ++bit) {
        const auto option = static_cast<TKsDrawOption>(bit);
        EXPECT_EQ(TKsDrawOptions{option}.Bits(), 1 << bit);
        EXPECT_EQ(KsDefaultDrawOptions.Contains(option), ((175 >> bit) & 1) == 1) << bit;
    }
    EXPECT_EQ(
        TKsDrawOptions(KsDefaultDrawOptions).Exclude(doAutoErase).Include(doAutoRefresh).Bits(),
        175 - 128 + 256);
    EXPECT_EQ(TKsDrawOptions::FromBits(0xFFFF).Bits(), 0x1FF);

    QWidget form;
    auto* sprite = new TKsSprite(&form);
    EXPECT_EQ(sprite->parent(), &form);
    EXPECT_EQ(sprite->DrawOptions(), KsDefaultDrawOptions);
    EXPECT_EQ(QPoint(sprite->IncrementX(), sprite->IncrementY()), QPoint(4, 4));
    EXPECT_TRUE(sprite->Enabled() && sprite->CursorCenter());
    EXPECT_FALSE(sprite->Visible() || sprite->SnapToCursor() || sprite->EscapeDown());
    EXPECT_EQ(QPoint(sprite->CursorDeltaX(), sprite->CursorDeltaY()), QPoint(0, 0));
    EXPECT_TRUE(sprite->Background().isNull());

    sprite->SetIncrementX(0);
    sprite->SetIncrementY(-3);
    EXPECT_EQ(QPoint(sprite->IncrementX(), sprite->IncrementY()), QPoint(4, 4));
    sprite->SetBitmap(FlyingImage(10));
    EXPECT_FALSE(sprite->Bitmap().hasAlphaChannel());
    sprite->SetCursorDeltaX(7);
    EXPECT_FALSE(sprite->CursorCenter());
    sprite->SetCursorCenter(true);
    EXPECT_EQ(QPoint(sprite->CursorDeltaX(), sprite->CursorDeltaY()),
              QPoint(ImageWidth / 2, ImageHeight / 2));

    QObject notAForm;
    EXPECT_THROW(TKsSprite{&notAForm}, std::bad_cast);
}

TEST(SpriteProperties, TheSpriteAndItsLayerGoWithTheForm) {
    auto form = std::make_unique<QWidget>();
    QPointer<TKsSprite> sprite = new TKsSprite(form.get());
    EXPECT_EQ(form->findChildren<QWidget*>().size(), 1); // its drawing layer
    form.reset();
    EXPECT_TRUE(sprite.isNull());
    QWidget other;
    delete new TKsSprite(&other);
    EXPECT_TRUE(other.findChildren<QWidget*>().isEmpty());
}

// ---- the step loop ----

struct TPassCase {
    const char* Name;
    QPoint Start;
    QPoint Dest;
    int IncrementX;
    int IncrementY;
    std::vector<QPoint> AfterEachPass;
};

class SpritePasses : public SpriteTest, public ::testing::WithParamInterface<TPassCase> {};

TEST_P(SpritePasses, PositionsAfterEachPass) {
    const TPassCase& c = GetParam();
    sprite->SetIncrementX(c.IncrementX);
    sprite->SetIncrementY(c.IncrementY);
    TPassProbe probe(*sprite);
    probe.Start();
    sprite->MoveBitmap(c.Start.x(), c.Start.y(), c.Dest.x(), c.Dest.y(), nullptr, false);
    probe.Stop();

    std::vector<QPoint> passes(probe.Starts.begin() + 1, probe.Starts.end());
    passes.push_back(QPoint(sprite->X(), sprite->Y()));
    EXPECT_EQ(probe.Starts.front(), c.Start);
    EXPECT_EQ(passes, c.AfterEachPass);
    for (const bool busy : probe.BusyAtStart)
        EXPECT_TRUE(busy);
    EXPECT_EQ(afterMoves, 1);
    EXPECT_EQ(sprite->HomeX(), c.Start.x());
    EXPECT_EQ(sprite->HomeY(), c.Start.y());
    EXPECT_FALSE(Busy());
    EXPECT_FALSE(sprite->Visible());
}

INSTANTIATE_TEST_SUITE_P(
    Examples, SpritePasses,
    ::testing::Values(TPassCase{"Horizontal", {0, 0}, {10, 0}, 4, 4, {{4, 0}, {8, 0}, {10, 0}}},
                      TPassCase{
                          "ShortAxisStandsStill", {0, 0}, {10, 3}, 4, 4, {{4, 3}, {8, 3}, {10, 3}}},
                      TPassCase{"AlreadyThere", {10, 10}, {10, 10}, 4, 4, {{10, 10}}},
                      TPassCase{"UpAndLeftWithOwnSteps",
                                {50, 40},
                                {37, 52},
                                5,
                                3,
                                {{45, 43}, {40, 46}, {37, 49}, {37, 52}}},
                      TPassCase{"StepsLargerThanTheImage",
                                {100, 100},
                                {0, 0},
                                60,
                                30,
                                {{40, 70}, {0, 40}, {0, 10}, {0, 0}}}),
    [](const ::testing::TestParamInfo<TPassCase>& Info) { return Info.param.Name; });

TEST_F(SpriteTest, ADiagonalPassDrawsTwice) {
    sprite->MoveBitmap(0, 0, 10, 3, nullptr, true);
    const std::vector<QPoint> draws{{0, 0}, {4, 0}, {4, 3}, {8, 3}, {10, 3}};
    EXPECT_EQ(form.Draws, draws);
}

TEST_F(SpriteTest, AQuitDuringAMoveEndsItSilentlyAfterAfterMove) {
    bool aborted = false;
    bool visibleAfterAbort = false;
    int32_t stoppedAt = -1;
    RunInMainLoop([&] {
        // Quits once the move is under way, however long its first step takes to come.
        QTimer underWay;
        QObject::connect(&underWay, &QTimer::timeout, [&] {
            if (sprite->X() > 0) {
                underWay.stop();
                QCoreApplication::quit();
            }
        });
        underWay.start(1);
        try {
            sprite->MoveBitmap(0, 0, 100000, 0, nullptr, false);
        } catch (const EKsAbort&) {
            aborted = true;
        }
        visibleAfterAbort = sprite->Visible();
        stoppedAt = sprite->X();
    });
    EXPECT_TRUE(aborted);
    EXPECT_EQ(afterMoves, 1);
    EXPECT_FALSE(Busy());
    EXPECT_TRUE(visibleAfterAbort);
    EXPECT_GT(stoppedAt, 0);
    EXPECT_LT(stoppedAt, 100000);
    EXPECT_FALSE(KsTerminating());
}

TEST_F(SpriteTest, MoveBackReturnsHomeAndHides) {
    sprite->MoveBitmap(30, 20, 150, 80, nullptr, true);
    sprite->SetIncrementX(40);
    sprite->SetIncrementY(40);
    TPassProbe probe(*sprite);
    probe.Start();
    sprite->MoveBack();
    probe.Stop();
    const std::vector<QPoint> starts{{150, 80}, {110, 40}, {70, 20}};
    EXPECT_EQ(probe.Starts, starts);
    EXPECT_EQ(QPoint(sprite->X(), sprite->Y()), QPoint(30, 20));
    EXPECT_FALSE(sprite->Visible());
    EXPECT_EQ(afterMoves, 2);
    EXPECT_EQ(Screen(), reference);
}

// ---- what it draws and puts back ----

struct TMoveCase {
    const char* Name;
    QPoint Start;
    QPoint Dest;
    int IncrementX;
    int IncrementY;
};

class SpriteMoves : public SpriteTest, public ::testing::WithParamInterface<TMoveCase> {
protected:
    void Move(bool KeepVisible) {
        const TMoveCase& c = GetParam();
        sprite->SetIncrementX(c.IncrementX);
        sprite->SetIncrementY(c.IncrementY);
        sprite->MoveBitmap(c.Start.x(), c.Start.y(), c.Dest.x(), c.Dest.y(), nullptr, KeepVisible);
    }
};

TEST_P(SpriteMoves, TheShownImageKeepsTheFormPixelsItCovers) {
    Move(true);
    const QRect at = ImageAt(GetParam().Dest.x(), GetParam().Dest.y());
    // Only what lies on the form can be compared.
    const QRect onForm = at & form.rect();
    const QRect inImage = onForm.translated(-at.topLeft());
    ASSERT_TRUE(sprite->Visible());
    ASSERT_EQ(sprite->Background().size(), at.size());
    EXPECT_EQ(Rgb(sprite->Background()).copy(inImage), reference.copy(onForm));
    const QImage screen = Screen();
    EXPECT_EQ(screen.copy(onForm), sprite->Bitmap().copy(inImage));
    EXPECT_EQ(Without(screen, at), Without(reference, at));
}

TEST_P(SpriteMoves, HidingPutsTheFormPixelsBack) {
    Move(false);
    EXPECT_FALSE(sprite->Visible());
    EXPECT_TRUE(sprite->Background().isNull());
    EXPECT_EQ(Screen(), reference);
    Settle();
    EXPECT_EQ(Screen(), reference);
}

INSTANTIATE_TEST_SUITE_P(
    Directions, SpriteMoves,
    ::testing::Values(TMoveCase{"RightAcrossAChild", {100, 90}, {200, 90}, 3, 3},
                      TMoveCase{"Left", {220, 110}, {120, 110}, 7, 7},
                      TMoveCase{"Up", {170, 200}, {170, 60}, 4, 9},
                      TMoveCase{"Diagonal", {20, 20}, {230, 190}, 6, 4},
                      TMoveCase{"StepsWiderThanTheImage", {10, 10}, {250, 180}, 45, 31},
                      TMoveCase{"StepsAsLargeAsTheImage", {10, 10}, {250, 190}, 40, 30},
                      TMoveCase{"WideStepsAcrossNarrowStepsDown", {0, 100}, {250, 130}, 50, 3},
                      TMoveCase{"PartlyOffTheForm", {250, 50}, {300, 225}, 4, 5}),
    [](const ::testing::TestParamInfo<TMoveCase>& Info) { return Info.param.Name; });

TEST_F(SpriteTest, WithoutAutoEraseTheImageLeavesATrailUntilTheFormRepaints) {
    sprite->SetDrawOptions(TKsDrawOptions{doWindowActive});
    sprite->SetIncrementX(20);
    sprite->MoveBitmap(0, 10, 100, 10, nullptr, true);
    // Each step drew the image whole: the left 20 columns of every earlier picture remain.
    const QImage screen = Screen();
    for (int x = 0; x < 100; x += 20)
        EXPECT_EQ(screen.copy(x, 10, 20, ImageHeight), sprite->Bitmap().copy(0, 0, 20, ImageHeight))
            << "at " << x;
    Settle();
    EXPECT_EQ(Screen(), screen);

    form.update();
    Settle();
    const QRect at = ImageAt(100, 10);
    EXPECT_EQ(Without(Screen(), at), Without(reference, at));
    EXPECT_EQ(ScreenAt(at), sprite->Bitmap());
}

// A frame's steps inside a batch show nothing until it ends, and then the whole frame at once,
// the uncovered form included.
TEST_F(SpriteTest, ADrawBatchShowsAFramesStepsTogetherWhenItEnds) {
    sprite->SetDrawOptions({doAutoErase});
    sprite->MoveBitmap(30, 25, 30, 25, nullptr, true);
    // A step inside the image, then one larger than it, over the child.
    for (const QRect& at : {ImageAt(42, 31), ImageAt(150, 90)}) {
        const QImage before = Screen();
        {
            const TKsSprite::TDrawBatch frame(*sprite);
            sprite->SetX(at.x());
            sprite->SetY(at.y());
            EXPECT_EQ(Screen(), before);
        }
        const QImage screen = Screen();
        EXPECT_EQ(screen.copy(at), Rgb(sprite->Bitmap()));
        EXPECT_EQ(Without(screen, at), Without(reference, at)) << "the uncovered form is back";
        EXPECT_EQ(Rgb(sprite->Background()), reference.copy(at));
        Settle();
    }
    sprite->SetVisible(false);
    EXPECT_EQ(Screen(), reference);
}

TEST_F(SpriteTest, MovingAgainWhileShownLeavesTheEarlierPicture) {
    sprite->MoveBitmap(10, 10, 30, 30, nullptr, true);
    sprite->SetBitmap(FlyingImage(60));
    sprite->MoveBitmap(200, 150, 240, 180, nullptr, false);
    Settle();
    const QImage screen = Screen();
    const QRect earlier = ImageAt(30, 30);
    EXPECT_EQ(screen.copy(earlier), Rgb(FlyingImage(220)));
    EXPECT_EQ(Without(screen, earlier), Without(reference, earlier));
}

// ---- the layer it draws on ----

TEST_F(SpriteTest, WidgetsUnderTheImageStillTakeTheMouse) {
    auto* button = new QPushButton(&form);
    button->setGeometry(20, 150, 80, 30);
    button->show();
    int clicks = 0;
    QObject::connect(button, &QPushButton::clicked, [&] { ++clicks; });
    Settle();
    sprite->MoveBitmap(30, 150, 40, 150, nullptr, true);
    // The button came after the sprite, yet the image covers it.
    EXPECT_EQ(ScreenAt(ImageAt(40, 150)), sprite->Bitmap());
    EXPECT_EQ(form.childAt(50, 160), button);
    QTest::mouseClick(form.windowHandle(), Qt::LeftButton, Qt::NoModifier, QPoint(50, 160));
    EXPECT_EQ(clicks, 1);
}

// ---- when it draws ----

TEST_F(SpriteTest, NothingIsDrawnWhileAnotherWindowIsActiveButTheMoveGoesOn) {
    QWidget other;
    other.resize(50, 50);
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    sprite->MoveBitmap(10, 10, 90, 50, nullptr, true);
    EXPECT_EQ(QPoint(sprite->X(), sprite->Y()), QPoint(90, 50));
    EXPECT_EQ(afterMoves, 1);
    EXPECT_TRUE(sprite->Background().isNull());
    EXPECT_EQ(Screen(), reference);

    sprite->SetDrawOptions(TKsDrawOptions(KsDefaultDrawOptions).Exclude(doWindowActive));
    sprite->Redraw();
    EXPECT_EQ(ScreenAt(ImageAt(90, 50)), sprite->Bitmap());
}

TEST_F(SpriteTest, InScreenDrawsOnlyWhileTheWholeFormIsOnTheScreen) {
    sprite->SetDrawOptions(TKsDrawOptions{doWindowInScreen});
    const QRect screen = form.screen()->geometry();
    form.move(screen.right() - FormWidth / 2, 100);
    Settle();
    sprite->MoveBitmap(10, 10, 20, 20, nullptr, true);
    EXPECT_TRUE(sprite->Background().isNull());

    form.move(screen.left() + 10, 100);
    Settle();
    sprite->SetVisible(true);
    EXPECT_EQ(Rgb(sprite->Background()), reference.copy(ImageAt(20, 20)));
    EXPECT_EQ(ScreenAt(ImageAt(20, 20)), sprite->Bitmap());
}

// ---- guards ----

TEST_F(SpriteTest, ADisabledSpriteOnlyLetsEventsThrough) {
    sprite->SetEnabled(false);
    TPassProbe probe(*sprite);
    probe.Start();
    sprite->MoveBitmap(10, 20, 100, 120, nullptr, true);
    EXPECT_EQ(probe.Starts.size(), 1u);
    sprite->MoveTo();
    sprite->MoveBack();
    probe.Stop();
    EXPECT_EQ(probe.Starts.size(), 3u);
    EXPECT_EQ(afterMoves, 0);
    EXPECT_FALSE(sprite->Visible());
    EXPECT_EQ(QPoint(sprite->X(), sprite->HomeX()), QPoint(0, 0));
    EXPECT_EQ(sprite->DestX(), 0);
    EXPECT_TRUE(form.Draws.empty());
    EXPECT_EQ(Screen(), reference);
}

TEST_F(SpriteTest, EscapeHeldRefusesMovesUntilItsRelease) {
    QTest::keyPress(&form, Qt::Key_Escape);
    EXPECT_FALSE(sprite->EscapeDown()) << "a sprite not loaded watches no keys";
    sprite->Loaded();
    sprite->SetEnabled(false);
    QTest::keyPress(&form, Qt::Key_Escape);
    EXPECT_FALSE(sprite->EscapeDown()) << "disabled";
    sprite->SetEnabled(true);
    QTest::keyPress(&form, Qt::Key_Escape);
    ASSERT_TRUE(sprite->EscapeDown());
    sprite->MoveBitmap(10, 20, 100, 120, nullptr, true);
    EXPECT_EQ(afterMoves, 0);
    EXPECT_EQ(Screen(), reference);

    // The release counts whatever the switches say, but an auto-repeat release is none.
    sprite->SetDrawOptions(TKsDrawOptions{doWindowActive});
    QKeyEvent repeat(QEvent::KeyRelease, Qt::Key_Escape, Qt::NoModifier, QString(), true);
    QCoreApplication::sendEvent(&form, &repeat);
    EXPECT_TRUE(sprite->EscapeDown());
    QTest::keyRelease(&form, Qt::Key_Escape);
    EXPECT_FALSE(sprite->EscapeDown());
    QTest::keyPress(&form, Qt::Key_Escape);
    EXPECT_FALSE(sprite->EscapeDown()) << "without doDetectEscKey";
    sprite->MoveBitmap(10, 20, 100, 120, nullptr, true);
    EXPECT_EQ(afterMoves, 1);
    EXPECT_EQ(ScreenAt(ImageAt(100, 120)), sprite->Bitmap());
}

TEST_F(SpriteTest, EscapeDuringAMoveDoesNotStopIt) {
    sprite->Loaded();
    TPassProbe probe(*sprite);
    probe.OnPass = [&](size_t Pass) {
        if (Pass == 2)
            QTest::keyPress(&form, Qt::Key_Escape);
    };
    probe.Start();
    sprite->MoveBitmap(0, 0, 40, 0, nullptr, false);
    probe.Stop();
    EXPECT_EQ(sprite->X(), 40);
    EXPECT_EQ(afterMoves, 1);
    EXPECT_TRUE(sprite->EscapeDown());
    sprite->MoveBitmap(0, 0, 40, 0, nullptr, false);
    EXPECT_EQ(afterMoves, 1);
    QTest::keyRelease(&form, Qt::Key_Escape);
}

TEST_F(SpriteTest, TheFormKeepsItsSizeWhileTheLibraryIsBusy) {
    {
        TKsBusyGuard busy;
        form.resize(400, 300);
        EXPECT_EQ(form.size(), QSize(400, 300)) << "a sprite not loaded does not hold the size";
    }
    form.resize(FormWidth, FormHeight);
    sprite->Loaded();
    {
        TKsBusyGuard busy;
        form.resize(400, 300);
        EXPECT_EQ(form.size(), QSize(FormWidth, FormHeight));
        sprite->SetDrawOptions(TKsDrawOptions(KsDefaultDrawOptions).Exclude(doWindowPreventResize));
        form.resize(410, 310);
        EXPECT_EQ(form.size(), QSize(410, 310));
        sprite->SetDrawOptions(KsDefaultDrawOptions);
    }
    form.resize(400, 300);
    EXPECT_EQ(form.size(), QSize(400, 300));
    // The layer grows with the form.
    Settle();
    sprite->MoveBitmap(350, 260, 355, 265, nullptr, true);
    EXPECT_EQ(Rgb(ScreenImage(form)).copy(ImageAt(355, 265)), sprite->Bitmap());
}

// ---- following the cursor ----

TEST_F(SpriteTest, SnapToCursorFollowsTheCursorAndReportsItOutside) {
    int outs = 0;
    sprite->OnOutClient = [&](TKsSprite* Sender) {
        EXPECT_EQ(Sender, sprite);
        ++outs;
    };
    sprite->SetIncrementX(7);
    sprite->SetIncrementY(9);
    QCursor::setPos(form.mapToGlobal(QPoint(100, 80)));
    sprite->SetSnapToCursor(true);
    // The first snap takes the cursor point itself and only then centres the offsets.
    EXPECT_TRUE(sprite->Visible());
    EXPECT_EQ(QPoint(sprite->X(), sprite->Y()), QPoint(100, 80));
    EXPECT_EQ(QPoint(sprite->HomeX(), sprite->HomeY()), QPoint(100, 80));
    EXPECT_EQ(QPoint(sprite->CursorDeltaX(), sprite->CursorDeltaY()), QPoint(20, 15));
    EXPECT_EQ(QPoint(sprite->IncrementX(), sprite->IncrementY()), QPoint(100, 80));
    EXPECT_EQ(afterMoves, 1);
    EXPECT_EQ(ScreenAt(ImageAt(100, 80)), sprite->Bitmap());

    // The next tick uses the centring offsets.
    EXPECT_TRUE(QTest::qWaitFor([&] { return sprite->X() != 100; }, 5000));
    EXPECT_EQ(QPoint(sprite->X(), sprite->Y()), QPoint(80, 65));
    EXPECT_EQ(QPoint(sprite->IncrementX(), sprite->IncrementY()), QPoint(20, 15));
    EXPECT_EQ(QPoint(sprite->HomeX(), sprite->HomeY()), QPoint(100, 80));
    EXPECT_EQ(ScreenAt(ImageAt(80, 65)), sprite->Bitmap());
    EXPECT_EQ(Without(Screen(), ImageAt(80, 65)), Without(reference, ImageAt(80, 65)));
    EXPECT_EQ(outs, 0);

    // Column 0 is outside already; every tick out there reports it.
    QCursor::setPos(form.mapToGlobal(QPoint(0, 50)));
    EXPECT_TRUE(QTest::qWaitFor([&] { return outs >= 3; }, 5000));
    EXPECT_FALSE(sprite->Visible());
    EXPECT_EQ(Screen(), reference);

    sprite->SetSnapToCursor(false);
    EXPECT_EQ(QPoint(sprite->IncrementX(), sprite->IncrementY()), QPoint(7, 9));
    const int outsWhenOff = outs;
    QTest::qWait(250);
    EXPECT_EQ(outs, outsWhenOff);
}

TEST_F(SpriteTest, SwitchingSnapOnTwiceKeepsTheSnapDistances) {
    sprite->SetIncrementX(7);
    sprite->SetIncrementY(9);
    QCursor::setPos(form.mapToGlobal(QPoint(100, 80)));
    sprite->SetSnapToCursor(true);
    sprite->SetSnapToCursor(true);
    sprite->SetSnapToCursor(false);
    EXPECT_EQ(QPoint(sprite->IncrementX(), sprite->IncrementY()), QPoint(100, 80));
}
