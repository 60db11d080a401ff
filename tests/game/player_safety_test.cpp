// What a player does by accident or by habit neither loses nor wrongly wins a game.

#include "ProgramIcon.h"
#include "game_fixture.h"

#include <QDialog>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QWindow>
#include <algorithm>

namespace {

using Safety = GameTest;

int Deals(const TScriptedDialogs& Dialogs) {
    return static_cast<int>(
        std::count_if(Dialogs.Shown.begin(), Dialogs.Shown.end(), [](const TKsMessage& m) {
            return m.Text == QStringLiteral("Click Ok when Ready to Start!");
        }));
}

// Shows Window and waits until it has the keyboard.
void ShowActive(QWidget& Window) {
    Window.show();
    Window.activateWindow();
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return Window.windowHandle() == QGuiApplication::focusWindow(); }));
}

TEST_F(Safety, ButtonsLeaveSpaceAndEnterToTheTable) {
    ShowActive(*form);
    QWindow* window = form->windowHandle();
    QTest::mouseClick(form->DealBtn, Qt::LeftButton);
    ASSERT_EQ(Deals(dialogs), 1);
    QTest::keyClick(window, Qt::Key_Space);
    QTest::keyClick(window, Qt::Key_Return);
    EXPECT_EQ(Deals(dialogs), 1) << "the running game is kept";
    QTest::mouseClick(form->OptionBtn, Qt::LeftButton);
    ASSERT_EQ(dialogs.DialogsRun, 1);
    QTest::keyClick(window, Qt::Key_Space);
    EXPECT_EQ(dialogs.DialogsRun, 1) << "Options does not open again";

    SetTop(form->CardTable1, 6);
    SetSlot(form->Play1Card[2], 5);
    QTest::keyClick(window, '3');
    EXPECT_EQ(form->CardTable1->CardTop().ID(), 5) << "digits play whatever was clicked";
    QTest::keyClick(window, Qt::Key_D, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return Deals(dialogs) == 2; }))
        << "the Alt-letter key still deals";
}

TEST_F(Safety, KeysPlayByTheirPlaceOnAnyLayout) {
    form->DealBtnClick();
    auto press = [&](Qt::Key Key, Qt::KeyboardModifiers Mods, quint32 Code, const QString& Text) {
        QKeyEvent event(QEvent::KeyPress, Key, Mods, Code, 0, 0, Text);
        QCoreApplication::sendEvent(form.get(), &event);
    };
    auto plays = [&](int Slot, auto&& Press) {
        SetTop(form->CardTable1, 6);
        SetTop(form->CardTable2, 6);
        for (TKsCardGroup* slot : form->Play1Card)
            SetSlot(slot, 5 + 13); // Fives of diamonds
        Press();
        std::string played;
        for (TKsCardGroup* slot : form->Play1Card)
            played += slot->GetCard(0)->Empty() ? "x" : "-";
        return played == std::string(4, '-').replace(static_cast<size_t>(Slot), 1, "x");
    };
    // A French keyboard's top row: & é " ' in the places of 1 to 4 (X key codes 10 to 13).
    const Qt::Key french[4] = {Qt::Key_Ampersand, Qt::Key_Eacute, Qt::Key_QuoteDbl,
                               Qt::Key_Apostrophe};
    const char16_t frenchText[4] = {u'&', u'\u00e9', u'"', u'\''};
    const quint32 keypadCodes[4] = {87, 88, 89, 83};
    for (int i = 0; i < 4; ++i) {
        EXPECT_TRUE(plays(i,
                          [&] {
                              press(french[i], Qt::NoModifier, 10 + static_cast<quint32>(i),
                                    QString(frenchText[i]));
                          }))
            << "top row " << i + 1;
        EXPECT_TRUE(plays(i,
                          [&] {
                              press(static_cast<Qt::Key>(Qt::Key_1 + i), Qt::KeypadModifier,
                                    keypadCodes[i], QString(QChar(u'1' + i)));
                          }))
            << "keypad " << i + 1;
    }
    // The place decides: the key right of 4 and a letter key play nothing, whatever they
    // print, and neither does a digit with Ctrl.
    const int32_t played = form->HumanPlayed();
    press(Qt::Key_ParenLeft, Qt::NoModifier, 14, QStringLiteral("("));
    press(Qt::Key_1, Qt::NoModifier, 24, QStringLiteral("1"));
    press(Qt::Key_1, Qt::ControlModifier, 10, QStringLiteral("1"));
    EXPECT_EQ(form->HumanPlayed(), played);
}

TEST_F(Safety, DecidedGameTakesNoCardsAndWaitsForNobody) {
    form->DealBtnClick();
    TMainFormProbe::SetCounters(*form, 3, 24);
    TMainFormProbe::SetStuck(*form, false, false);
    form->WaitSign1->show();
    form->WaitSign2->show();
    SetTop(form->CardTable2, 9);
    SetSlot(form->Play2Card[0], 10);
    dialogs.Answers = {mbNo};
    form->TimerTimer();
    Drain();
    ASSERT_FALSE(form->GameRunning());
    EXPECT_FALSE(form->WaitSign1->isVisibleTo(form.get()));
    EXPECT_FALSE(form->WaitSign2->isVisibleTo(form.get()));

    const int32_t score = form->GameScore();
    SetTop(form->CardTable1, 6);
    SetSlot(form->Play1Card[0], 5);
    SetSlot(form->Play1Card[1], 7);
    QTest::keyClick(form.get(), '1');
    QTest::mouseClick(form->Play1Card[1], Qt::LeftButton, {}, QPoint(30, 40));
    Drain();
    EXPECT_FALSE(form->Play1Card[0]->GetCard(0)->Empty());
    EXPECT_FALSE(form->Play1Card[1]->GetCard(0)->Empty());
    EXPECT_EQ(form->CardTable1->CardTop().ID(), 6);
    EXPECT_EQ(form->GameScore(), score);
    EXPECT_EQ(form->HumanPlayed(), 3);

    // A refill that arrives late finds no one to wait for.
    SetSlot(form->Play1Card[0], 13);
    SetSlot(form->Play1Card[1], 13);
    form->WMHumanPlayed(nullptr);
    EXPECT_FALSE(form->WaitSign1->isVisibleTo(form.get()));
}

TEST_F(Safety, ComputerWaitsWhileThePlayerIsAway) {
    ASSERT_TRUE(
        QFile::copy(QStringLiteral(TOLVI_SOURCE_DIR "/resources/Tolvi.HLP"), form->HelpFile()));
    ShowActive(*form);
    form->DealBtnClick();
    ASSERT_TRUE(form->Timer->isActive());
    QTest::mouseClick(form->HelpBtn, Qt::LeftButton);
    const QWidgetList windows = QApplication::topLevelWidgets();
    const auto found = std::find_if(windows.begin(), windows.end(), [](QWidget* w) {
        return w->objectName() == QStringLiteral("HelpWindow") && w->isVisible();
    });
    ASSERT_NE(found, windows.end());
    QWidget* help = *found;
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return help->windowHandle() == QGuiApplication::focusWindow(); }));
    EXPECT_FALSE(form->Timer->isActive()) << "reading the help";
    ShowActive(*form);
    EXPECT_TRUE(form->Timer->isActive()) << "back at the table";
    form->showMinimized();
    EXPECT_FALSE(form->Timer->isActive()) << "minimized";
    form->showNormal();
    ShowActive(*form);
    EXPECT_TRUE(form->Timer->isActive());
    help->close();
}

TEST_F(Safety, DialogClosedWhileMinimizedLeavesTheComputerWaiting) {
    ShowActive(*form);
    dialogs.OnMessage = [&](const TKsMessage&) { form->showMinimized(); };
    dialogs.OnExec = [&](QDialog&) { return form->showMinimized(), int(QDialog::Rejected); };
    // The deal's question, the scores and the options each start the timer as they close.
    for (auto open :
         {&TMainForm::DealBtnClick, &TMainForm::ScoreBtnClick, &TMainForm::OptionBtnClick}) {
        (form.get()->*open)();
        ASSERT_TRUE(form->isMinimized());
        EXPECT_FALSE(form->Timer->isActive());
        form->showNormal();
        ShowActive(*form);
        EXPECT_TRUE(form->Timer->isActive()) << "back at the table";
    }
}

TEST_F(Safety, ScoreShowsWholeAtAnyLength) {
    const QFontMetrics metrics = form->ScoreLabel->fontMetrics();
    // The caption's text, less the blank column the score has always overlapped.
    const QSize caption(metrics.horizontalAdvance(form->Label9->text()) - 1, 13);
    for (int32_t score : {7, -999, -12345, 1234567, -2147483647}) {
        TMainFormProbe::SetScore(*form, score);
        form->UpdateScoreLabel();
        const QString text = QString::number(score);
        const QRect shown = form->ScoreLabel->geometry();
        EXPECT_EQ(form->ScoreLabel->text(), text);
        EXPECT_GE(shown.width(), metrics.horizontalAdvance(text)) << score;
        EXPECT_TRUE(form->rect().contains(shown)) << score;
        EXPECT_FALSE(shown.intersects(form->CardTable2->geometry())) << score;
        EXPECT_FALSE(shown.intersects(QRect(form->Label9->pos(), caption))) << score;
        // The last digit is drawn on the table: ink where it stands.
        const QImage drawn = form->grab(shown).toImage();
        bool ink = false;
        for (int x = metrics.horizontalAdvance(text.chopped(1));
             x < std::min(drawn.width(), metrics.horizontalAdvance(text)); ++x)
            for (int y = 0; y < drawn.height(); ++y)
                ink = ink || qGray(drawn.pixel(x, y)) < 96;
        EXPECT_TRUE(ink) << score;
    }
    TMainFormProbe::SetScore(*form, 41);
    form->UpdateScoreLabel();
    EXPECT_EQ(form->ScoreLabel->geometry(), QRect(599, 208, 30, 13)) << "short scores stay put";
    EXPECT_EQ(form->Label9->geometry(), QRect(565, 208, 35, 13));
}

TEST_F(Safety, ProgramIconIsDrawnFromItsPicture) {
    const QIcon icon = ProgramIcon();
    ASSERT_FALSE(icon.isNull());
    const QList<QSize> sizes = icon.availableSizes();
    for (int size : {16, 32, 48, 64})
        EXPECT_TRUE(sizes.contains(QSize(size, size))) << size;
    const QImage image = icon.pixmap(64).toImage();
    EXPECT_EQ(image.pixelColor(32, 4), QColor(0x00, 0x68, 0x2f)) << "the green tile";
    EXPECT_EQ(image.pixelColor(0, 0).alpha(), 0) << "its rounded corner";

    // The main window's icon comes once its first frame is drawn.
    QApplication::setWindowIcon(QIcon());
    QWidget window;
    SetProgramIconOnceShown(window);
    QCoreApplication::processEvents();
    EXPECT_TRUE(QApplication::windowIcon().isNull()) << "not before the window is shown";
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return QApplication::windowIcon().availableSizes() == sizes; }, 60000));
}

} // namespace
