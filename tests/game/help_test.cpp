#include "DialogScale.h"
#include "HelpWindow.h"
#include "game_fixture.h"

#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QTextBrowser>

namespace {

using Help = GameTest;

QWidget* HelpWindow() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == QStringLiteral("HelpWindow") && w->isVisible())
            return w;
    return nullptr;
}

TEST_F(Help, MissingHelpFileSaysWhereItWasLookedFor) {
    QTest::mouseClick(form->HelpBtn, Qt::LeftButton);
    ASSERT_EQ(dialogs.Shown.size(), 1u);
    EXPECT_EQ(dialogs.Shown[0].Type, mtError);
    EXPECT_TRUE(dialogs.Shown[0].Text.contains(form->HelpFile()))
        << qPrintable(dialogs.Shown[0].Text);
    EXPECT_EQ(HelpWindow(), nullptr);
}

TEST_F(Help, HelpOpensAtItsContents) {
    ASSERT_TRUE(
        QFile::copy(QStringLiteral(TOLVI_SOURCE_DIR "/resources/Tolvi.HLP"), form->HelpFile()));
    QTest::mouseClick(form->HelpBtn, Qt::LeftButton);
    EXPECT_TRUE(dialogs.Shown.empty());
    QWidget* help = HelpWindow();
    ASSERT_NE(help, nullptr);
    auto* contents = help->findChild<QListWidget*>(QStringLiteral("Contents"));
    auto* text = help->findChild<QTextBrowser*>(QStringLiteral("Text"));
    ASSERT_NE(contents, nullptr);
    ASSERT_NE(text, nullptr);
    QStringList topics;
    for (int i = 0; i < contents->count(); ++i)
        topics << contents->item(i)->text();
    for (const char* topic :
         {"How to play", "Which cards fit", "Mouse and keys", "Computer levels", "Scoring",
          "One or two decks", "Options", "Hall of Fame", "Head to head over the network"})
        EXPECT_TRUE(topics.contains(QString::fromLatin1(topic))) << topic;
    EXPECT_TRUE(text->toPlainText().contains(QStringLiteral("an Ace fits on a King or a Two")));
    help->close();
}

// In each language, at the table's size and at twice it: every title of the contents whole,
// and the text a comfortable line wide.
TEST_F(Help, OpensWideEnoughForItsTitlesAndItsText) {
    for (const char* name : {"Tolvi.HLP", "Tolvi.de.HLP", "Tolvi.fr.HLP"})
        for (const qreal scale : {1.0, 2.0}) {
            SetDialogScale(scale);
            OpenHelp(QStringLiteral(TOLVI_SOURCE_DIR "/resources/") + name, form.get());
            QWidget* help = HelpWindow();
            ASSERT_NE(help, nullptr);
            auto* contents = help->findChild<QListWidget*>(QStringLiteral("Contents"));
            auto* text = help->findChild<QTextBrowser*>(QStringLiteral("Text"));
            ASSERT_TRUE(contents && text);
            ASSERT_GE(contents->count(), 10);
            const QFontMetrics metrics(contents->font());
            for (int i = 0; i < contents->count(); ++i) {
                const QRect row = contents->visualItemRect(contents->item(i));
                EXPECT_LE(metrics.horizontalAdvance(contents->item(i)->text()),
                          contents->viewport()->width() - row.left())
                    << name << " at " << scale << "x: " << contents->item(i)->text().toStdString();
            }
            EXPECT_EQ(contents->horizontalScrollBar()->maximum(), 0) << name;
            // Unless the screen has no more room to give.
            const bool wide =
                text->viewport()->width() >= 60 * QFontMetrics(text->font()).averageCharWidth();
            EXPECT_TRUE(wide || help->width() >= help->screen()->availableGeometry().width())
                << name << " at " << scale << "x";
            help->close();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
    SetDialogScale(1);
}

} // namespace
