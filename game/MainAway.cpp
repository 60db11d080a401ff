// The computer waits while the player is away from the table.

#include "HelpWindow.h"
#include "Main.h"

#include <QApplication>
#include <QWindow>

void TMainForm::WatchPlayerAway() {
    connect(qApp, &QGuiApplication::focusWindowChanged, this, [this] { UpdatePlayerAway(); });
}

void TMainForm::changeEvent(QEvent* Event) {
    QWidget::changeEvent(Event);
    if (Event->type() == QEvent::WindowStateChange)
        UpdatePlayerAway();
}

void TMainForm::StartComputer() {
    // A deal, turn-over or dialog that ends while the player is away leaves the computer
    // waiting until the player is back.
    if (FPlayerAway)
        FTimerStoppedAway = true;
    else
        FOpponent->Start();
}

void TMainForm::UpdatePlayerAway() {
    const QWidget* help = ShownHelpWindow();
    const QWindow* focus = QGuiApplication::focusWindow();
    const bool away = isMinimized() || (help && focus && help->windowHandle() == focus);
    if (away == FPlayerAway)
        return;
    FPlayerAway = away;
    if (away) {
        FTimerStoppedAway = FOpponent->Running();
        FOpponent->Stop();
    } else if (FTimerStoppedAway) {
        // Back as after Options: the computer plays on if the game still runs.
        FTimerStoppedAway = false;
        SetTimerEnabled(true);
    }
}
