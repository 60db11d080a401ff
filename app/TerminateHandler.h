#pragma once
// Turns SIGTERM and SIGHUP (log-out, shut-down, `kill`) into an ordinary close of the main
// window, so the settings and the hall of fame are written as on any other close.

#include <QObject>

class QWidget;

class TTerminateHandler : public QObject {
    Q_OBJECT
public:
    explicit TTerminateHandler(QWidget& MainWindow);
    ~TTerminateHandler() override;

private:
    QWidget& FMainWindow;
};
