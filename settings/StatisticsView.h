#pragma once
// The statistics page of the scores dialog: the counters of the current combination first,
// then the others, and a button that clears them all after asking.

#include <QWidget>

class QListWidget;
class QPushButton;
class TOptionsHost;

class TStatisticsView : public QWidget {
    Q_OBJECT
public:
    // Width x Height of the page; it lies below the hall of fame when shown.
    static constexpr int Width = 407;
    static constexpr int Height = 290;

    TStatisticsView(TOptionsHost& Host, QWidget* Parent);

    // Lists the host's statistics as they are now.
    void Fill();
    // Asks, then clears the statistics of every combination, here and in the file at close.
    void ResetBtnClick();

    QListWidget* List() const { return FList; }
    QPushButton* ResetBtn() const { return FResetBtn; }

private:
    TOptionsHost& FHost;
    // Children of the page.
    QListWidget* FList;
    QPushButton* FResetBtn;
};
