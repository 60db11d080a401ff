#pragma once
// The player's language: the program's own texts, Qt's standard buttons and the help file.

#include <QString>

class QCoreApplication;
class QTranslator;

// Installs the translations for the system's language (LANGUAGE, LC_ALL, LC_MESSAGES and
// LANG decide, as for every program): the program's texts and Qt's own. Returns the language
// loaded ("de", "fr"), or an empty string when the texts stay English.
QString LoadTranslations(QCoreApplication& App);
// The same for a named language, replacing the translations installed before; "" for English.
QString LoadLanguage(QCoreApplication& App, const QString& Language);
// The language loaded last, empty for English.
QString CurrentLanguage();
// The help file in the loaded language when it exists beside HelpFile ("Tolvi.de.HLP"),
// else HelpFile.
QString TranslatedHelpFile(const QString& HelpFile);
