#pragma once

#include <QString>
#include <QStringList>

class QCoreApplication;

namespace cfx {

// The language of the interface: the first of the user's languages (LANGUAGE, LC_MESSAGES,
// LANG, as QLocale reads them) that the program has a translation for, or English. Only what
// is shown changes with it; the files the program writes stay the same in every language.
QString interfaceLanguage(const QStringList& uiLanguages);

// Loads the program's translation and Qt's own for that language into the application;
// returns the language chosen ("en" when there is nothing to load).
QString installTranslations(QCoreApplication& app);

} // namespace cfx
