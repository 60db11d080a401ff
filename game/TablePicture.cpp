#include "TablePicture.h"

#include "ksdensity.h"

#include <QEvent>

TTablePicture::TTablePicture(const QString& Name, QWidget* Parent) : QLabel(Parent), FName(Name) {
    Load();
}

void TTablePicture::Load() {
    FRatio = devicePixelRatioF();
    setPixmap(QPixmap::fromImage(KsDensityPicture(FName, FRatio)));
}

bool TTablePicture::event(QEvent* Event) {
    if (Event->type() == QEvent::ScreenChangeInternal &&
        !qFuzzyCompare(FRatio, devicePixelRatioF()))
        Load();
    return QLabel::event(Event);
}

void TTablePicture::paintEvent(QPaintEvent* Event) {
    if (!qFuzzyCompare(FRatio, devicePixelRatioF()))
        Load();
    QLabel::paintEvent(Event);
}
