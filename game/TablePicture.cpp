#include "TablePicture.h"

#include "TableZoom.h"
#include "ksdensity.h"

#include <QEvent>

// The picture is read when the label first shows: a wait sign stays hidden through most games.
TTablePicture::TTablePicture(const QString& Name, QWidget* Parent) : QLabel(Parent), FName(Name) {}

void TTablePicture::Load() {
    // Zoomed, the picture is drawn from the art for the zoomed density, filling the label.
    const qreal zoom = TableZoom(this);
    FRatio = devicePixelRatioF() * zoom;
    setScaledContents(zoom != 1);
    setPixmap(QPixmap::fromImage(KsDensityPicture(FName, FRatio)));
}

bool TTablePicture::event(QEvent* Event) {
    if ((Event->type() == QEvent::Show && FRatio == 0) ||
        (Event->type() == QEvent::ScreenChangeInternal && FRatio != 0 &&
         !qFuzzyCompare(FRatio, devicePixelRatioF() * TableZoom(this))))
        Load();
    return QLabel::event(Event);
}

void TTablePicture::paintEvent(QPaintEvent* Event) {
    // While the zoom has not rested, the picture it has is stretched to the label.
    if (FRatio == 0) {
        Load(); // drawn without being shown, as by a grab
    } else if (const qreal ratio = devicePixelRatioF() * TableZoom(this);
               !qFuzzyCompare(FRatio, ratio)) {
        if (FSettle.Wait(ratio))
            setScaledContents(true);
        else
            Load();
    }
    QLabel::paintEvent(Event);
}
