#pragma once
// The hall-of-fame dialog, and the entry of a new score into the hall of fame.

#include "Combination.h"

#include <QDialog>

class QLabel;
class QListWidget;
class QPushButton;
class TStatisticsView;
struct TRecords;

class TScoreForm : public QDialog {
    Q_OBJECT
public:
    explicit TScoreForm(QWidget* Parent = nullptr);

    QLabel* Label1() const { return FLabel1; }
    QListWidget* List() const { return FList; }
    QPushButton* Button1() const { return FButton1; }

    // Adds the button that shows the statistics of Records below the hall of fame, Current
    // first; the dialog grows by their page while they show and the hall of fame stays where
    // it is.
    void AddStatistics(TRecords& Records, const TCombination& Current);
    void ShowStatistics(bool Show);
    QPushButton* StatsBtn() const { return FStatsBtn; }
    TStatisticsView* Statistics() const { return FStatistics; }
    // Marks the table whose section name is on line Row and scrolls it to the top of the list
    // (as near as the end of the list allows); -1 marks none.
    int MarkedSection() const { return FMarked; }
    void SetMarkedSection(int Row);

protected:
    void showEvent(QShowEvent* Event) override;

private:
    void ScrollToMarked();

    int FMarked = -1;
    // Children of the form.
    QLabel* FLabel1;
    QListWidget* FList;
    QPushButton* FButton1;
    QPushButton* FStatsBtn = nullptr;
    TStatisticsView* FStatistics = nullptr;
};

// Offers Score to the hall of fame of its combination: a score above 0 that beats a stored one
// (an equal one goes below it) takes that place, and the player is asked for a name. True
// when the score was entered, with the number of the Deal it was won on.
bool CheckHallOfFame(TRecords& Records, const TCombination& Combination, int32_t Score,
                     QWidget* Parent = nullptr, int32_t Deal = 0);

// Shows the whole hall of fame with the table of Current marked.
void ShowHallOfFame(TRecords& Records, const TCombination& Current, QWidget* Parent = nullptr);
