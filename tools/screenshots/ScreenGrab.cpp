#include "ScreenGrab.h"

#include <QDialog>
#include <QEvent>
#include <QLabel>
#include <QPixmap>
#include <QScreen>

namespace wareloom::screenshots {

bool saveWindow(QWidget* window, const QString& path)
{
    const QRect frame = window->frameGeometry();
    const QPixmap shot =
        window->screen()->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height());
    return !shot.isNull() && shot.save(path);
}

namespace {

bool isCategoryUpload(const QString& status)
{
    return status.startsWith(QStringLiteral("Upload -> ")) &&
           !status.contains(QStringLiteral("inventory.htm"));
}

} // namespace

CategoryUploadShot::CategoryUploadShot(QDialog& dialog, QLabel& status, QString path)
    : m_dialog(dialog), m_status(status), m_path(std::move(path))
{
    m_status.installEventFilter(this);
}

bool CategoryUploadShot::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == &m_status && event->type() == QEvent::Paint && !m_saved) {
        const QString next = m_status.text();
        if (next != m_painted && isCategoryUpload(m_painted))
            m_saved = saveWindow(&m_dialog, m_path);
        m_painted = next;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace wareloom::screenshots
