#include "core/util/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>

namespace wareloom {

Translations::Translations(const QLocale& locale)
{
    for (const QString& name : locale.uiLanguages()) {
        const QLocale::Language language = QLocale(name).language();
        // The source texts are English: a user who puts English first gets them.
        if (language == QLocale::English || language == QLocale::C)
            return;
        const QString code = QLocale::languageToCode(language);
        if (!m_program.load(QStringLiteral(":/i18n/wareloom_") + code))
            continue;
        QCoreApplication::installTranslator(&m_program);
        // Only beside our own: buttons in a language the rest is not in would confuse.
        if (m_qt.load(QStringLiteral("qtbase_") + code,
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
            QCoreApplication::installTranslator(&m_qt);
        return;
    }
}

} // namespace wareloom
