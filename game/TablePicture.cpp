#include "TablePicture.h"

#include "TableZoom.h"
#include "ksdensity.h"

#include <QEvent>

TTablePicture::TTablePicture(const QString& Name, QWidget* Parent) : QLabel(Parent), FName(Name) {
    Load();
}

void TTablePicture::Load() {
    // Zoomed, the picture is drawn from the art for the zoomed density, filling the label.
    const qreal zoom = TableZoom(this);
    FRatio = devicePixelRatioF() * zoom;
    setScaledContents(zoom != 1);
    setPixmap(QPixmap::fromImage(KsDensityPicture(FName, FRatio)));
}

bool TTablePicture::event(QEvent* Event) {
    if (Event->type() == QEvent::ScreenChangeInternal &&
        !qFuzzyCompare(FRatio, devicePixelRatioF() * TableZoom(this)))
        Load();
    return QLabel::event(Event);
}

void TTablePicture::paintEvent(QPaintEvent* Event) {
    if (!qFuzzyCompare(FRatio, devicePixelRatioF() * TableZoom(this)))
        Load();
    QLabel::paintEvent(Event);
}
