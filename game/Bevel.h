#pragma once
// The sunken box round a card's place on the table. It draws nothing but its frame lines,
// through the style once for all the table's boxes and copied after that: a card flying across
// a place repaints its box at every frame, the first frame in the larger sizes draws ten boxes,
// and the style's lines cost far more than a copy.

#include <QFrame>

class TBevel : public QFrame {
public:
    explicit TBevel(QWidget* Parent);

protected:
    void paintEvent(QPaintEvent* Event) override;
};
