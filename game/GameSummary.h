#pragma once
// The breakdown of a decided game on a felt panel, shown while the player is asked whether to
// play again.

#include <QFont>
#include <QList>
#include <QPair>
#include <QString>
#include <QWidget>
#include <cstdint>

struct TGameBreakdown {
    QString Winner; // as the question names it
    int32_t CardsLaid = 0;
    int32_t Passes = 0; // turn-over passes
    int32_t LevelBonus = 0;
    int32_t CardsBonus = 0;
    int64_t Milliseconds = 0; // from the confirmed deal to the decision
    int32_t Score = 0;
    bool NamedWinner = false; // Winner is a player's name, not "You" or "The Computer"
    // The player won: the bonuses and the point the win scores as a play does.
    bool Won = false;
    // Las Vegas: the total the deal started from and the stake it cost.
    bool LasVegas = false;
    int32_t CarriedOver = 0;
    int32_t Stake = 0;
    // A win that does not enter the hall of fame (a chosen deal, or a Las Vegas total that
    // holds one).
    bool OutOfHallOfFame = false;
};

class TGameSummary : public QWidget {
    Q_OBJECT
public:
    explicit TGameSummary(QWidget* Parent);

    const TGameBreakdown& Breakdown() const { return FBreakdown; }
    void SetBreakdown(const TGameBreakdown& Value);
    // The title, then each line's caption and value, as drawn: the parts the score is made
    // of, which add up to it, then the score and the time.
    QString Title() const;
    QList<QPair<QString, QString>> Parts() const;
    QList<QPair<QString, QString>> Lines() const;
    // Beside the lines: that the win does not enter the hall of fame, or nothing.
    QString Note() const;
    // The title's type: bold 15 pixels, smaller when the title would not fit otherwise.
    QFont TitleFont() const;
    // Width of the column of lines; the time and the note stand in a column right of it, a
    // gutter away.
    static constexpr int LinesWidth = 152;
    static constexpr int Gutter = 14;
    // Height of one line: less than at most, when many lines share the panel.
    int LineHeight() const;
    // Milliseconds as minutes and seconds ("2:05"), with hours when there are any.
    static QString FormatTime(int64_t Milliseconds);

protected:
    void paintEvent(QPaintEvent* Event) override;

private:
    TGameBreakdown FBreakdown;
};
