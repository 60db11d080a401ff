#include "Translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <memory>

namespace {

// Owned here for the program's life: the application keeps only pointers.
std::unique_ptr<QTranslator> gOwn;
std::unique_ptr<QTranslator> gQt;
QString gLanguage;

void Remove(QCoreApplication& App) {
    for (std::unique_ptr<QTranslator>* t : {&gOwn, &gQt})
        if (*t) {
            App.removeTranslator(t->get());
            t->reset();
        }
    gLanguage.clear();
}

} // namespace

QString LoadLanguage(QCoreApplication& App, const QString& Language) {
    Remove(App);
    if (Language.isEmpty())
        return {};
    auto own = std::make_unique<QTranslator>();
    if (!own->load(QStringLiteral(":/i18n/tolvi_") + Language))
        return {};
    App.installTranslator(own.get());
    gOwn = std::move(own);
    // Qt's own buttons (Yes, No, Cancel) only when the program speaks the language too.
    auto qt = std::make_unique<QTranslator>();
    if (qt->load(QStringLiteral("qtbase_") + Language,
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        App.installTranslator(qt.get());
        gQt = std::move(qt);
    }
    gLanguage = Language;
    return gLanguage;
}

QString LoadTranslations(QCoreApplication& App) {
    // The first of the player's languages the program has; English texts need none.
    for (const QString& ui : QLocale::system().uiLanguages()) {
        const QString language = ui.section(u'-', 0, 0).section(u'_', 0, 0).toLower();
        if (language == u"en" || language == u"c")
            break;
        if (!LoadLanguage(App, language).isEmpty())
            return gLanguage;
    }
    return {};
}

QString CurrentLanguage() {
    return gLanguage;
}

QString TranslatedHelpFile(const QString& HelpFile) {
    if (gLanguage.isEmpty())
        return HelpFile;
    const QFileInfo base(HelpFile);
    const QString translated =
        base.dir().filePath(base.completeBaseName() + u'.' + gLanguage + u'.' + base.suffix());
    return QFileInfo::exists(translated) ? translated : HelpFile;
}
