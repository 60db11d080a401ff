#pragma once
// Dragging one of the human's face-up cards to the central pile of the player's choice. The
// card follows the pointer as a plain child of the window, the pile under it is ringed while
// it would take the card, and a card that is not taken flies back to its slot. Nothing here
// holds the game up: the computer plays on during a drag, and a drop is judged against the
// piles as they are when it is released.

#include <QElapsedTimer>
#include <QObject>
#include <QPoint>
#include <QRect>
#include <QTimer>
#include <cstdint>
#include <functional>

class QWidget;
class TMainForm;
struct TGameEvent;

class TCardDrag : public QObject {
    Q_OBJECT
public:
    // Form owns the drag; it watches the form's four human slots.
    explicit TCardDrag(TMainForm& Form);
    ~TCardDrag() override;

    // The pointer's path in form coordinates, as the slots' mouse events give it. Press on
    // Slot starts nothing yet; a move past the drag distance lifts the card when the game
    // lets it go. Release returns true when the drag laid the card.
    void Press(int Slot, QPoint At);
    void Move(QPoint At);
    bool Release(QPoint At);
    // Drops the drag at once, the card back in its slot with no flight.
    void Cancel();

    bool Dragging() const { return FDragging; }
    bool FlyingBack() const { return FBackStart >= 0; }
    // The slot whose card is lifted or flying back; -1 otherwise.
    int Slot() const { return FSlot; }
    // The pile (1 or 2) under the card that would take it; 0 for none.
    int Target() const { return FTarget; }
    // The card under the pointer, the ring round the pile and the cover over the emptied slot;
    // children of the form.
    QWidget* Card() const { return FCard; }
    QWidget* Ring() const { return FRing; }
    QWidget* Cover() const { return FCover; }

    // Milliseconds on a monotonic clock; tests replace it to step through the flight back.
    std::function<int64_t()> Clock;
    // Draws the flight back for the clock's time now; its frame timer calls it.
    void Frame();

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    void Lift();
    void Heard(const TGameEvent& Event);
    // The pile (1 or 2) the card at Card with the pointer at At is dropped on, or 0.
    int PileUnder(QPoint At, const QRect& Card) const;
    QRect PileRect(int Table) const;
    QRect SlotRect() const;
    void ShowTarget();
    void FlyBack();
    void End();

    TMainForm& FForm;
    QWidget* FCard;
    QWidget* FRing;
    QWidget* FCover;
    QTimer FFrameTimer;
    QElapsedTimer FElapsed;
    int FSlot = -1;
    int32_t FCardID = 0; // the lifted card; another in its slot means it was laid otherwise
    QPoint FPressAt;
    QPoint FGrab; // the pointer's place on the card
    bool FPressed = false;
    bool FDragging = false;
    int FTarget = 0;
    int FRefusals = 0; // the player's plays refused so far
    int64_t FBackStart = -1;
    QPoint FBackFrom;
};
