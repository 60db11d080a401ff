#include "Options.h"

#include "ConfigFile.h"
#include "DialogSupport.h"
#include "DisplayChoices.h"
#include "OptionsHost.h"
#include "Scores.h"
#include "StringRes.h"
#include "ksdialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>

namespace {

QStringList LevelNames() {
    QStringList names;
    for (int32_t level = 0; level <= 4; ++level)
        names << StringRes::LevelName(level);
    return names;
}

void Place(QWidget& Control, const char* Name, int Left, int Top, int Width, int Height) {
    Control.setObjectName(QString::fromLatin1(Name));
    Control.setGeometry(Left, Top, Width, Height);
}

// A check box's text that wraps over lines: a click on it toggles its box.
class TCheckText : public QLabel {
public:
    TCheckText(const QString& Text, QCheckBox* Box, QWidget* Parent)
        : QLabel(Text, Parent), FBox(Box) {
        setWordWrap(true);
        setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }

protected:
    void mouseReleaseEvent(QMouseEvent* Event) override {
        if (Event->button() == Qt::LeftButton && rect().contains(Event->position().toPoint()))
            FBox->toggle();
    }

private:
    QCheckBox* FBox;
};

// The new choices sit below the original controls, in a smaller type so the fumble rule's
// text fits two lines.
constexpr int ChoicesTop = 326;
// The display choices follow, and the dialog ends below them.
constexpr int DisplayTop = 380;
constexpr int FormHeight = DisplayTop + TDisplayChoices::PanelHeight + 6;

} // namespace

TOptionsForm::TOptionsForm(TOptionsHost& Host, QWidget* Parent)
    : QDialog(Parent), FHost(Host),
      FScoringStyle(new TRadioGroup(QStringLiteral("Scoring Style"),
                                    {QStringLiteral("Normal"), QStringLiteral("Las Vegas")}, this)),
      FDeckSize(new TRadioGroup(QStringLiteral("Deck Size"),
                                {QStringLiteral("Single"), QStringLiteral("Double")}, this)),
      FSaveBtn(new QPushButton(QStringLiteral("&Save"), this)),
      FCancelBtn(new QPushButton(QStringLiteral("&Cancel"), this)),
      FComputerLevel(new TRadioGroup(QStringLiteral("Computer"), LevelNames(), this)),
      FShowPlays(new QCheckBox(StringRes::ShowPlaysOption(), this)),
      FFumbleRule(new QCheckBox(this)),
      FFumbleRuleText(new TCheckText(StringRes::FumbleRuleOption(), FFumbleRule, this)),
      FDisplayChoices(new TDisplayChoices(Host.StartedTableSize(), this)) {
    setObjectName(QStringLiteral("OptionsForm"));
    SetUpFixedDialog(*this, QStringLiteral("Options"), 221, FormHeight, false);
    setFont(ComicFont(16));

    Place(*FScoringStyle, "ScoringStyle", 46, 3, 129, 72);
    Place(*FDeckSize, "DeckSize", 46, 82, 129, 72);
    Place(*FSaveBtn, "SaveBtn", 25, 296, 75, 25);
    Place(*FCancelBtn, "CancelBtn", 121, 296, 75, 25);
    Place(*FComputerLevel, "ComputerLevel", 46, 161, 129, 124);
    for (QWidget* w : std::initializer_list<QWidget*>{FShowPlays, FFumbleRule, FFumbleRuleText})
        w->setFont(ComicFont(12));
    Place(*FShowPlays, "ShowPlays", 8, ChoicesTop, 205, 20);
    Place(*FFumbleRule, "FumbleRule", 8, ChoicesTop + 22, 20, 20);
    Place(*FFumbleRuleText, "FumbleRuleText", 28, ChoicesTop + 24, 185, 30);
    FDisplayChoices->move(8, DisplayTop);

    // Tab order: scoring style, deck size, Save, Cancel, computer level.
    QWidget* previous = nullptr;
    const auto chain = [&previous](QWidget* next) {
        if (previous)
            setTabOrder(previous, next);
        previous = next;
    };
    for (TRadioGroup* group : {FScoringStyle, FDeckSize})
        for (int i = 0; i < group->Count(); ++i)
            chain(group->Button(i));
    chain(FSaveBtn);
    chain(FCancelBtn);
    for (int i = 0; i < FComputerLevel->Count(); ++i)
        chain(FComputerLevel->Button(i));
    chain(FShowPlays);
    chain(FFumbleRule);
    chain(FDisplayChoices->TableSize());
    chain(FDisplayChoices->LargeIndices());
    chain(FDisplayChoices->FourColours());

    connect(FSaveBtn, &QPushButton::clicked, this, [this] { SaveBtnClick(); });
    connect(FCancelBtn, &QPushButton::clicked, this, &QDialog::reject);

    FormCreate();
    if (QRadioButton* first = FScoringStyle->Button(std::max(0, FScoringStyle->ItemIndex())))
        first->setFocus();
    CenterOnGameWindow(*this);
}

void TOptionsForm::FormCreate() {
    FNewGameNeeded = false;
    FScoringStyle->SetItemIndex(FHost.Scoring());
    FDeckSize->SetItemIndex(FHost.DeckCount() - 1);
    FComputerLevel->SetItemIndex(FHost.Level());
    FShowPlays->setChecked(FHost.ShowPlays());
    FFumbleRule->setChecked(FHost.FumbleRule());
    FDisplayChoices->SetChoices(FHost.Display());
}

void TOptionsForm::SaveBtnClick() {
    // An unselected group keeps its setting.
    const auto chosen = [](const TRadioGroup& group, int32_t offset, int32_t current) {
        return group.ItemIndex() >= 0 ? int32_t(group.ItemIndex()) + offset : current;
    };
    const int32_t scoring = chosen(*FScoringStyle, 0, FHost.Scoring());
    const int32_t decks = chosen(*FDeckSize, 1, FHost.DeckCount());
    const int32_t level = chosen(*FComputerLevel, 0, FHost.Level());
    const TDisplaySettings display = FDisplayChoices->Choices();
    const bool gameChanged =
        scoring != FHost.Scoring() || decks != FHost.DeckCount() || level != FHost.Level();
    const bool displayChanged = FShowPlays->isChecked() != FHost.ShowPlays() ||
                                FFumbleRule->isChecked() != FHost.FumbleRule() ||
                                display != FHost.Display();
    // Saving what is already set must not cost the game its place in the hall of fame.
    if (!gameChanged && !displayChanged) {
        reject();
        return;
    }

    if ((scoring != FHost.Scoring() || decks != FHost.DeckCount()) && !FHost.NewSession()) {
        if (KsMessageDlg(StringRes::ChangesNeedNewGame(), mtWarning, {mbYes, mbNo}) != mbYes)
            return;
        FHost.SetNewSession(true);
        FNewGameNeeded = true;
    }
    // A won game is offered under the settings it was played with, before they change.
    if (FHost.HumanWon())
        CheckHallOfFame(FHost, this);
    // How plays are shown and the table looks, and the fumble rule, which only handicaps the
    // player, leave a game's chance at the hall of fame alone.
    if (gameChanged)
        FHost.SetFameRecorded(true);
    FHost.SetShowPlays(FShowPlays->isChecked());
    FHost.SetFumbleRule(FFumbleRule->isChecked());
    if (decks != FHost.DeckCount()) {
        FHost.SetDeckCount(decks);
        FHost.SetUpDeckSize();
    }
    FHost.SetScoring(scoring);
    if (level != FHost.Level()) {
        FHost.SetLevel(level);
        FHost.SetTimerInterval(LevelInterval(level));
    }
    if (display != FHost.Display())
        FHost.SetDisplay(display);
    accept();
}

bool RunOptionsDialog(TOptionsHost& Host, QWidget* Parent) {
    TOptionsForm form(Host, Parent);
    TTimerPause pause(Host);
    Dialogs().Exec(form);
    const bool newGame = form.NewGameNeeded();
    pause.SetResume(!newGame && !Host.HumanWon());
    return newGame;
}
