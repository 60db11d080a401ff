#pragma once
// The options dialog: scoring style, deck size and computer level, below them one box with
// how plays are shown, the fumble rule and the display choices, and Save and Cancel at the
// bottom.

#include "Settings.h"

#include <QDialog>
#include <functional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QSlider;
class TDisplayChoices;
class TRadioGroup;

// What the dialog needs to know of the game besides the settings.
struct TOptionsGame {
    // No game dealt since start-up or since the last confirmed change of style or deck size.
    bool NewSession = true;
    bool HumanWon = false;
};

// What the dialog returns; the window applies it.
struct TOptionsResult {
    // Saved with a change; otherwise nothing changes.
    bool Saved = false;
    TSettings Settings;
    // The player agreed to a new game: the change starts a new session and a new deal.
    bool NewGameNeeded = false;
};

// The scoring style, deck size or level changed: the game in progress no longer counts for
// the hall of fame. How plays are shown and the table looks, and the fumble rule, which only
// handicaps the player, leave its chance alone.
constexpr bool GameChanged(const TSettings& Before, const TSettings& After) {
    return Before.Combination() != After.Combination();
}

class TOptionsForm : public QDialog {
    Q_OBJECT
public:
    TOptionsForm(const TSettings& Current, const TOptionsGame& Game, QWidget* Parent = nullptr);

    // Shows the current settings.
    void FormCreate();
    // Takes the selected settings; asks first when they need a new game and one has been
    // dealt, and stays open when the player declines.
    void SaveBtnClick();
    // The saved changes need a new deal.
    bool NewGameNeeded() const { return FResult.NewGameNeeded; }
    const TOptionsResult& Result() const { return FResult; }

    // After a won game, on Save and before the settings change: the window offers the game
    // to the hall of fame under the settings it was played with (Parent: this dialog).
    std::function<void(QWidget* Parent)> OfferWonGame;

    TRadioGroup* ScoringStyle() const { return FScoringStyle; }
    TRadioGroup* DeckSize() const { return FDeckSize; }
    TRadioGroup* ComputerLevel() const { return FComputerLevel; }
    QPushButton* SaveBtn() const { return FSaveBtn; }
    QPushButton* CancelBtn() const { return FCancelBtn; }
    // The box of the choices added below the three groups.
    QGroupBox* Choices() const { return FChoices; }
    QCheckBox* ShowPlays() const { return FShowPlays; }
    // Fast, Normal or Slow, under Show plays.
    QComboBox* PlaySpeed() const { return FPlaySpeed; }
    QCheckBox* FumbleRule() const { return FFumbleRule; }
    // The fumble rule's text, which wraps; a click on it toggles the box.
    QLabel* FumbleRuleText() const { return FFumbleRuleText; }
    TDisplayChoices* DisplayChoices() const { return FDisplayChoices; }
    QCheckBox* Sound() const { return FSound; }
    QSlider* Volume() const { return FVolume; }

private:
    TSettings FCurrent;
    TOptionsGame FGame;
    TOptionsResult FResult;
    // Children of the form.
    TRadioGroup* FScoringStyle;
    TRadioGroup* FDeckSize;
    QPushButton* FSaveBtn;
    QPushButton* FCancelBtn;
    TRadioGroup* FComputerLevel;
    QGroupBox* FChoices;
    QCheckBox* FShowPlays;
    QLabel* FPlaySpeedLabel;
    QComboBox* FPlaySpeed;
    QCheckBox* FFumbleRule;
    QLabel* FFumbleRuleText;
    TDisplayChoices* FDisplayChoices;
    QCheckBox* FSound;
    QSlider* FVolume;
};

// Shows the options dialog for Current; OfferWonGame becomes the dialog's event.
TOptionsResult RunOptionsDialog(const TSettings& Current, const TOptionsGame& Game,
                                std::function<void(QWidget*)> OfferWonGame,
                                QWidget* Parent = nullptr);
