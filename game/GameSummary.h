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
};

class TGameSummary : public QWidget {
    Q_OBJECT
public:
    explicit TGameSummary(QWidget* Parent);

    const TGameBreakdown& Breakdown() const { return FBreakdown; }
    void SetBreakdown(const TGameBreakdown& Value);
    // The title, then each line's caption and value, as drawn.
    QString Title() const;
    QList<QPair<QString, QString>> Lines() const;
    // The title's type: bold 15 pixels, smaller when the title would not fit otherwise.
    QFont TitleFont() const;
    // Milliseconds as minutes and seconds ("2:05"), with hours when there are any.
    static QString FormatTime(int64_t Milliseconds);

protected:
    void paintEvent(QPaintEvent* Event) override;

private:
    TGameBreakdown FBreakdown;
};
