// The human's score.

#include "Main.h"

#include <QLabel>

void TMainForm::UpdateScoreLabel() {
    ++FGameScore;
    ScoreLabel->setText(QString::number(FGameScore));
    ShowCardsToGo();
}

int32_t TMainForm::LevelBonus(int32_t Level) {
    switch (Level) {
    case 0:
        return 500;
    case 1:
        return 400;
    case 2:
        return 300;
    case 3:
        return 200;
    case 4:
        return 100;
    default:
        return 0;
    }
}
