#include "game_fixture.h"

#include <QFile>
#include <QListWidget>
#include <QPushButton>
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

} // namespace
