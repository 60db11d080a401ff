#include "ksabort.h"
#include "ksbusy.h"
#include "kscustomgraphiccontrol.h"
#include "screen_grab.h"

#include <QMouseEvent>
#include <QTest>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {

// A control whose picture is whatever the test paints into its Surface.
class TPlainControl : public TKsCustomGraphicControl {
public:
    explicit TPlainControl(QWidget* Owner) : TKsCustomGraphicControl(Owner) {
        Surface().SetSize(40, 30);
        Surface().Fill({0, 0, 40, 30});
        setGeometry(10, 10, 40, 30);
        SetEmpty(false);
    }
    void RedrawAll(bool) override {}
    void Paint(const TKsRect& R, QColor Color) {
        const QColor brush = Surface().BrushColor();
        Surface().SetBrushColor(Color);
        Surface().Fill(R);
        Surface().SetBrushColor(brush);
    }
    std::function<void()> OnRelease;

protected:
    void mouseReleaseEvent(QMouseEvent*) override {
        KsHandleEvent([this] {
            TKsBusyGuard busy;
            if (OnRelease)
                OnRelease();
        });
    }
};

class GraphicControl : public ::testing::Test {
protected:
    void SetUp() override {
        form.setStyleSheet(QString());
        QPalette pal = form.palette();
        pal.setColor(QPalette::Window, QColor(192, 192, 192));
        form.setPalette(pal);
        form.resize(100, 80);
        control = new TPlainControl(&form);
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
        QCoreApplication::processEvents();
    }

    QColor OnScreen(int X, int Y) { return ScreenPixel(form, control->x() + X, control->y() + Y); }

    QWidget form;
    TPlainControl* control = nullptr;
};

TEST_F(GraphicControl, SurfaceStartsInTheFormsColour) {
    EXPECT_EQ(control->Surface().BrushColor(), QColor(192, 192, 192));
    EXPECT_EQ(OnScreen(5, 5), QColor(192, 192, 192));
}

TEST_F(GraphicControl, PaintRectCopiesExactlyThatRectangleAtOnce) {
    control->Paint({0, 0, 40, 30}, Qt::red);
    control->PaintRect({5, 5, 15, 15}, nullptr);
    EXPECT_EQ(OnScreen(5, 5), QColor(Qt::red));
    EXPECT_EQ(OnScreen(14, 14), QColor(Qt::red));
    EXPECT_EQ(OnScreen(15, 15), QColor(192, 192, 192)) << "outside the rectangle stays";
    EXPECT_EQ(OnScreen(30, 5), QColor(192, 192, 192));
}

TEST_F(GraphicControl, UpdateLockKeepsTheScreenButDrawSurfaceStillCopies) {
    control->Paint({0, 0, 40, 30}, Qt::blue);
    {
        control->BeginUpdate();
        control->PaintRect({0, 0, 40, 30}, nullptr);
        EXPECT_EQ(OnScreen(20, 20), QColor(192, 192, 192)) << "nothing reaches the screen";
        control->DrawSurface();
        EXPECT_EQ(OnScreen(20, 20), QColor(Qt::blue));
        control->EndUpdate();
    }
    EXPECT_EQ(control->UpdateCount(), 0);
}

TEST_F(GraphicControl, RepaintRequestsUnderTheLockChangeNothingOnScreen) {
    control->Paint({0, 0, 40, 30}, Qt::red);
    control->PaintRect({0, 0, 40, 30}, nullptr);
    control->Paint({0, 0, 40, 30}, Qt::blue);
    control->BeginUpdate();
    control->repaint();
    form.repaint();
    EXPECT_EQ(OnScreen(20, 20), QColor(Qt::red)) << "not wiped to the form's colour";
    control->EndUpdate();
    control->repaint();
    EXPECT_EQ(OnScreen(20, 20), QColor(Qt::blue));
}

TEST_F(GraphicControl, UpdateGuardReleasesTheLockAndShowsTheSurfaceOnException) {
    try {
        TKsUpdateGuard lock(*control);
        control->Paint({0, 0, 40, 30}, Qt::green);
        control->PaintRect({0, 0, 40, 30}, nullptr);
        EXPECT_EQ(OnScreen(1, 1), QColor(192, 192, 192));
        throw std::runtime_error("fails half way");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(control->UpdateCount(), 0);
    EXPECT_EQ(OnScreen(1, 1), QColor(Qt::green));
}

TEST_F(GraphicControl, PaintRectFillsWhereTheControlOutgrowsItsSurface) {
    control->Paint({0, 0, 40, 30}, Qt::red);
    control->PaintRect({0, 0, 40, 30}, nullptr);
    control->setGeometry(10, 10, 60, 50);
    control->Surface().SetBrushColor(Qt::yellow);
    control->PaintRect({0, 0, 40, 30}, nullptr);
    EXPECT_EQ(OnScreen(45, 5), QColor(192, 192, 192)) << "filled with the control's own brush";
    EXPECT_EQ(OnScreen(5, 40), QColor(192, 192, 192));
    EXPECT_EQ(OnScreen(5, 5), QColor(Qt::red));
}

TEST_F(GraphicControl, EmptyControlPaintsNothingAndHiddenOneIgnoresPaintRect) {
    control->Paint({0, 0, 40, 30}, Qt::red);
    control->SetEmpty(true);
    control->repaint();
    EXPECT_EQ(OnScreen(5, 5), QColor(192, 192, 192));
    control->SetEmpty(false);
    control->hide();
    control->PaintRect({0, 0, 40, 30}, nullptr);
    EXPECT_EQ(OnScreen(5, 5), QColor(192, 192, 192));
}

TEST_F(GraphicControl, AutoSizeTakesTheSurfaceSizeExceptWhileLoading) {
    control->BeginLoading();
    control->SetAutoSize(true);
    control->Surface().SetSize(50, 20);
    EXPECT_EQ(control->size(), QSize(40, 30));
    control->Loaded();
    control->Surface().SetSize(55, 25);
    EXPECT_EQ(control->size(), QSize(55, 25));
}

TEST(BusyDepth, NestsAndNeverGoesBelowZero) {
    int ends = 0;
    OnBusyEnd = [&] { ++ends; };
    BeginBusy();
    BeginBusy();
    EXPECT_TRUE(Busy());
    EndBusy();
    EXPECT_TRUE(Busy());
    EXPECT_EQ(ends, 0);
    EndBusy();
    EXPECT_FALSE(Busy());
    EXPECT_EQ(ends, 1);
    EndBusy();
    EXPECT_EQ(BusyDepth(), 0u);
    EXPECT_EQ(ends, 2) << "an unmatched end still reports";
    OnBusyEnd = nullptr;
}

TEST(BusyDepth, GuardReleasesWhenAnExceptionPasses) {
    try {
        TKsBusyGuard outer;
        TKsBusyGuard inner;
        throw std::runtime_error("x");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(BusyDepth(), 0u);
    EXPECT_FALSE(Busy());
}

TEST_F(GraphicControl, SilentAbortInsideAMouseReleaseLeavesTheProgramRunning) {
    int reached = 0;
    control->OnRelease = [&] {
        ++reached;
        EXPECT_TRUE(Busy());
        KsAbort();
    };
    QTest::mouseClick(control, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseClick(control, Qt::RightButton, {}, QPoint(5, 5));
    EXPECT_EQ(reached, 2);
    EXPECT_EQ(BusyDepth(), 0u);
    EXPECT_TRUE(form.isVisible());
}

} // namespace
