// Play by keyboard alone and what a screen reader hears of the table.

#include "HelpWindow.h"
#include "KeyboardPlay.h"
#include "StringRes.h"
#include "TableAccess.h"
#include "game_fixture.h"

#include <QAccessible>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QWindow>

namespace {

constexpr int32_t SevenOfHearts = 46;
constexpr int32_t EightOfClubs = 8;
constexpr int32_t NineOfClubs = 9;
constexpr int32_t TenOfClubs = 10;
constexpr int32_t TwoOfClubs = 2;

class KeyboardAccess : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        form->show();
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return form->windowHandle() == QGuiApplication::focusWindow(); }, 30000));
        keys = form->findChild<TKeyboardPlay*>();
        access = form->findChild<TTableAccess*>();
        ASSERT_TRUE(keys && access);
        access->Status()->OnAnnounce = [this](const QString& Text) { heard << Text; };
    }

    // A key as the player presses it: to whatever holds the focus.
    void Press(int Key, Qt::KeyboardModifiers Mods = Qt::NoModifier) {
        QTest::keyClick(form->windowHandle(), Qt::Key(Key), Mods);
        Drain();
    }
    int Deals() const {
        return int(
            std::count_if(dialogs.Shown.begin(), dialogs.Shown.end(),
                          [](const TKsMessage& m) { return m.Text == StringRes::ReadyToStart(); }));
    }
    // The slot whose card fits a pile, the one it fits (1 left, 2 right), or -1.
    std::pair<int, int> Fitting() const {
        for (int i = 0; i < 4; ++i) {
            const TKsSingleCard* c = form->Play1Card[size_t(i)]->GetCard(0);
            if (c->Empty())
                continue;
            for (int table : {2, 1}) {
                const TKsCardTable* t = table == 1 ? form->CardTable1 : form->CardTable2;
                if (TMainForm::IsNextRank(c->Value(),
                                          const_cast<TKsCardTable*>(t)->CardTop().Value()))
                    return {i, table};
            }
        }
        return {-1, 0};
    }
    // What a screen reader is told the control is.
    static std::string Heard(QWidget* W) {
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(W);
        return a ? a->text(QAccessible::Name).toStdString() : std::string();
    }

    TKeyboardPlay* keys = nullptr;
    TTableAccess* access = nullptr;
    QStringList heard;
};

TEST_F(KeyboardAccess, AWholeGameByArrowKeysAndSpaceOnly) {
    const QImage rest = form->grab().toImage();
    Press(Qt::Key_Space);
    Press(Qt::Key_Return);
    EXPECT_EQ(Deals(), 0) << "Space and Enter never deal";
    EXPECT_EQ(form->grab().toImage(), rest) << "no focus mark before an arrow key";

    QTest::keyClick(form->windowHandle(), Qt::Key_D, Qt::AltModifier);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Deals() == 1; }, 30000));
    form->SetTimerEnabled(false); // the computer steps when the test says so
    Press(Qt::Key_Right);
    ASSERT_EQ(keys->FocusedSlot(), 0);
    const QRect mark = keys->Mark()->geometry();
    EXPECT_EQ(form->grab().toImage().pixelColor(mark.topLeft() + QPoint(0, mark.height() / 2)),
              form->palette().color(QPalette::Highlight));

    // The question after the game: Space and Enter do not answer it, its buttons do.
    int yesByKey = 0;
    int enterElsewhere = 0;
    dialogs.OnMessage = [&](const TKsMessage& M) {
        if (!M.Text.contains(StringRes::WinnerHuman()) &&
            !M.Text.contains(StringRes::WinnerComputer()))
            return;
        QMessageBox box(QMessageBox::Information, {}, M.Text, QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        box.show();
        QTest::keyClick(box.focusWidget(), Qt::Key_Space);
        QTest::keyClick(box.focusWidget(), Qt::Key_Return);
        yesByKey += box.clickedButton() != nullptr;
        // Any other dialog, such as the name asked after a win, takes Enter as ever.
        QDialog other;
        QPushButton ok(QStringLiteral("OK"), &other);
        ok.setDefault(true);
        QObject::connect(&ok, &QPushButton::clicked, &other, &QDialog::accept);
        other.show();
        QTest::keyClick(&other, Qt::Key_Return);
        enterElsewhere += other.result() == QDialog::Accepted;
        dialogs.Answers.push_back(mbNo);
    };
    int laidByKey = 0;
    int laidRight = 0;
    for (int step = 0; step < 5000 && form->GameRunning(); ++step) {
        const auto [slot, table] = Fitting();
        if (slot < 0 || step % 3 == 0) {
            form->TimerTimer(); // the computer's move, or both sides' turn-over
            Drain();
            continue;
        }
        while (keys->FocusedSlot() != slot)
            Press(keys->FocusedSlot() < slot ? Qt::Key_Right : Qt::Key_Left);
        const int before = form->HumanPlayed();
        const int rightBefore = form->CardTable2->CardTop().ID();
        Press(step % 2 ? Qt::Key_Space : Qt::Key_Enter,
              table == 2 ? Qt::ShiftModifier : Qt::NoModifier);
        laidByKey += form->HumanPlayed() - before;
        laidRight += table == 2 && form->HumanPlayed() > before &&
                     form->CardTable2->CardTop().ID() != rightBefore;
    }
    EXPECT_FALSE(form->GameRunning()) << "the game was played to its end";
    EXPECT_GT(laidByKey, 10);
    EXPECT_GT(laidRight, 0) << "Shift lays on the right pile";
    EXPECT_EQ(yesByKey, 0) << "the question after the game ignores Space and Enter";
    EXPECT_EQ(enterElsewhere, 1);
    EXPECT_EQ(Deals(), 1) << "no key dealt again";
    ASSERT_FALSE(heard.isEmpty());
    EXPECT_TRUE(heard.last().contains(QStringLiteral(" won"))) << heard.last().toStdString();
}

TEST_F(KeyboardAccess, TabReachesTheButtonsWhereSpaceOpensAllButTheDeal) {
    Press(Qt::Key_Left);
    ASSERT_TRUE(keys->Mark()->isVisible());
    QStringList order;
    for (int i = 0; i < 6; ++i) {
        Press(Qt::Key_Tab);
        QWidget* focus = QApplication::focusWidget();
        order << (focus == form.get() ? QStringLiteral("cards")
                                      : static_cast<QPushButton*>(focus)->text());
        if (focus == form->DealBtn) {
            Press(Qt::Key_Space);
            Press(Qt::Key_Return);
            EXPECT_EQ(Deals(), 0) << "Space and Enter never deal";
        } else if (focus == form->OptionBtn) {
            Press(Qt::Key_Space);
            EXPECT_EQ(dialogs.DialogsRun, 1) << "Space presses a focused button";
        }
        EXPECT_EQ(keys->Mark()->isVisible(), focus == form.get()) << "one focus shows at a time";
    }
    EXPECT_EQ(order, QStringList({"&Deal", "&Options", "&Help", "&Scores", "&Game", "cards"}));
}

TEST_F(KeyboardAccess, EscClosesTheHelpAsItClosesTheDialogs) {
    ASSERT_TRUE(
        QFile::copy(QStringLiteral(TOLVI_SOURCE_DIR "/resources/Tolvi.HLP"), form->HelpFile()));
    form->HelpBtnClick();
    QWidget* help = ShownHelpWindow();
    ASSERT_TRUE(help && help->isVisible());
    QTest::keyClick(help->findChild<QWidget*>(QStringLiteral("Text")), Qt::Key_Escape);
    EXPECT_TRUE(QTest::qWaitFor([] { return ShownHelpWindow() == nullptr; }, 30000));
}

TEST_F(KeyboardAccess, TheTableIsNamedAsShownAndPlaysAreAnnounced) {
    form->DealBtnClick();
    form->SetTimerEnabled(false);
    SetTop(form->CardTable1, EightOfClubs);
    SetTop(form->CardTable2, TwoOfClubs);
    SetSlot(form->Play1Card[1], SevenOfHearts);
    SetSlot(form->Play1Card[2], TenOfClubs); // the human can play on: no turn-over
    for (TKsCardGroup* slot : form->Play2Card)
        SetSlot(slot, 0);
    SetSlot(form->Play2Card[3], NineOfClubs);
    access->Refresh();
    EXPECT_EQ(Heard(form->Play1Card[1]), "Your card 2: seven of hearts");
    EXPECT_EQ(Heard(form->CardTable1), "Left pile: eight of clubs");
    EXPECT_EQ(Heard(form->Play2Card[0]), "Computer's card 1: empty");
    EXPECT_EQ(Heard(form->WaitSign2), "The computer cannot play");
    EXPECT_EQ(Heard(form->Play1Pile), "Your cards to go: 25");
    EXPECT_EQ(QAccessible::queryAccessibleInterface(form->Play1Card[0])->role(),
              QAccessible::Button);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(access->Status())->role(),
              QAccessible::StatusBar);

    access->Status()->Flush();
    access->Status()->SetGap(0);
    TMainFormProbe::SetStuck(*form, false, false);
    form->TimerTimer();
    Drain();
    EXPECT_TRUE(heard.contains(u"The computer laid the nine of clubs on the left pile"_qs))
        << heard.join(u'|').toStdString();
    access->Refresh();
    EXPECT_EQ(Heard(form->CardTable1), "Left pile: nine of clubs") << "names follow the table";
    EXPECT_EQ(Heard(form->Play2Pile), "The computer's cards to go: 24");
    SetSlot(form->Play1Card[0], TwoOfClubs);
    Press(Qt::Key_1);
    EXPECT_EQ(Heard(access->Status()), "The two of clubs fits on no pile");
}

TEST(Announcer, TextsWithinTheGapWaitAndTheComputersLatestPlayReplacesTheEarlier) {
    TAnnouncer status(nullptr);
    QStringList heard;
    status.OnAnnounce = [&](const QString& Text) { heard << Text; };
    status.SetGap(3600 * 1000); // never runs out during the test
    status.Say(QStringLiteral("A"));
    status.Say(QStringLiteral("computer 1"), true);
    status.Say(QStringLiteral("refused"));
    status.Say(QStringLiteral("computer 2"), true);
    EXPECT_EQ(heard, QStringList({"A"})) << "the rest waits for the gap";
    status.Flush();
    EXPECT_EQ(heard.last(), u"refused computer 2"_qs) << "in the order they happened";
    EXPECT_EQ(status.accessibleName(), heard.last());
    status.Flush();
    EXPECT_EQ(heard.size(), 2) << "nothing waits";
    status.SetGap(0);
    status.Say(QStringLiteral("B"));
    status.Say(QStringLiteral("B"));
    EXPECT_EQ(heard.mid(2), QStringList({"B", "B"})) << "without a gap each goes at once";
}

} // namespace
