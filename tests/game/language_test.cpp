// The German and French translations: nothing left in English in the window, the dialogs, the
// message boxes and the help, and every text fits where it stands.

#include "DialogScale.h"
#include "FeltBadge.h"
#include "GameSummary.h"
#include "GetName.h"
#include "NetCommands.h"
#include "Records.h"
#include "Scores.h"
#include "StatisticsView.h"
#include "StringRes.h"
#include "Translations.h"
#include "game_fixture.h"
#include "ksdialogs.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLibraryInfo>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTextLayout>
#include <QTranslator>

namespace {

// Marks every text that came through the program's translation, so that a text on screen
// without the mark is one that never went through it, or one the translation lacks.
constexpr QChar Mark(0x2063);

class TMarkingTranslator : public QTranslator {
public:
    explicit TMarkingTranslator(const QString& Language) {
        Loaded = FReal.load(QStringLiteral(":/i18n/tolvi_") + Language);
    }
    bool isEmpty() const override { return false; }
    QString translate(const char* Context, const char* Source, const char* Disambiguation,
                      int N) const override {
        const QString text = FReal.translate(Context, Source, Disambiguation, N);
        return text.isEmpty() ? QString() : Mark + text;
    }
    bool Loaded = false;

private:
    QTranslator FReal;
};

bool HasLetters(const QString& Text) {
    return std::any_of(Text.begin(), Text.end(), [](QChar c) { return c.isLetter(); });
}

// A text each visible control shows or tells a screen reader.
QStringList TextsOf(QWidget& Root) {
    QStringList texts{Root.windowTitle()};
    QList<QWidget*> widgets = Root.findChildren<QWidget*>();
    widgets.prepend(&Root);
    for (QWidget* w : widgets) {
        if (w != &Root && w->isHidden())
            continue;
        texts << w->accessibleName();
        if (auto* label = qobject_cast<QLabel*>(w))
            texts << label->text();
        else if (auto* button = qobject_cast<QAbstractButton*>(w))
            texts << button->text();
        else if (auto* box = qobject_cast<QGroupBox*>(w))
            texts << box->title();
        else if (auto* combo = qobject_cast<QComboBox*>(w))
            for (int i = 0; i < combo->count(); ++i)
                texts << combo->itemText(i);
        else if (auto* list = qobject_cast<QListWidget*>(w))
            for (int i = 0; i < list->count(); ++i)
                texts << list->item(i)->text();
        else if (auto* badge = qobject_cast<TFeltBadge*>(w))
            texts << badge->Text() << badge->Caption();
    }
    return texts;
}

QString Plain(QString Text) {
    return Text.remove(Mark).remove(QRegularExpression(QStringLiteral("&(?!&)")));
}

// Controls whose text is wider than they are, or that reach outside their parent.
QStringList Overflows(QWidget& Root) {
    QStringList faults;
    for (QWidget* w : Root.findChildren<QWidget*>()) {
        // Popups are windows of their own; the status heard by screen readers takes no room.
        if (w->isHidden() || w->window() != Root.window() || w->size().isEmpty())
            continue;
        const QFontMetrics metrics(w->font());
        int needed = 0;
        if (auto* push = qobject_cast<QPushButton*>(w))
            needed = metrics.horizontalAdvance(Plain(push->text())) + 6;
        else if (qobject_cast<QAbstractButton*>(w))
            needed = w->sizeHint().width();
        else if (auto* box = qobject_cast<QGroupBox*>(w))
            needed = metrics.horizontalAdvance(Plain(box->title())) + 16;
        else if (auto* label = qobject_cast<QLabel*>(w); label && !label->wordWrap())
            needed = metrics.horizontalAdvance(Plain(label->text()));
        else if (qobject_cast<QComboBox*>(w))
            needed = w->sizeHint().width();
        else if (auto* list = qobject_cast<QListWidget*>(w))
            for (int i = 0; i < list->count(); ++i) {
                // Lines are elided, not wrapped: the longest, in bold as the marked ones are.
                QFont bold = list->font();
                bold.setBold(true);
                needed = std::max(
                    needed, QFontMetrics(bold).horizontalAdvance(Plain(list->item(i)->text())) +
                                w->width() - list->viewport()->width() + 8);
            }
        if (needed > w->width() ||
            !w->parentWidget()->rect().contains(w->geometry().adjusted(0, 0, -1, -1)))
            faults << QStringLiteral("%1 (%2 needs %3 of %4)")
                          .arg(w->objectName(), w->metaObject()->className())
                          .arg(needed)
                          .arg(w->width());
    }
    return faults;
}

void Save(QWidget& Widget, const QString& Name) {
    QDir().mkpath(TOLVI_TEST_OUTPUT_DIR "/languages");
    const qreal scale = Widget.devicePixelRatioF();
    const QString suffix = scale == 1 ? QString() : QStringLiteral("@%1x").arg(scale);
    EXPECT_TRUE(Widget.grab().save(TOLVI_TEST_OUTPUT_DIR "/languages/" + Name + suffix + ".png"));
}

class Languages : public GameTest, public ::testing::WithParamInterface<const char*> {
protected:
    void SetUp() override {
        const QString language = QString::fromLatin1(GetParam());
        if (!language.isEmpty()) {
            ASSERT_TRUE(marking.Loaded) << GetParam();
            ASSERT_TRUE(qtBase.load(QStringLiteral("qtbase_") + language,
                                    QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
                << "Qt's own translations (qt6-translations-l10n)";
            QCoreApplication::installTranslator(&qtBase);
            QCoreApplication::installTranslator(&marking);
        }
        GameTest::SetUp();
    }
    void TearDown() override {
        form.reset();
        QCoreApplication::removeTranslator(&marking);
        QCoreApplication::removeTranslator(&qtBase);
    }
    QString Name(const char* What) const {
        const QString language = QString::fromLatin1(GetParam());
        return QString::fromLatin1(What) + u'-' + (language.isEmpty() ? u"en"_qs : language);
    }

    TMarkingTranslator marking{QString::fromLatin1(GetParam())};
    QTranslator qtBase;
};

TEST_P(Languages, EveryTextIsTranslatedAndFits) {
    const bool english = QString::fromLatin1(GetParam()).isEmpty();
    QStringList texts;
    QStringList overflows;
    form->show();
    form->DealBtnClick();
    texts << TextsOf(*form);
    overflows << Overflows(*form);
    Save(*form, Name("table"));

    // Every dialog as the player opens it: its texts, whether they fit, and its picture.
    dialogs.OnExec = [&](QDialog& Dialog) {
        // Another table size brings a note: shown, so that it is checked and pictured too.
        if (auto* size = Dialog.findChild<QComboBox*>(QStringLiteral("TableSize")))
            size->setCurrentIndex(size->currentIndex() == 0 ? 1 : 0);
        Dialog.show();
        if (auto* scores = qobject_cast<TScoreForm*>(&Dialog)) {
            Save(Dialog, Name("scores"));
            scores->ShowStatistics(true);
        }
        texts << TextsOf(Dialog);
        overflows << Overflows(Dialog);
        Save(Dialog, Name(Dialog.objectName().toLatin1().constData()));
        return 0;
    };
    form->OptionBtnClick();
    form->ScoreBtnClick();
    AskName(form.get());
    ASSERT_EQ(dialogs.DialogsRun, 3);

    // The message boxes: their texts, captions and Qt's own buttons.
    form->HelpBtnClick(); // no help file beside the test
    for (const TKsMessage& m : dialogs.Shown)
        texts << m.Text;
    texts << StringRes::EnterYourName() << StringRes::CreatingSecondDeck()
          << StringRes::ChangesNeedNewGame() << StringRes::GameWon(StringRes::WinnerComputer())
          << StringRes::GameWonBy(u"Ana"_qs) << StringRes::ResetStatisticsQuestion()
          << StringRes::SettingsNotSaved({}, {});
    for (TKsMsgDlgType type : {mtWarning, mtError, mtInformation, mtConfirmation})
        texts << KsDefaultCaption(type);
    if (!english) {
        EXPECT_NE(QCoreApplication::translate("QPlatformTheme", "&Yes"), u"&Yes"_qs);
    }

    // The breakdown drawn after a game, for either winner, with wide numbers and every line.
    for (const QString& winner : {StringRes::WinnerHuman(), StringRes::WinnerComputer()}) {
        TGameBreakdown b{winner, 51, 30, 500, 5100, 3599000, -99999};
        b.Won = winner == StringRes::WinnerHuman();
        b.LasVegas = true;
        b.CarriedOver = -99999;
        b.Stake = 50;
        b.OutOfHallOfFame = true;
        form->Summary->SetBreakdown(b);
        texts << form->Summary->Title() << form->Summary->Note();
        const QFont title = form->Summary->TitleFont();
        const int inner = form->Summary->width() - 20; // its margins
        if (QFontMetrics(title).horizontalAdvance(Plain(form->Summary->Title())) > inner)
            overflows << form->Summary->Title();
        QFont bold = title;
        bold.setPixelSize(12);
        const QList<QPair<QString, QString>> lines = form->Summary->Lines();
        const int side = inner - TGameSummary::LinesWidth - TGameSummary::Gutter;
        for (const auto& [caption, value] : lines) {
            texts << caption;
            // The time stands in the column beside the others.
            const int width = caption == lines.last().first ? side : TGameSummary::LinesWidth;
            if (QFontMetrics(bold).horizontalAdvance(
                    Plain(caption + QStringLiteral("  ") + value)) > width)
                overflows << caption;
        }
        // The note wraps in that column, under the time.
        const int below = form->Summary->height() - form->Summary->LineHeight() * 2 - 50;
        if (QFontMetrics(bold)
                .boundingRect(QRect(0, 0, side, 1000), Qt::TextWordWrap,
                              Plain(form->Summary->Note()))
                .height() > below)
            overflows << form->Summary->Note();
    }
    form->Summary->show();
    Save(*form->Summary, Name("summary"));
    EXPECT_TRUE(overflows.isEmpty()) << overflows.join(u'\n').toStdString();
    if (english)
        return;
    QStringList untranslated;
    for (const QString& t : texts)
        if (HasLetters(t) && !t.contains(Mark) && t != u"Tolvi"_qs)
            untranslated << t;
    untranslated.removeDuplicates();
    EXPECT_TRUE(untranslated.isEmpty()) << untranslated.join(u'\n').toStdString();
}

TEST_P(Languages, TheWaitForAFriendIsTranslatedAndFits) {
    form->show();
    TNetCommands* commands = NetworkCommands(*form);
    ASSERT_NE(commands, nullptr);
    ASSERT_TRUE(commands->Host(QStringLiteral("127.0.0.1"), 0));
    QMessageBox* box = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* b = qobject_cast<QMessageBox*>(w); b && b->isVisible())
            box = b;
    ASSERT_NE(box, nullptr);
    QStringList texts = TextsOf(*box);
    for (const QAction* a : form->GameMenu->actions())
        texts << a->text();
    const QStringList overflows = Overflows(*box);
    Save(*box, Name("host"));
    commands->Leave();
    EXPECT_TRUE(overflows.isEmpty()) << overflows.join(u'\n').toStdString();
    if (QString::fromLatin1(GetParam()).isEmpty())
        return;
    QStringList untranslated;
    for (const QString& t : texts)
        if (HasLetters(t) && !t.contains(Mark))
            untranslated << t;
    EXPECT_TRUE(untranslated.isEmpty()) << untranslated.join(u'\n').toStdString();
}

TEST_P(Languages, NoStatisticsLabelRunsIntoItsValueAtOneAndTwiceTheSize) {
    // The translation itself: a marked text is a letter longer than the one shown.
    QTranslator real;
    if (const QString language = QString::fromLatin1(GetParam()); !language.isEmpty()) {
        QCoreApplication::removeTranslator(&marking);
        ASSERT_TRUE(real.load(QStringLiteral(":/i18n/tolvi_") + language));
        QCoreApplication::installTranslator(&real);
    }
    TRecords records;
    TGameStats& stats = records.Statistics.Entry(1, 0, 2);
    stats.Played = 123456;
    stats.Won = 99999;
    stats.Lost = 20000;
    stats.Abandoned = 3457;
    stats.Streak = 12;
    stats.BestStreak = 345;
    stats.FastestWin = 95;
    stats.BestScore = 5703;
    stats.TotalScore = 500000;
    records.Statistics.HeadToHead(1) = stats;
    records.Statistics.DaysDeal() = {20261210, 8902053, 17, 9, 1026, 61};
    for (const qreal factor : {1.0, 2.0}) {
        TScoreForm form;
        form.AddStatistics(records, {1, 0, 2});
        form.ShowStatistics(true);
        ScaleWindow(form, factor);
        form.show();
        const QListWidget& list = *form.Statistics()->List();
        const QFontMetrics metrics(list.font());
        static const char* const labels[] = {"Played",      "Won",      "Lost",     "Abandoned",
                                             "Best score",  "Win rate", "Streak",   "Best streak",
                                             "Fastest win", "Average",  "Best time"};
        int found = 0;
        for (int i = 0; i < list.count(); ++i) {
            const QString line = list.item(i)->text();
            for (const char* label : labels) {
                const QString text = QCoreApplication::translate("Statistics", label);
                const qsizetype end = line.indexOf(text) + text.size();
                if (end < text.size())
                    continue;
                ++found;
                // At least a space's width, drawn, between the label's last letter and the value.
                EXPECT_GT(metrics.horizontalAdvance(line.left(end + 1)) -
                              metrics.horizontalAdvance(line.left(end)),
                          metrics.horizontalAdvance(u' ') / 2)
                    << factor << "x: " << line.toStdString();
                EXPECT_TRUE(end < line.size() && line[end] == u' ') << line.toStdString();
            }
        }
        EXPECT_GE(found, int(std::size(labels))) << "every label was looked at";
        if (factor == 2)
            Save(form, Name("statistics"));
    }
}

// No line of a wrapped text in the options begins with a colon or a question mark: French puts
// a space before them, and it must not break there.
TEST_P(Languages, NoWrappedOptionsLineStartsWithPunctuation) {
    for (const qreal factor : {1.0, 2.0}) {
        QStringList faults;
        int wrapped = 0;
        dialogs.OnExec = [&](QDialog& Dialog) {
            ScaleWindow(Dialog, factor);
            Dialog.show();
            for (const QLabel* label : Dialog.findChildren<QLabel*>()) {
                if (!label->wordWrap() || label->isHidden())
                    continue;
                const QString text = Plain(label->text());
                QTextLayout layout(text, label->font());
                layout.beginLayout();
                for (QTextLine line = layout.createLine(); line.isValid();
                     line = layout.createLine()) {
                    line.setLineWidth(label->contentsRect().width());
                    const QString start = text.mid(line.textStart(), 1);
                    if (line.textStart() > 0 && QStringLiteral(":;?!").contains(start))
                        faults << text;
                }
                layout.endLayout();
                wrapped += layout.lineCount() > 1;
            }
            return 0;
        };
        form->OptionBtnClick();
        EXPECT_GT(wrapped, 0) << "a text wrapped, and was looked at";
        EXPECT_TRUE(faults.isEmpty()) << factor << "x: " << faults.join(u'\n').toStdString();
    }
}

// Texts among Texts whose Alt letter (the one after a single "&") an earlier one already has.
QStringList AltLetterClashes(const QStringList& Texts) {
    QStringList clashes;
    QList<QChar> seen;
    for (const QString& t : Texts) {
        const QString plain = QString(t).remove(Mark);
        for (qsizetype i = plain.indexOf(u'&'); i >= 0 && i + 1 < plain.size();
             i = plain.indexOf(u'&', i + 2)) {
            if (plain[i + 1] == u'&')
                continue;
            const QChar letter = plain[i + 1].toLower();
            if (seen.contains(letter))
                clashes << plain;
            seen << letter;
            break;
        }
    }
    return clashes;
}

TEST_P(Languages, NoTwoCommandsOfTheGameMenuOrButtonsOfTheWindowShareAnAltLetter) {
    QStringList commands;
    for (const QAction* a : form->GameMenu->actions())
        if (!a->isSeparator())
            commands << a->text();
    ASSERT_GE(commands.size(), 6) << "the deal commands and the head-to-head ones";
    EXPECT_TRUE(AltLetterClashes(commands).isEmpty())
        << AltLetterClashes(commands).join(u'\n').toStdString();
    QStringList buttons;
    for (const QAbstractButton* b : form->findChildren<QAbstractButton*>())
        buttons << b->text();
    EXPECT_TRUE(AltLetterClashes(buttons).isEmpty())
        << AltLetterClashes(buttons).join(u'\n').toStdString();
}

INSTANTIATE_TEST_SUITE_P(, Languages, ::testing::Values("", "de", "fr"), [](const auto& Info) {
    return std::string(*Info.param ? Info.param : "en");
});

QString ReadHelp(const QString& Name) {
    QFile file(TOLVI_SOURCE_DIR "/resources/" + Name);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QStringList Anchors(const QString& Html) {
    QStringList ids;
    static const QRegularExpression id(QStringLiteral("(?:id|href)=\"#?([^\"]+)\""));
    for (auto it = id.globalMatch(Html); it.hasNext();)
        ids << it.next().captured(1);
    return ids;
}

TEST(LanguageHelp, EachLanguageHasTheWholeHelpAndNoEnglishLeft) {
    const QString english = ReadHelp(QStringLiteral("Tolvi.HLP"));
    ASSERT_FALSE(english.isEmpty());
    // Words any English sentence of the help has and neither German nor French uses.
    static const QRegularExpression englishWords(
        QStringLiteral("\\b(the|and|you|your|when|which|with|card|cards|game|of)\\b"),
        QRegularExpression::CaseInsensitiveOption);
    for (const char* language : {"de", "fr"}) {
        const QString help = ReadHelp(QStringLiteral("Tolvi.%1.HLP").arg(language));
        EXPECT_EQ(Anchors(help), Anchors(english)) << language << ": the same topics and links";
        QString text = help;
        text.remove(QRegularExpression(QStringLiteral("<[^>]*>")));
        text.remove(QRegularExpression(QStringLiteral("LANGUAGE=\\w+ tolvi")));
        const auto found = englishWords.match(text);
        EXPECT_FALSE(found.hasMatch())
            << language << ": \"" << found.captured().toStdString() << "\" near \""
            << text.mid(std::max(0, int(found.capturedStart()) - 40), 80).toStdString() << '"';
    }
}

TEST(LanguageHelp, TheLoadedLanguagePicksItsHelpFileAndEnglishNeedsNone) {
    QTemporaryDir dir;
    const QString base = dir.filePath(QStringLiteral("Tolvi.HLP"));
    for (const QString& name : {base, dir.filePath(QStringLiteral("Tolvi.de.HLP"))}) {
        QFile f(name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    QCoreApplication& app = *QCoreApplication::instance();
    EXPECT_EQ(LoadLanguage(app, QStringLiteral("de")), u"de"_qs);
    EXPECT_EQ(TranslatedHelpFile(base), dir.filePath(QStringLiteral("Tolvi.de.HLP")));
    EXPECT_NE(StringRes::LevelName(0), u"Unbeatable"_qs);
    EXPECT_EQ(TCombination({1, 0, 0}).Section(), u"Single Deck - Normal Scoring - Unbeatable"_qs)
        << "the settings file's names stay English";
    EXPECT_EQ(LoadLanguage(app, QStringLiteral("fr")), u"fr"_qs);
    EXPECT_EQ(TranslatedHelpFile(base), base) << "no French file here: the English one";
    EXPECT_EQ(LoadLanguage(app, QStringLiteral("xx")), QString()) << "no such translation";
    EXPECT_EQ(StringRes::LevelName(0), u"Unbeatable"_qs) << "back to English";
    EXPECT_EQ(TranslatedHelpFile(base), base);
}

} // namespace
