// The human's score.

#include "Level.h"
#include "Main.h"

#include <QLabel>
#include <algorithm>
#include <cmath>

void TMainForm::UpdateScoreLabel() {
    ScoreLabel->setText(QString::number(FGame.Score()));
    PlaceScoreLabel();
}

void TMainForm::PlaceScoreLabel() {
    constexpr int Top = 208;
    constexpr int Height = 13;
    constexpr int CaptionWidth = 35;
    constexpr int CaptionToScore = 34;
    constexpr int TableRight = 556; // the computer's table ends left of this
    const int right = TableWidth - 2;
    // Four characters always fit the stored place, which spares measuring the text.
    const QString text = ScoreLabel->text();
    const int textWidth =
        text.size() <= 4
            ? 0
            : int(std::ceil(ScoreLabel->fontMetrics().horizontalAdvance(text) / FZoom)) + 1;
    if (textWidth <= 30) {
        PlaceInTable(Label9, QRect(565, Top, CaptionWidth, Height));
        PlaceInTable(ScoreLabel, QRect(599, Top, 30, Height));
    } else if (right - textWidth - CaptionToScore >= TableRight) {
        // Both move left, so the score ends at the window's edge.
        const int left = right - textWidth;
        PlaceInTable(Label9, QRect(left - CaptionToScore, Top, CaptionWidth, Height));
        PlaceInTable(ScoreLabel, QRect(left, Top, textWidth, Height));
    } else {
        // Longer still: on the line below, between the table and the edge.
        PlaceInTable(Label9, QRect(565, Top, CaptionWidth, Height));
        const int w = std::min(textWidth, right - TableRight);
        PlaceInTable(ScoreLabel, QRect(right - w, Top + Height, w, Height));
    }
}

int32_t TMainForm::DealLevelBonus() const {
    // Two people play by one rule: the computer's level is neither's.
    return FDealtHeadToHead ? 0 : LevelBonus(FLevel);
}

int32_t TMainForm::LevelBonus(int32_t Level) {
    const std::optional<TLevel> level = TLevel::Of(Level);
    return level ? level->Bonus() : 0; // a number that is no level earns none
}
