// The German and French translations: nothing left in English in the window, the dialogs, the
// message boxes and the help, and every text fits where it stands.

#include "FeltBadge.h"
#include "GameSummary.h"
#include "GetName.h"
#include "NetCommands.h"
#include "Scores.h"
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

    // The breakdown drawn after a game, for either winner, with wide numbers.
    for (const QString& winner : {StringRes::WinnerHuman(), StringRes::WinnerComputer()}) {
        form->Summary->SetBreakdown({winner, 51, 30, 500, 5100, 3599000, 5999});
        texts << form->Summary->Title();
        const QFont title = form->Summary->TitleFont();
        const int inner = form->Summary->width() - 20; // its margins
        if (QFontMetrics(title).horizontalAdvance(Plain(form->Summary->Title())) > inner)
            overflows << form->Summary->Title();
        QFont bold = title;
        bold.setPixelSize(12);
        for (const auto& [caption, value] : form->Summary->Lines()) {
            texts << caption;
            if (QFontMetrics(bold).horizontalAdvance(
                    Plain(caption + QStringLiteral("  ") + value)) > inner)
                overflows << caption;
        }
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
