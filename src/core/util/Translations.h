#pragma once

#include <QLocale>
#include <QTranslator>

namespace wareloom {

// The program's texts, and Qt's own (the standard buttons), in the first of
// the locale's languages that the program is translated into, for as long as
// the object lives. Made after the application object. A language of the
// locale that is English, or no translated language at all, leaves the
// program's own English texts.
class Translations
{
public:
    explicit Translations(const QLocale& locale);
    Translations(const Translations&) = delete;
    Translations& operator=(const Translations&) = delete;

private:
    QTranslator m_program;
    QTranslator m_qt;
};

} // namespace wareloom
