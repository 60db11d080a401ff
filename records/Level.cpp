#include "Level.h"

#include "StringRes.h"

QString TLevel::Name() const {
    return StringRes::LevelName(FIndex);
}

QString TLevel::SectionSuffix() const {
    return QStringLiteral(" - ") + StringRes::LevelFileName(FIndex);
}

QString TLevel::ShownSectionSuffix() const {
    return QStringLiteral(" - ") + Name();
}
