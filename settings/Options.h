#pragma once
// The options dialog: scoring style, deck size and computer level, below them one box with
// how plays are shown, the fumble rule and the display choices, and Save and Cancel at the
// bottom.

#include <QDialog>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class TDisplayChoices;
class TOptionsHost;
class TRadioGroup;

class TOptionsForm : public QDialog {
    Q_OBJECT
public:
    explicit TOptionsForm(TOptionsHost& Host, QWidget* Parent = nullptr);

    // Shows the host's current settings.
    void FormCreate();
    // Takes the selected settings; asks first when they need a new game and one has been
    // dealt, and stays open when the player declines.
    void SaveBtnClick();
    // The saved changes need a new deal.
    bool NewGameNeeded() const { return FNewGameNeeded; }

    TRadioGroup* ScoringStyle() const { return FScoringStyle; }
    TRadioGroup* DeckSize() const { return FDeckSize; }
    TRadioGroup* ComputerLevel() const { return FComputerLevel; }
    QPushButton* SaveBtn() const { return FSaveBtn; }
    QPushButton* CancelBtn() const { return FCancelBtn; }
    // The box of the choices added below the three groups.
    QGroupBox* Choices() const { return FChoices; }
    QCheckBox* ShowPlays() const { return FShowPlays; }
    QCheckBox* FumbleRule() const { return FFumbleRule; }
    // The fumble rule's text, which wraps; a click on it toggles the box.
    QLabel* FumbleRuleText() const { return FFumbleRuleText; }
    TDisplayChoices* DisplayChoices() const { return FDisplayChoices; }

private:
    TOptionsHost& FHost;
    bool FNewGameNeeded = false;
    // Children of the form.
    TRadioGroup* FScoringStyle;
    TRadioGroup* FDeckSize;
    QPushButton* FSaveBtn;
    QPushButton* FCancelBtn;
    TRadioGroup* FComputerLevel;
    QGroupBox* FChoices;
    QCheckBox* FShowPlays;
    QCheckBox* FFumbleRule;
    QLabel* FFumbleRuleText;
    TDisplayChoices* FDisplayChoices;
};

// Shows the options dialog with the host's timer stopped; true when the saved changes need a
// new deal. The timer runs on afterwards only if it was running, no new deal follows and the
// human has not just won.
bool RunOptionsDialog(TOptionsHost& Host, QWidget* Parent = nullptr);
