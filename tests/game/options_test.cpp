// The window around its dialogs: it applies what the options dialog returns, and holds the
// computer's timer while a dialog is open.

#include "DialogSupport.h"
#include "DisplayChoices.h"
#include "Options.h"
#include "game_fixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QFontInfo>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTest>
#include <functional>
#include <memory>

namespace {

class WindowDialogs : public GameTest {
protected:
    // Presses Options and lets Script work the dialog.
    void Options(const std::function<void(TOptionsForm&)>& Script) {
        dialogs.OnExec = [this, Script](QDialog& d) {
            timerDuringDialog = form->TimerEnabled();
            if (auto* options = qobject_cast<TOptionsForm*>(&d)) {
                Script(*options);
                return options->result();
            }
            return int(QDialog::Accepted);
        };
        form->OptionBtnClick();
    }
    bool timerDuringDialog = true;
};

TEST_F(WindowDialogs, TheWindowAppliesTheSavedOptionsWithItsTimerHeld) {
    form->DealBtnClick();
    ASSERT_TRUE(form->Timer->isActive());
    Options([](TOptionsForm& f) {
        f.ComputerLevel()->Button(4)->click();
        f.SaveBtnClick();
    });
    EXPECT_FALSE(timerDuringDialog);
    EXPECT_TRUE(form->Timer->isActive()) << "no new deal: the computer plays on";
    EXPECT_EQ(form->Level(), 4);
    EXPECT_EQ(form->TimerInterval(), TLevel::Of(4)->PaceMs());
    EXPECT_TRUE(form->FameRecorded()) << "a changed level costs the game its place";

    dialogs.Answers = {mbYes}; // the change needs a new game
    Options([](TOptionsForm& f) {
        f.DeckSize()->Button(1)->click();
        f.SaveBtnClick();
    });
    EXPECT_EQ(form->DeckCount(), 2);
    EXPECT_EQ(Held(form->Play1Pile, form->Play1Card) + form->CardTable1->PlayedCardsCount(), 52)
        << "dealt anew from two decks";
    EXPECT_TRUE(form->Timer->isActive());
    EXPECT_FALSE(form->FameRecorded());

    Options([](TOptionsForm& f) {
        f.FumbleRule()->click();
        f.SaveBtnClick();
    });
    EXPECT_TRUE(form->FumbleRule());
    EXPECT_FALSE(form->FameRecorded()) << "the fumble rule leaves the hall of fame open";
    TSettings expected;
    expected.DeckCount = 2, expected.Level = 4, expected.FumbleRule = true;
    EXPECT_EQ(form->Settings(), expected);

    Options([](TOptionsForm& f) { f.reject(); });
    form->ScoreBtnClick();
    EXPECT_FALSE(timerDuringDialog);
    EXPECT_TRUE(form->Timer->isActive());
    form->Timer->stop();
    form->ScoreBtnClick();
    EXPECT_FALSE(form->Timer->isActive()) << "a stopped timer stays stopped";
}

TEST_F(WindowDialogs, AFailedSaveAtCloseTellsThePlayerWhere) {
    // Neither folder can hold the file: the program "folder" is a file, and so is the
    // per-user one's parent.
    const QString program = dir.filePath(QStringLiteral("program"));
    QDir(program).removeRecursively();
    QFile(program).open(QIODevice::WriteOnly);
    const TConfigDirOverride nowhere(program, program + QStringLiteral("/user"));
    form->show();
    form->close();
    ASSERT_EQ(dialogs.Shown.size(), 1u);
    EXPECT_EQ(dialogs.Shown[0].Type, mtError);
    EXPECT_TRUE(dialogs.Shown[0].Text.contains(
        QDir::toNativeSeparators(program + QStringLiteral("/user/Config.INI"))));
}

} // namespace

namespace {

TEST_F(WindowDialogs, ATableSizeAppliesAtOnceWithinTheScreenAndTheWindowsSizeIsKept) {
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    Options([](TOptionsForm& f) {
        f.DisplayChoices()->TableSize()->setCurrentIndex(
            f.DisplayChoices()->TableSize()->findText("300 %"));
        f.SaveBtnClick();
    });
    // 300 % is larger than the screen: the largest window that fits, the table zoomed in it.
    const QRect area = form->screen()->availableGeometry();
    EXPECT_TRUE(area.contains(form->geometry()))
        << form->geometry().x() << "," << form->geometry().y() << " " << form->width() << "x"
        << form->height() << " in " << area.width() << "x" << area.height();
    EXPECT_GT(form->Zoom(), 1);
    EXPECT_EQ(form->Play1Card[0]->width(), qRound(71 * form->Zoom()));

    // The table size's own size is no size kept: the next start opens at the table size.
    EXPECT_EQ(form->Settings().WindowWidth, 0);
    form->close();
    Create();
    const QSize fitted = form->size();
    EXPECT_TRUE(area.contains(QRect(form->pos(), fitted)));
    EXPECT_GT(fitted.width(), TMainForm::TableWidth);
    // A size of the player's own is kept, and the next start opens at it.
    form->resize(700, 500);
    form->close();
    Create();
    EXPECT_EQ(form->size(), QSize(700, 500));
    form->resize(fitted);
    EXPECT_EQ(form->Settings().WindowWidth, 0) << "the table size's own size is no size kept";
}

} // namespace

namespace {

// Message boxes, the help and the Game menu take the table size chosen as they show, each
// within the screen; back at 100 % they are as they were.
TEST_F(WindowDialogs, DialogsTheHelpAndTheMenuTakeTheTableSizeWithinTheScreen) {
    form->show();
    const auto tableSize = [this](const char* Size) {
        Options([Size](TOptionsForm& f) {
            f.DisplayChoices()->TableSize()->setCurrentIndex(
                f.DisplayChoices()->TableSize()->findText(QString::fromLatin1(Size)));
            f.SaveBtnClick();
        });
    };
    const auto box = [this] {
        auto shown =
            std::make_unique<QMessageBox>(QMessageBox::Information, QStringLiteral("Tolvi"),
                                          QStringLiteral("Ready?"), QMessageBox::Ok, form.get());
        shown->show();
        return shown;
    };
    const auto built = box();
    const QImage builtPicture = built->grab().toImage();
    const int type = QFontInfo(built->font()).pixelSize();
    const int icon = qRound(built->iconPixmap().deviceIndependentSize().width());
    const int menuWidth = form->GameMenu->sizeHint().width();
    const int menuType = QFontInfo(form->GameMenu->font()).pixelSize();

    tableSize("200 %");
    const auto twice = box();
    EXPECT_EQ(QFontInfo(twice->font()).pixelSize(), 2 * type);
    EXPECT_EQ(qRound(twice->iconPixmap().deviceIndependentSize().width()), 2 * icon);
    form->GameMenu->popup(form->GameBtn->mapToGlobal(QPoint(0, form->GameBtn->height())));
    EXPECT_EQ(QFontInfo(form->GameMenu->font()).pixelSize(), 2 * menuType);
    EXPECT_GE(form->GameMenu->width(), 2 * menuWidth) << "long items are not cut short";
    form->GameMenu->hide();
    // The help, 640 x 480 at 100 %, would not fit this screen twice as large.
    ASSERT_TRUE(
        QFile::copy(QStringLiteral(TOLVI_SOURCE_DIR "/resources/Tolvi.HLP"), form->HelpFile()));
    form->HelpBtnClick();
    QWidget* help = form->findChild<QWidget*>(QStringLiteral("HelpWindow"));
    ASSERT_NE(help, nullptr);
    const QRect area = help->screen()->availableGeometry();
    EXPECT_GT(help->width(), 640);
    EXPECT_LE(help->width(), area.width());
    EXPECT_LE(help->height() + 40, area.height());
    help->close();

    tableSize("100 %");
    EXPECT_EQ(box()->grab().toImage(), builtPicture);
    form->GameMenu->popup(form->GameBtn->mapToGlobal(QPoint(0, form->GameBtn->height())));
    EXPECT_EQ(form->GameMenu->width(), menuWidth);
    form->GameMenu->hide();
}

} // namespace
