#include "Options.h"

#include "DialogSupport.h"
#include "DisplayChoices.h"
#include "Level.h"
#include "StringRes.h"
#include "ksdialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>
#include <iterator>
#include <utility>

namespace {

// In TLevel's order, so that a button's position is the level's number.
QStringList LevelNames() {
    QStringList names;
    for (const TLevel level : TLevel::All())
        names << level.Name();
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

// The box of added choices spans the dialog below the groups, as far from them as they are
// from each other; the buttons follow it as they followed the groups.
constexpr int ChoicesLeft = 8;
constexpr int ChoicesWidth = 205;
constexpr int ChoicesTop = 161 + 124 + 7;
constexpr int ButtonsGap = 11;
constexpr int BottomMargin = 2;

} // namespace

TOptionsForm::TOptionsForm(const TSettings& Current, const TOptionsGame& Game, QWidget* Parent)
    : QDialog(Parent), FCurrent(Current), FGame(Game),
      FScoringStyle(new TRadioGroup(tr("Scoring Style"), {tr("Normal"), tr("Las Vegas")}, this)),
      FDeckSize(new TRadioGroup(tr("Deck Size"), {tr("Single"), tr("Double")}, this)),
      FSaveBtn(new QPushButton(tr("&Save"), this)),
      FCancelBtn(new QPushButton(tr("&Cancel"), this)),
      FComputerLevel(new TRadioGroup(tr("Computer"), LevelNames(), this)),
      FChoices(new QGroupBox(tr("Play and Table"), this)),
      FShowPlays(new QCheckBox(StringRes::ShowPlaysOption(), FChoices)),
      FPlaySpeedLabel(new QLabel(tr("Speed"), FChoices)), FPlaySpeed(new QComboBox(FChoices)),
      FFumbleRule(new QCheckBox(FChoices)),
      FFumbleRuleText(new TCheckText(StringRes::FumbleRuleOption(), FFumbleRule, FChoices)),
      FDisplayChoices(new TDisplayChoices(FChoices)), FSound(new QCheckBox(tr("Sound"), FChoices)),
      FVolume(new QSlider(Qt::Horizontal, FChoices)) {
    setObjectName(QStringLiteral("OptionsForm"));
    // The height follows from the box of choices below.
    SetUpFixedDialog(*this, tr("Options"), 221, 323, false);
    setFont(ComicFont(16));

    Place(*FScoringStyle, "ScoringStyle", 46, 3, 129, 72);
    Place(*FDeckSize, "DeckSize", 46, 82, 129, 72);
    Place(*FComputerLevel, "ComputerLevel", 46, 161, 129, 124);

    FChoices->setObjectName(QStringLiteral("Choices"));
    FShowPlays->setObjectName(QStringLiteral("ShowPlays"));
    FPlaySpeed->setObjectName(QStringLiteral("PlaySpeed"));
    FPlaySpeed->addItems({tr("Fast"), tr("Normal"), tr("Slow")});
    // Off is the box unchecked; a speed means something only while the plays are shown.
    FPlaySpeedLabel->setBuddy(FPlaySpeed);
    connect(FShowPlays, &QCheckBox::toggled, FPlaySpeed, &QWidget::setEnabled);
    connect(FShowPlays, &QCheckBox::toggled, FPlaySpeedLabel, &QWidget::setEnabled);
    FFumbleRule->setObjectName(QStringLiteral("FumbleRule"));
    FFumbleRuleText->setObjectName(QStringLiteral("FumbleRuleText"));
    auto* choices = new QVBoxLayout(FChoices);
    choices->addWidget(FShowPlays);
    // The speed under Show plays, its label where the box's text begins.
    auto* speed = new QHBoxLayout;
    speed->addSpacing(
        FShowPlays->style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, FShowPlays) +
        FShowPlays->style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, FShowPlays));
    speed->addWidget(FPlaySpeedLabel);
    speed->addWidget(FPlaySpeed, 1);
    choices->addLayout(speed);
    // The fumble rule's box stands where the other boxes stand, its text wraps where theirs
    // begins, and the box is centred on the text's first line.
    auto* fumble = new QHBoxLayout;
    fumble->setSpacing(0);
    fumble->addWidget(FFumbleRule, 0, Qt::AlignTop);
    fumble->addWidget(FFumbleRuleText, 1);
    choices->addLayout(fumble);
    choices->addWidget(FDisplayChoices);
    FSound->setObjectName(QStringLiteral("Sound"));
    FVolume->setObjectName(QStringLiteral("Volume"));
    FVolume->setRange(0, 100);
    FVolume->setPageStep(10);
    FVolume->setAccessibleName(tr("Volume"));
    FVolume->setToolTip(tr("Volume"));
    connect(FSound, &QCheckBox::toggled, FVolume, &QWidget::setEnabled);
    auto* sound = new QHBoxLayout;
    sound->addWidget(FSound);
    sound->addWidget(FVolume, 1);
    choices->addLayout(sound);
    FChoices->ensurePolished();
    const QStyle& style = *FShowPlays->style();
    FFumbleRule->setFixedSize(
        style.pixelMetric(QStyle::PM_IndicatorWidth, nullptr, FShowPlays) +
            style.pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, FShowPlays),
        FFumbleRuleText->fontMetrics().height());
    FChoices->setGeometry(ChoicesLeft, ChoicesTop, ChoicesWidth,
                          FChoices->hasHeightForWidth() ? FChoices->heightForWidth(ChoicesWidth)
                                                        : FChoices->sizeHint().height());

    const int buttonsTop = FChoices->geometry().bottom() + 1 + ButtonsGap;
    // A longer caption in another language widens its button about the same centre.
    const auto placeButton = [&](QPushButton& Button, const char* Name, int Left) {
        QString caption = Button.text();
        caption.remove(u'&');
        const int width = std::max(75, Button.fontMetrics().horizontalAdvance(caption) + 8);
        Place(Button, Name, Left - (width - 75) / 2, buttonsTop, width, 25);
    };
    placeButton(*FSaveBtn, "SaveBtn", 25);
    placeButton(*FCancelBtn, "CancelBtn", 121);
    setFixedSize(221, buttonsTop + 25 + BottomMargin);

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
    chain(FPlaySpeed);
    chain(FFumbleRule);
    chain(FDisplayChoices->TableSize());
    chain(FDisplayChoices->LargeIndices());
    chain(FDisplayChoices->FourColours());
    chain(FSound);
    chain(FVolume);

    connect(FSaveBtn, &QPushButton::clicked, this, [this] { SaveBtnClick(); });
    connect(FCancelBtn, &QPushButton::clicked, this, &QDialog::reject);

    FormCreate();
    if (QRadioButton* first = FScoringStyle->Button(std::max(0, FScoringStyle->ItemIndex())))
        first->setFocus();
    CenterOnGameWindow(*this);
}

void TOptionsForm::FormCreate() {
    FResult = {};
    FScoringStyle->SetItemIndex(FCurrent.Scoring);
    FDeckSize->SetItemIndex(FCurrent.DeckCount - 1);
    FComputerLevel->SetItemIndex(FCurrent.Level);
    FShowPlays->setChecked(FCurrent.ShowPlays);
    FPlaySpeed->setEnabled(FCurrent.ShowPlays);
    FPlaySpeedLabel->setEnabled(FCurrent.ShowPlays);
    FPlaySpeed->setCurrentIndex(
        int(std::find(std::begin(PlaySpeeds), std::end(PlaySpeeds), FCurrent.PlaySpeed) -
            std::begin(PlaySpeeds)) %
        int(std::size(PlaySpeeds)));
    FFumbleRule->setChecked(FCurrent.FumbleRule);
    FDisplayChoices->SetChoices(FCurrent.Display);
    FSound->setChecked(FCurrent.Sound);
    FVolume->setValue(FCurrent.SoundVolume);
    FVolume->setEnabled(FCurrent.Sound);
}

void TOptionsForm::SaveBtnClick() {
    // An unselected group keeps its setting.
    const auto chosen = [](const TRadioGroup& group, int32_t offset, int32_t current) {
        return group.ItemIndex() >= 0 ? int32_t(group.ItemIndex()) + offset : current;
    };
    TSettings settings = FCurrent;
    settings.Scoring = chosen(*FScoringStyle, 0, FCurrent.Scoring);
    settings.DeckCount = chosen(*FDeckSize, 1, FCurrent.DeckCount);
    settings.Level = chosen(*FComputerLevel, 0, FCurrent.Level);
    settings.ShowPlays = FShowPlays->isChecked();
    if (const int speed = FPlaySpeed->currentIndex();
        speed >= 0 && speed < int(std::size(PlaySpeeds)))
        settings.PlaySpeed = PlaySpeeds[speed];
    settings.FumbleRule = FFumbleRule->isChecked();
    settings.Display = FDisplayChoices->Choices();
    settings.Sound = FSound->isChecked();
    settings.SoundVolume = FVolume->value();
    // Saving what is already set must not cost the game its place in the hall of fame.
    if (settings == FCurrent) {
        reject();
        return;
    }

    const bool newGameNeeded =
        (settings.Scoring != FCurrent.Scoring || settings.DeckCount != FCurrent.DeckCount) &&
        !FGame.NewSession;
    if (newGameNeeded &&
        KsMessageDlg(StringRes::ChangesNeedNewGame(), mtWarning, {mbYes, mbNo}) != mbYes)
        return;
    // A won game is offered under the settings it was played with, before they change.
    if (FGame.HumanWon && OfferWonGame)
        OfferWonGame(this);
    FResult = {true, settings, newGameNeeded};
    accept();
}

TOptionsResult RunOptionsDialog(const TSettings& Current, const TOptionsGame& Game,
                                std::function<void(QWidget*)> OfferWonGame, QWidget* Parent) {
    TOptionsForm form(Current, Game, Parent);
    form.OfferWonGame = std::move(OfferWonGame);
    Dialogs().Exec(form);
    return form.Result();
}
