#include "ksdialogs.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace {

// Runs Show, which opens a modal window, and answers where that window was when it showed.
QRect PlaceOfModal(const std::function<void()>& Show) {
    QRect place;
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            modal && modal->isVisible()) {
            place = modal->frameGeometry();
            modal->reject();
        }
    });
    poll.start();
    Show();
    return place;
}

TEST(Dialogs, MessageBoxesAndDialogsAreCentredOnTheGameWindowAndStayOnItsScreen) {
    QWidget game;
    game.setGeometry(40, 50, 300, 200);
    game.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&game));
    KsSetMainWindow(&game);
    const QRect screen = game.screen()->availableGeometry();
    auto runDialog = [] {
        QDialog dialog;
        dialog.setFixedSize(120, 80);
        Dialogs().Exec(dialog);
    };
    auto runMessage = [] { KsMessageDlg(QStringLiteral("Placed?"), mtInformation); };
    for (const auto& run : {std::function<void()>(runDialog), std::function<void()>(runMessage)}) {
        const QRect placed = PlaceOfModal(run);
        ASSERT_FALSE(placed.isEmpty());
        EXPECT_LE((placed.center() - game.frameGeometry().center()).manhattanLength(), 2)
            << placed.center().x() << "," << placed.center().y();
    }
    // A game window half off the screen: the dialog stays whole on the screen.
    game.move(screen.right() - 100, screen.bottom() - 60);
    const QRect placed = PlaceOfModal(runDialog);
    EXPECT_TRUE(screen.contains(placed));
    KsSetMainWindow(nullptr);
}

// A message box that a modal closes from outside, or that shows text with markup in it.
TEST(Dialogs, MessageBoxesShowTheirTextAsItIsAndCloseUnansweredWhenTold) {
    const QString hostile = QStringLiteral("<img src=\"/dev/zero\"><b>Ann</b> left the match.");
    Qt::TextFormat format = Qt::RichText;
    QString role;
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            box && box->isVisible()) {
            format = box->textFormat();
            role = box->windowRole();
            KsCloseMessages();
        }
    });
    poll.start();
    // Closed from outside, a question is answered by neither button.
    EXPECT_EQ(KsMessageDlg(hostile, mtInformation, {mbYes, mbNo}), mbCancel);
    EXPECT_EQ(format, Qt::PlainText);
    EXPECT_EQ(role, QStringLiteral("question"));
    EXPECT_EQ(KsMessageDlg(hostile, mtError, {mbOK}), mbCancel);
    EXPECT_EQ(role, QStringLiteral("notice"));
}

} // namespace
