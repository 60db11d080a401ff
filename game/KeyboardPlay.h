#pragma once
// Play by keyboard alone: the arrow keys move a focus over the human's four cards, Space or
// Enter lays the focused card (with Shift on the other pile), Tab reaches the buttons. Space
// and Enter never deal: the Deal button ignores them, and so does the question after a game.

#include <QObject>
#include <QPointer>
#include <QWidget>

class QKeyEvent;
class TMainForm;

// The mark around the focused card: nothing is drawn until an arrow key is first pressed.
class TFocusMark : public QWidget {
    Q_OBJECT
public:
    explicit TFocusMark(QWidget* Parent);

protected:
    void paintEvent(QPaintEvent* Event) override;
};

class TKeyboardPlay : public QObject {
    Q_OBJECT
public:
    explicit TKeyboardPlay(TMainForm& Form);
    ~TKeyboardPlay() override;

    // The focused slot (0 to 3), or -1 until an arrow key is pressed.
    int FocusedSlot() const { return FSlot; }
    TFocusMark* Mark() const { return FMark; }

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    void MoveFocus(int Step);
    void ShowMark();
    bool FormKey(QKeyEvent& Key);

    TMainForm& FForm;
    TFocusMark* FMark;
    int FSlot = -1;
    // The question after a decision: coming once the game is decided, then its message box.
    bool FQuestionComing = false;
    QPointer<QWidget> FQuestion;
};

// Sets the window up for keyboard play; called once from the window's start-up.
void SetUpKeyboardPlay(TMainForm& Form);
