#include "gui/WindowMemory.h"

#include <QWidget>

namespace wareloom {
namespace {

const QString GeometryKey = QStringLiteral("MainWindow/geometry");
const QString DirectoryKey = QStringLiteral("MainWindow/dataDirectory");
const QString CategoryKey = QStringLiteral("MainWindow/openCategory");

} // namespace

WindowMemory::WindowMemory()
    : m_settings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("wareloom"),
                 QStringLiteral("wareloom"))
{}

void WindowMemory::remember(const QWidget& window, const QString& dataDirectory,
                            const QString& openCategory)
{
    m_settings.setValue(GeometryKey, window.saveGeometry());
    m_settings.setValue(DirectoryKey, dataDirectory);
    m_settings.setValue(CategoryKey, openCategory);
    // Now rather than at exit: a program killed later still comes back here.
    m_settings.sync();
    if (m_settings.status() != QSettings::NoError)
        qWarning("The window's place and view were not saved in %s.",
                 qPrintable(m_settings.fileName()));
}

bool WindowMemory::restoreGeometry(QWidget& window) const
{
    // Qt moves a window whose screen has gone onto the primary screen, and
    // one partly off its screen back onto it.
    return window.restoreGeometry(m_settings.value(GeometryKey).toByteArray());
}

QString WindowMemory::openCategory(const QString& dataDirectory) const
{
    if (m_settings.value(DirectoryKey).toString() != dataDirectory)
        return {};
    return m_settings.value(CategoryKey).toString();
}

} // namespace wareloom
