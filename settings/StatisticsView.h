#pragma once
// The statistics page of the scores dialog: the counters of the current combination first,
// then the others, and a button that clears them all after asking.

#include "Combination.h"

#include <QWidget>

class QListWidget;
class QPushButton;
struct TRecords;

class TStatisticsView : public QWidget {
    Q_OBJECT
public:
    // Width x Height of the page; it lies below the hall of fame when shown.
    static constexpr int Width = 407;
    static constexpr int Height = 290;

    // Current: the combination listed first.
    TStatisticsView(TRecords& Records, const TCombination& Current, QWidget* Parent);

    // Lists the statistics as they are now.
    void Fill();
    // Asks, then clears the statistics of every combination, here and in the file at close.
    void ResetBtnClick();

    QListWidget* List() const { return FList; }
    QPushButton* ResetBtn() const { return FResetBtn; }

private:
    TRecords& FRecords;
    TCombination FCurrent;
    // Children of the page.
    QListWidget* FList;
    QPushButton* FResetBtn;
};
