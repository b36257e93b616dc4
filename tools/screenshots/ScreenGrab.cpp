#include "ScreenGrab.h"

#include <QDialog>
#include <QEvent>
#include <QLabel>
#include <QPixmap>
#include <QScreen>
#include <QTimerEvent>

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
    : QObject(&dialog), m_dialog(dialog), m_status(status), m_path(std::move(path))
{
    startTimer(1);
}

void CategoryUploadShot::timerEvent(QTimerEvent* event)
{
    if (m_saved || !isCategoryUpload(m_status.text()))
        return;
    m_saved = m_dialog.grab().save(m_path);
    killTimer(event->timerId());
}

} // namespace wareloom::screenshots
