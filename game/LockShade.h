#pragma once
// The fumble rule's lock as the player sees it: the human's four cards dimmed, and a thin bar
// under them running down to the moment the cards can be played again.

#include <QRect>
#include <QTimer>
#include <QWidget>
#include <array>

class TFumbleLock;

class TLockShade : public QWidget {
    Q_OBJECT
public:
    static constexpr int BarHeight = 3;
    static constexpr int BarGap = 3; // between the cards and the bar

    // Cards are the human's slots in Form's coordinates; Lock's clock drives the drawing.
    TLockShade(QWidget* Form, const TFumbleLock& Lock, const std::array<QRect, 4>& Cards);

    // "Show plays": without it nothing is drawn.
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);

    // Draws the lock for its clock now: shown while it holds, gone once it is over.
    void Frame();

protected:
    void paintEvent(QPaintEvent* Event) override;

private:
    const TFumbleLock& FLock;
    std::array<QRect, 4> FCards; // in this widget's coordinates
    QTimer FFrameTimer;
    bool FEnabled = true;
};
