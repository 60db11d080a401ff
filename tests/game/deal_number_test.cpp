// The deal's number under the score, at every size of the table and the window.

#include "game_fixture.h"

#include <QLabel>

namespace {

using DealNumberShown = GameTest;

// The pixels the number draws: where the window differs from itself without it.
QRect Ink(TMainForm& Form) {
    Form.DealLabel->show();
    QCoreApplication::processEvents();
    const QImage with = Form.grab().toImage().convertToFormat(QImage::Format_RGB32);
    Form.DealLabel->hide();
    QCoreApplication::processEvents();
    const QImage without = Form.grab().toImage().convertToFormat(QImage::Format_RGB32);
    Form.DealLabel->show();
    // In the window's pixels, on a screen of any density.
    const int ratio = qRound(with.devicePixelRatio());
    QRect ink;
    for (int y = 0; y < with.height(); ++y)
        for (int x = 0; x < with.width(); ++x)
            if (with.pixel(x, y) != without.pixel(x, y))
                ink |= QRect(x / ratio, y / ratio, 1, 1);
    return ink;
}

TEST_F(DealNumberShown, GrowsAndMovesWithTheTableClearOfEverything) {
    form->SetZoomSettleMs(0);
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    // The widest number there is.
    form->DealNumbered(4294967295u);
    form->SetTimerEnabled(false); // nothing moves between the pictures
    const QRect normal = Ink(*form);
    ASSERT_FALSE(normal.isEmpty());
    const QImage normalPicture = form->grab().toImage();

    const int w = TMainForm::TableWidth;
    const int h = TMainForm::TableHeight;
    for (const QSize size : {QSize(2 * w, 2 * h), QSize(3 * w, 3 * h), QSize(1000, 800),
                             QSize(3 * w, 2 * h), QSize(w * 3 / 4, h * 3 / 4)}) {
        form->resize(size);
        const qreal zoom = form->Zoom();
        const QRect ink = Ink(*form);
        const QRect expected = form->ToWindow(normal);
        SCOPED_TRACE(QStringLiteral("%1x%2 at zoom %3")
                         .arg(size.width())
                         .arg(size.height())
                         .arg(zoom)
                         .toStdString());
        // As large as the table, where the table puts it, within a pixel or two of type.
        EXPECT_NEAR(ink.right(), expected.right(), zoom + 1);
        EXPECT_NEAR(ink.center().y(), expected.center().y(), zoom + 1);
        EXPECT_NEAR(ink.width(), expected.width(), expected.width() / 8.0 + 1);
        EXPECT_NEAR(ink.height(), expected.height(), expected.height() / 8.0 + 1);
        for (QWidget* w : form->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (w != form->DealLabel && w->isVisible()) {
                EXPECT_FALSE(w->geometry().intersects(ink)) << w->metaObject()->className();
            }
        }
    }
    form->resize(w, h);
    EXPECT_EQ(form->grab().toImage(), normalPicture) << "at 100 % as it always was";
}

} // namespace
