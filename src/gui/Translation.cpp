#include "gui/Translation.h"

#include <QCoreApplication>
#include <QFile>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace cfx {

namespace {

const QString kEnglish = QStringLiteral("en");

// "de-AT" and "de_AT" both give "de".
QString languageCode(const QString& uiLanguage) {
    return uiLanguage.section(QLatin1Char('-'), 0, 0).section(QLatin1Char('_'), 0, 0).toLower();
}

QString translationFile(const QString& language) {
    return QStringLiteral(":/i18n/chronofex_%1.qm").arg(language);
}

} // namespace

QString interfaceLanguage(const QStringList& uiLanguages) {
    for (const QString& uiLanguage : uiLanguages) {
        const QString code = languageCode(uiLanguage);
        // The interface is written in English: a user who puts English before a language the
        // program knows gets English.
        if (code == kEnglish || code == QLatin1String("c"))
            return kEnglish;
        if (!code.isEmpty() && QFile::exists(translationFile(code)))
            return code;
    }
    return kEnglish;
}

QString installTranslations(QCoreApplication& app) {
    const QString language = interfaceLanguage(QLocale::system().uiLanguages());
    if (language == kEnglish)
        return language;
    auto* own = new QTranslator(&app);
    if (!own->load(translationFile(language))) {
        delete own;
        return kEnglish;
    }
    QCoreApplication::installTranslator(own);
    // Qt's own texts (the buttons of message boxes, the context menus of text boxes), where
    // the system has them; without them those stay English.
    auto* qt = new QTranslator(&app);
    if (qt->load(QStringLiteral("qtbase_") + language,
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qt);
    else
        delete qt;
    return language;
}

} // namespace cfx
