#pragma once
// A picture on the table (the ring under a central pile, the wait sign) drawn from the art for
// the density of the screen the window is on, and drawn again when that changes.

#include "TableZoom.h"

#include <QLabel>
#include <QString>

class TTablePicture : public QLabel {
    Q_OBJECT
public:
    TTablePicture(const QString& Name, QWidget* Parent);

protected:
    bool event(QEvent* Event) override;
    void paintEvent(QPaintEvent* Event) override;

private:
    void Load();

    QString FName;
    qreal FRatio = 0;
    TZoomSettle FSettle{*this};
};
