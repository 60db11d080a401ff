#include "kspersistent.h"

void TKsPersistent::AssignError(const TKsPersistent* Source) const {
    const QString sourceName = Source ? Source->ClassName() : QStringLiteral("nil");
    throw EKsConvertError(
        QStringLiteral("Cannot assign a %1 to a %2").arg(sourceName, ClassName()).toStdString());
}
