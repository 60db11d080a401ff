#pragma once
// The sunken box round a card's place on the table. It draws nothing but its frame lines,
// through the style once and copied after that: a card flying across the place repaints the
// box at every frame, and the style's lines cost far more than a copy.

#include <QFrame>

class TBevel : public QFrame {
public:
    explicit TBevel(QWidget* Parent);

protected:
    void paintEvent(QPaintEvent* Event) override;
};
