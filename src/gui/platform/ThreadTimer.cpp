#include "gui/platform/ThreadTimer.h"

#include <QApplication>
#include <QHash>
#include <QPointer>
#include <QTimer>

namespace wareloom {
namespace {

QHash<int, QPointer<QTimer>>& threadTimers()
{
    static QHash<int, QPointer<QTimer>> timers;
    return timers;
}

} // namespace

int setThreadTimer(int periodMs, std::function<void()> proc, TimerRepeat repeat)
{
    static int lastId = 0;
    const int id = ++lastId;
    auto* timer = new QTimer(QCoreApplication::instance());
    timer->setInterval(periodMs);
    timer->setSingleShot(repeat == TimerRepeat::Once);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, id, repeat, proc = std::move(proc)] {
        if (repeat == TimerRepeat::Once) {
            threadTimers().remove(id);
            timer->deleteLater();
        }
        proc();
    });
    threadTimers().insert(id, timer);
    timer->start();
    return id;
}

bool killThreadTimer(int timerId)
{
    QPointer<QTimer> timer = threadTimers().take(timerId);
    if (!timer)
        return false;
    timer->stop();
    timer->deleteLater();
    return true;
}

QWidget* activeWindow()
{
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    return QApplication::activeWindow();
}

} // namespace wareloom
