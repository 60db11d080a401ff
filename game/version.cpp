#include "version.h"

QString TolviVersion() {
    return QStringLiteral(TOLVI_VERSION);
}
