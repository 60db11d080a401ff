// The options, hall-of-fame and name dialogs: their look, and what their buttons do.

#include "DialogScale.h"
#include "DialogSupport.h"
#include "DisplayChoices.h"
#include "GetName.h"
#include "Options.h"
#include "Scores.h"
#include "StatisticsView.h"
#include "StringRes.h"
#include "scripted_dialogs.h"
#include "settings_fixtures.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTest>
#include <algorithm>
#include <gtest/gtest.h>

namespace {

// Named by scale, so a run with QT_SCALE_FACTOR=2 keeps the 100 % pictures.
void SaveScreenshot(QDialog& Dialog, const QString& Name) {
    Dialog.show();
    QDir().mkpath(TOLVI_TEST_OUTPUT_DIR "/settings");
    const qreal scale = Dialog.devicePixelRatioF();
    const QString suffix = scale == 1 ? QString() : QStringLiteral("@%1x").arg(scale);
    EXPECT_TRUE(Dialog.grab().save(TOLVI_TEST_OUTPUT_DIR "/settings/" + Name + suffix + ".png"));
}

// Controls in tab order from the one focused first, a radio group standing for its buttons.
QStringList TabOrder(QDialog& Dialog) {
    QStringList names;
    QWidget* first = Dialog.focusWidget();
    if (!first)
        return names;
    QWidget* w = first;
    do {
        if (!(w->focusPolicy() & Qt::TabFocus))
            continue;
        QWidget* control = qobject_cast<TRadioGroup*>(w->parentWidget()) ? w->parentWidget() : w;
        if (names.isEmpty() || names.last() != control->objectName())
            names << control->objectName();
    } while ((w = w->nextInFocusChain()) != first);
    return names;
}

QRect At(const QDialog& Dialog, const char* Name) {
    const auto* control = Dialog.findChild<QWidget*>(Name);
    return control ? control->geometry() : QRect();
}

bool HasFamily(const QFont& Font, const QStringList& Families) {
    return Families.contains(QFontInfo(Font).family());
}

// The added choices lie whole inside their box, none cut short, all in the dialog's font.
void ExpectChoicesFitTheirBox(const TOptionsForm& Form) {
    const QGroupBox& box = *Form.Choices();
    const QRect inside = box.contentsRect();
    const QFontInfo dialogFont(Form.font());
    QList<QWidget*> controls = box.findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    controls += Form.DisplayChoices()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    controls.removeOne(Form.DisplayChoices());
    for (const QWidget* w : controls) {
        SCOPED_TRACE(w->objectName().toStdString());
        EXPECT_TRUE(inside.contains(QRect(w->mapTo(&box, QPoint(0, 0)), w->size())));
        EXPECT_GE(w->width(), w->minimumSizeHint().width());
        EXPECT_GE(w->height(), w->hasHeightForWidth() ? w->heightForWidth(w->width())
                                                      : w->minimumSizeHint().height());
        EXPECT_EQ(QFontInfo(w->font()).family(), dialogFont.family());
        EXPECT_EQ(QFontInfo(w->font()).pixelSize(), dialogFont.pixelSize());
    }
    // Show plays, its speed and label, the fumble rule, four display controls, sound and its
    // volume.
    EXPECT_EQ(controls.size(), 11);
}

// The options, the tallest dialog, stay within this height at 100 %, so that a table size
// that fits the screen fits them too.
constexpr int TableFitHeight = 670;

TEST(DialogLook, OptionsFormGeometryCaptionsAndFonts) {
    TFakeHost host;
    host.FScoring = 1, host.FDeckCount = 2, host.FLevel = 4;
    TOptionsForm form(host.Settings(), {});
    SaveScreenshot(form, "options");
    EXPECT_EQ(form.windowTitle(), "Options");
    EXPECT_EQ(form.width(), 221);
    EXPECT_FALSE(form.windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_EQ(At(form, "ScoringStyle"), QRect(46, 3, 129, 72));
    EXPECT_EQ(At(form, "DeckSize"), QRect(46, 82, 129, 72));
    EXPECT_EQ(At(form, "ComputerLevel"), QRect(46, 161, 129, 124));
    // The added choices in one box below the groups, Save and Cancel below it at the bottom.
    const QRect box = At(form, "Choices");
    EXPECT_EQ(box.left() + box.right(), 46 + 174) << "centred as the groups";
    EXPECT_GT(box.top(), 285);
    EXPECT_EQ(At(form, "SaveBtn"), QRect(25, box.bottom() + 12, 75, 25));
    EXPECT_EQ(At(form, "CancelBtn"), At(form, "SaveBtn").translated(96, 0));
    EXPECT_EQ(form.height(), At(form, "SaveBtn").bottom() + 3);
    EXPECT_LE(form.height(), TableFitHeight) << "the table size that fits the screen allows this";
    EXPECT_EQ(TabOrder(form),
              QStringList({"ScoringStyle", "DeckSize", "SaveBtn", "CancelBtn", "ComputerLevel",
                           "ShowPlays", "PlaySpeed", "FumbleRule", "TableSize", "LargeIndices",
                           "FourColours", "Sound", "Volume"}));
    EXPECT_EQ(form.ShowPlays()->text(), "Show plays");
    EXPECT_EQ(form.FumbleRuleText()->text(),
              "Fumble rule: a refused play locks your cards for half a second");
    ExpectChoicesFitTheirBox(form);
    QStringList items;
    for (const QRadioButton* button : form.findChildren<QRadioButton*>()) {
        items << button->text();
        EXPECT_TRUE(button->parentWidget()->rect().contains(button->geometry()));
        EXPECT_GE(button->height(), QFontMetrics(button->font()).height() - 2);
    }
    EXPECT_EQ(items, QStringList({"Normal", "Las Vegas", "Single", "Double", "Unbeatable",
                                  "Very Hard", "Hard", "Not Bad", "Easy"}));
    EXPECT_EQ(form.SaveBtn()->text(), "&Save");
    EXPECT_TRUE(HasFamily(form.SaveBtn()->font(), {"Comic Sans MS", "Comic Neue"}));
    EXPECT_EQ(QFontInfo(form.ComputerLevel()->font()).pixelSize(), 16);
    // The form shows the host's settings.
    EXPECT_TRUE(form.ShowPlays()->isChecked());
    EXPECT_FALSE(form.FumbleRule()->isChecked());
    EXPECT_EQ(form.ScoringStyle()->ItemIndex(), 1);
    EXPECT_EQ(form.DeckSize()->ItemIndex(), 1);
    EXPECT_EQ(form.ComputerLevel()->ItemIndex(), 4);
}

TEST(DialogLook, ScoreFormGeometryAndFixedPitchList) {
    THallOfFame hall;
    hall.Table(1, 0, 0) = {TFameEntry{1026, "Ann"}, {-25, "Bo"}, {123456789, "Nine"}, {}, {}};
    TScoreForm form;
    form.List()->addItems(HallOfFameLines(hall));
    SaveScreenshot(form, "scores");
    EXPECT_EQ(form.windowTitle(), "Scores");
    EXPECT_EQ(form.size(), QSize(407, 312));
    EXPECT_EQ(form.Label1()->pos(), QPoint(154, 1));
    EXPECT_LE(form.Label1()->geometry().bottom(), 24);
    EXPECT_EQ(form.Label1()->text(), "Hall of Fame");
    EXPECT_EQ(form.Label1()->palette().color(QPalette::WindowText), QColor(Qt::blue));
    EXPECT_TRUE(HasFamily(form.Label1()->font(), {"Comic Sans MS", "Comic Neue"}));
    EXPECT_EQ(At(form, "List"), QRect(14, 25, 379, 239));
    EXPECT_EQ(At(form, "Button1"), QRect(166, 284, 75, 25));
    EXPECT_EQ(TabOrder(form), QStringList({"Button1", "List"}));
    const QFont listFont = form.List()->font();
    EXPECT_TRUE(HasFamily(listFont, {"Courier New", "Liberation Mono"}));
    EXPECT_EQ(QFontInfo(listFont).pixelSize(), 13);
    EXPECT_EQ(QFontMetrics(listFont).horizontalAdvance("iiii1"),
              QFontMetrics(listFont).horizontalAdvance("WWWW "));
    EXPECT_EQ(form.List()->visualItemRect(form.List()->item(1)).height(), 16);
}

TEST(DialogLook, ScoreFormOpensAtTheCurrentCombinationMarked) {
    TFakeHost host;
    TScriptedDialogs dialogs;
    int firstVisible = -1, current = -1;
    bool bold = false;
    dialogs.OnExec = [&](QDialog& d) {
        auto& form = dynamic_cast<TScoreForm&>(d);
        form.show();
        QCoreApplication::processEvents();
        firstVisible = form.List()->indexAt(QPoint(2, 2)).row();
        current = form.List()->currentRow();
        bold = form.List()->item(current)->font().bold();
        return int(QDialog::Accepted);
    };
    host.FDeckCount = 2, host.FScoring = 1, host.FLevel = 3; // the 19th of 20 tables
    ShowHallOfFame(host.Records, host.Combination());
    EXPECT_EQ(firstVisible, 144);
    EXPECT_EQ(current, 144);
    EXPECT_TRUE(bold);
    host.FDeckCount = 1, host.FScoring = 0, host.FLevel = 1;
    ShowHallOfFame(host.Records, host.Combination());
    EXPECT_EQ(firstVisible, 8);
}

TEST(DialogLook, NameFormGeometryAndLimits) {
    TNameForm form;
    SaveScreenshot(form, "name");
    EXPECT_EQ(form.windowTitle(), "Name");
    EXPECT_EQ(form.size(), QSize(254, 123));
    EXPECT_TRUE(form.windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_EQ(form.Label1()->pos(), QPoint(4, 16));
    EXPECT_LE(form.Label1()->geometry().right(), 253);
    EXPECT_TRUE(QFontInfo(form.Label1()->font()).bold());
    EXPECT_TRUE(HasFamily(form.Label1()->font(), {"Comic Sans MS", "Comic Neue"}));
    EXPECT_EQ(QFontInfo(form.Label1()->font()).pixelSize(), 13);
    EXPECT_EQ(At(form, "Edit"), QRect(66, 48, 121, 21));
    EXPECT_EQ(At(form, "Button1"), QRect(89, 88, 75, 25));
    EXPECT_TRUE(form.Button1()->isDefault());
    EXPECT_EQ(TabOrder(form), QStringList({"Edit", "Button1"}));

    QTest::keyClicks(form.Edit(), "Grace`Hopper-Long`Name!");
    EXPECT_EQ(form.Edit()->text(), "GraceHopper-LongN");
    form.Edit()->clear();
    form.Edit()->insert("pa`sted");
    EXPECT_EQ(form.Edit()->text(), "pasted");
}

TEST(NameDialog, RefusesAnEmptyNameAndTakesOneOnEnter) {
    TScriptedDialogs dialogs;
    bool stayedOpen = false;
    dialogs.OnExec = [&](QDialog& dialog) {
        auto& form = static_cast<TNameForm&>(dialog);
        form.show();
        QTest::mouseClick(form.Button1(), Qt::LeftButton);
        stayedOpen = form.isVisible() && form.result() != QDialog::Accepted;
        QTest::keyClicks(form.Edit(), "Ada");
        QTest::keyClick(form.Edit(), Qt::Key_Return);
        return form.result();
    };
    EXPECT_EQ(AskName(), "Ada");
    EXPECT_TRUE(stayedOpen);
    ASSERT_EQ(dialogs.Shown.size(), 1u);
    EXPECT_EQ(dialogs.Shown[0].Text, "Please enter your name");
    EXPECT_EQ(dialogs.Shown[0].Type, mtError);
    EXPECT_EQ(dialogs.Shown[0].Buttons, std::vector<TKsMsgDlgBtn>{mbOK});
}

TEST(NameDialog, OffersTheLastNameSelectedAndKeepsItForTheNextStart) {
    TConfigDirs dirs;
    TScriptedDialogs dialogs;
    QStringList offered;
    QString typed;
    dialogs.OnExec = [&](QDialog& dialog) {
        auto& form = static_cast<TNameForm&>(dialog);
        form.show();
        offered << form.Edit()->selectedText();
        EXPECT_EQ(form.Edit()->text(), offered.last()) << "all of it selected";
        QTest::keyClicks(form.Edit(), typed);
        QTest::keyClick(form.Edit(), Qt::Key_Return);
        return form.result();
    };
    const auto win = [&](TFakeHost& Host, int32_t Score, const QString& Typed) {
        typed = Typed;
        Host.FGameScore = Score;
        Host.FFameRecorded = false;
        CheckHallOfFame(Host);
    };
    TFakeHost host, other;
    LoadConfig(host);
    LoadConfig(other);
    ASSERT_TRUE(SaveConfig(other));
    EXPECT_FALSE(ReadAll(dirs.ProgramFile()).contains("PlayerName")) << "none entered yet";
    win(host, 900, "Ann");
    win(host, 800, {});   // Enter keeps the offer
    win(host, 700, "Bo"); // typing replaces it
    ASSERT_TRUE(SaveConfig(host));
    ASSERT_TRUE(SaveConfig(other)) << "a copy that entered none keeps the file's";
    TFakeHost next;
    LoadConfig(next);
    win(next, 600, {});
    EXPECT_EQ(offered, QStringList({"", "Ann", "Ann", "Bo"}));
}

// The options dialog run by a script: choose items, press buttons. A won game is offered to
// the hall of fame as the window offers it.
class OptionsDialogTest : public ::testing::Test {
protected:
    OptionsDialogTest() {
        host.FNewSession = false; // a game has been dealt
        dialogs.OnExec = [this](QDialog& dialog) {
            if (auto* form = qobject_cast<TOptionsForm*>(&dialog)) {
                form->show();
                Script(*form);
                return form->result();
            }
            dialog.findChild<QLineEdit*>("Edit")->setText("Ann");
            return int(QDialog::Accepted);
        };
    }
    static void Choose(TRadioGroup* Group, int Item) {
        QTest::mouseClick(Group->Button(Item), Qt::LeftButton);
    }
    TOptionsResult Run() {
        return RunOptionsDialog(
            host.Settings(), {host.FNewSession, host.FHumanWon}, [this](QWidget* Parent) {
                offeredOverOptions = qobject_cast<TOptionsForm*>(Parent) != nullptr;
                CheckHallOfFame(host);
            });
    }
    // Everything as before but what the script changed.
    TSettings With(const std::function<void(TSettings&)>& Change) const {
        TSettings settings = host.Settings();
        Change(settings);
        return settings;
    }

    TFakeHost host;
    TScriptedDialogs dialogs;
    std::function<void(TOptionsForm&)> Script;
    bool offeredOverOptions = false;
};

TEST_F(OptionsDialogTest, LevelChangeGoesOnWithoutQuestion) {
    Script = [](TOptionsForm& form) {
        Choose(form.ComputerLevel(), 4);
        QTest::mouseClick(form.SaveBtn(), Qt::LeftButton);
    };
    const TOptionsResult result = Run();
    EXPECT_TRUE(dialogs.Shown.empty());
    EXPECT_TRUE(result.Saved);
    EXPECT_FALSE(result.NewGameNeeded);
    EXPECT_EQ(result.Settings, With([](TSettings& s) { s.Level = 4; }));
    EXPECT_TRUE(GameChanged(host.Settings(), result.Settings));
}

TEST_F(OptionsDialogTest, DeckChangeAfterADealAsksAndNoKeepsTheDialogOpen) {
    dialogs.Answers = {mbNo, mbYes};
    bool openAfterNo = false;
    Script = [&](TOptionsForm& form) {
        Choose(form.DeckSize(), 1);
        QTest::mouseClick(form.SaveBtn(), Qt::LeftButton);
        openAfterNo = form.isVisible() && form.DeckSize()->ItemIndex() == 1 &&
                      !form.Result().Saved && !form.NewGameNeeded();
        QTest::mouseClick(form.SaveBtn(), Qt::LeftButton);
    };
    const TOptionsResult result = Run();
    EXPECT_TRUE(openAfterNo);
    ASSERT_EQ(dialogs.Shown.size(), 2u);
    EXPECT_EQ(dialogs.Shown[0].Text, StringRes::ChangesNeedNewGame());
    EXPECT_EQ(dialogs.Shown[0].Type, mtWarning);
    EXPECT_EQ(dialogs.Shown[0].Buttons, (std::vector<TKsMsgDlgBtn>{mbYes, mbNo}));
    EXPECT_TRUE(result.Saved && result.NewGameNeeded);
    EXPECT_EQ(result.Settings, With([](TSettings& s) { s.DeckCount = 2; }));
}

TEST_F(OptionsDialogTest, StyleChangeBeforeAnyDealNeedsNoQuestionNorDeal) {
    host.FNewSession = true;
    Script = [](TOptionsForm& form) {
        Choose(form.ScoringStyle(), 1);
        QTest::mouseClick(form.SaveBtn(), Qt::LeftButton);
    };
    const TOptionsResult result = Run();
    EXPECT_TRUE(dialogs.Shown.empty());
    EXPECT_TRUE(result.Saved);
    EXPECT_FALSE(result.NewGameNeeded);
    EXPECT_EQ(result.Settings, With([](TSettings& s) { s.Scoring = 1; }));
}

TEST_F(OptionsDialogTest, CancelChangesNothing) {
    Script = [](TOptionsForm& form) {
        Choose(form.ScoringStyle(), 1);
        Choose(form.DeckSize(), 1);
        Choose(form.ComputerLevel(), 0);
        QTest::mouseClick(form.CancelBtn(), Qt::LeftButton);
    };
    const TOptionsResult result = Run();
    EXPECT_FALSE(result.Saved || result.NewGameNeeded);
    EXPECT_TRUE(dialogs.Shown.empty());
}

TEST_F(OptionsDialogTest, ShowingAndFumbleChoicesNeedNoDealAndKeepTheHallOfFameOpen) {
    Script = [](TOptionsForm& form) {
        QTest::mouseClick(form.ShowPlays(), Qt::LeftButton, {}, QPoint(8, 10));
        QTest::mouseClick(form.FumbleRuleText(), Qt::LeftButton, {}, QPoint(30, 5));
        QTest::mouseClick(form.SaveBtn(), Qt::LeftButton);
    };
    const TOptionsResult result = Run();
    EXPECT_TRUE(dialogs.Shown.empty());
    EXPECT_TRUE(result.Saved);
    EXPECT_FALSE(result.NewGameNeeded);
    EXPECT_EQ(result.Settings,
              With([](TSettings& s) { s.ShowPlays = false, s.FumbleRule = true; }));
    EXPECT_FALSE(GameChanged(host.Settings(), result.Settings));
}

TEST_F(OptionsDialogTest, PlaySpeedIsChosenBesideShowPlaysAndOnlyWhileItIsOn) {
    host.FPlaySpeed = 3;
    Script = [](TOptionsForm& form) {
        EXPECT_EQ(form.PlaySpeed()->currentText(), "Slow");
        QTest::mouseClick(form.ShowPlays(), Qt::LeftButton, {}, QPoint(8, 10));
        EXPECT_FALSE(form.PlaySpeed()->isEnabled()) << "off has no speed";
        QTest::mouseClick(form.ShowPlays(), Qt::LeftButton, {}, QPoint(8, 10));
        form.PlaySpeed()->setCurrentIndex(form.PlaySpeed()->findText("Fast"));
        QTest::mouseClick(form.SaveBtn(), Qt::LeftButton);
    };
    const TOptionsResult result = Run();
    EXPECT_EQ(result.Settings, With([](TSettings& s) { s.PlaySpeed = 1; }));
    EXPECT_FALSE(result.NewGameNeeded);
}

TEST_F(OptionsDialogTest, WonGameEntersUnderTheSettingsItWasPlayedWith) {
    host.FHumanWon = true;
    host.FGameScore = 1026;
    dialogs.Answers = {mbYes};
    Script = [&](TOptionsForm& form) {
        Choose(form.DeckSize(), 1);
        QTest::mouseClick(form.SaveBtn(), Qt::LeftButton);
    };
    const TOptionsResult result = Run();
    EXPECT_TRUE(result.NewGameNeeded);
    EXPECT_EQ(dialogs.DialogsRun, 2); // options, then the name
    EXPECT_TRUE(offeredOverOptions) << "asked while the options dialog is open";
    EXPECT_EQ(host.FHall.Entry(1, 0, 2, 1), (TFameEntry{1026, "Ann"}));
    EXPECT_EQ(result.Settings.DeckCount, 2);
}

} // namespace

namespace {

TEST_F(OptionsDialogTest, DisplayChoicesSitBelowAndNeedNoDealNorDisqualify) {
    Script = [&](TOptionsForm& form) {
        form.show();
        form.DisplayChoices()->TableSize()->setCurrentIndex(3);
        SaveScreenshot(form, "options-display");
        ExpectChoicesFitTheirBox(form);
        QTest::mouseClick(form.DisplayChoices()->FourColours(), Qt::LeftButton);
        QTest::mouseClick(form.SaveBtn(), Qt::LeftButton);
    };
    const TOptionsResult result = Run();
    EXPECT_TRUE(result.Saved);
    EXPECT_FALSE(result.NewGameNeeded);
    EXPECT_EQ(result.Settings, With([](TSettings& s) { s.Display = {200, false, true}; }));
    EXPECT_FALSE(GameChanged(host.Settings(), result.Settings));
}

TEST_F(OptionsDialogTest, SoundAndItsVolumeNeedNoDealNorDisqualify) {
    Script = [](TOptionsForm& form) {
        EXPECT_TRUE(form.Sound()->isChecked() && form.Volume()->isEnabled());
        form.Volume()->setValue(30);
        QTest::mouseClick(form.Sound(), Qt::LeftButton);
        EXPECT_FALSE(form.Volume()->isEnabled()) << "no volume without sound";
        QTest::mouseClick(form.SaveBtn(), Qt::LeftButton);
    };
    const TOptionsResult result = Run();
    EXPECT_TRUE(result.Saved);
    EXPECT_FALSE(result.NewGameNeeded);
    EXPECT_EQ(result.Settings, With([](TSettings& s) { s.Sound = false, s.SoundVolume = 30; }));
    EXPECT_FALSE(GameChanged(host.Settings(), result.Settings));
}

} // namespace

namespace {

// Dialogs are built at 100 % and shown at the table size chosen.
TEST(DialogScale, OptionsAtTwiceTheSizeKeepTheirLayoutFitTheScreenAndComeBackAsBuilt) {
    TFakeHost host;
    TOptionsForm built(host.Settings(), {});
    built.show();
    const QImage asBuilt = built.grab().toImage();
    TOptionsForm form(host.Settings(), {});
    ScaleWindow(form, 2);
    SaveScreenshot(form, "options-200");
    EXPECT_EQ(form.size(), built.size() * 2);
    for (const char* name : {"ScoringStyle", "DeckSize", "ComputerLevel", "Choices", "SaveBtn"}) {
        SCOPED_TRACE(name);
        const QRect at100 = At(built, name);
        EXPECT_EQ(At(form, name), QRect(at100.topLeft() * 2, at100.size() * 2));
    }
    EXPECT_EQ(QFontInfo(form.font()).pixelSize(), 2 * QFontInfo(built.font()).pixelSize());
    const auto indicator = [](const QWidget* W) {
        return W->style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, W);
    };
    EXPECT_EQ(indicator(form.ShowPlays()), 2 * indicator(built.ShowPlays()));
    // The type and the boxes grew together: nothing is cut short.
    ExpectChoicesFitTheirBox(form);
    // The radio buttons are drawn at twice the size: an empty ring, across its middle from its
    // left edge to its right one, is twice as wide.
    const auto ringWidth = [](QWidget* Button) {
        const QImage picture = Button->grab().toImage();
        const auto dark = [&](int x) {
            return qGray(picture.pixel(x, picture.height() / 2)) < 180;
        };
        int x = 0;
        while (x < picture.width() && !dark(x))
            ++x;
        const int left = x;
        while (x < picture.width() && dark(x))
            ++x;
        while (x < picture.width() && !dark(x))
            ++x;
        return x - left;
    };
    const int ring100 = ringWidth(built.ScoringStyle()->Button(1));
    EXPECT_GT(ring100, 6);
    EXPECT_NEAR(ringWidth(form.ScoringStyle()->Button(1)), 2 * ring100, 2);

    // Back at 100 %, the dialog is as built, pixel for pixel.
    ScaleWindow(form, 1);
    form.show();
    EXPECT_EQ(form.grab().toImage(), asBuilt);

    // A screen too small for three times the size: the largest that fits its free area.
    const QRect small(0, 0, 600, 800);
    const qreal fitted = FittingDialogScale(3, built.size(), small);
    EXPECT_LT(fitted, 3);
    EXPECT_GT(fitted, 1);
    ScaleWindow(form, fitted);
    EXPECT_TRUE(small.contains(QRect(QPoint(0, 40), form.size())))
        << form.width() << "x" << form.height();
    EXPECT_TRUE(qFuzzyCompare(fitted, std::min(600.0 / built.width(), 760.0 / built.height())));
}

// The hall of fame and its statistics page grow as one, their rows with their type.
TEST(DialogScale, ScoresAndStatisticsAtOneAndAHalfTimesTheSize) {
    TFakeHost host;
    TScoreForm built, form;
    for (TScoreForm* f : {&built, &form}) {
        f->List()->addItems({"a", "b"});
        f->AddStatistics(host.Records, host.Combination());
    }
    ScaleWindow(form, 1.5);
    built.ShowStatistics(true);
    form.ShowStatistics(true);
    EXPECT_EQ(form.size(), built.size() * 1.5);
    form.show();
    built.show();
    const auto rowHeight = [](const TScoreForm& F) {
        return F.List()->visualItemRect(F.List()->item(1)).height();
    };
    EXPECT_EQ(rowHeight(form), rowHeight(built) * 3 / 2);
    EXPECT_TRUE(form.rect().contains(
        form.Statistics()->ResetBtn()->geometry().translated(form.Statistics()->pos())));
}

} // namespace
