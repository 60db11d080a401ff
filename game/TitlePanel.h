#pragma once
// The decorative panel along the left edge of the main window: the title picture drawn at build
// time, and the version.

#include "TableZoom.h"

#include <QImage>
#include <QWidget>

class TTitlePanel : public QWidget {
    Q_OBJECT
public:
    explicit TTitlePanel(QWidget* Parent);

protected:
    void paintEvent(QPaintEvent* Event) override;

private:
    QImage FPicture;
    TZoomSettle FSettle{*this};
};
