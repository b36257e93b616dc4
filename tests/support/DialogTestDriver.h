#pragma once

#include <QApplication>
#include <QDeadlineTimer>
#include <QDialog>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

namespace wareloom::test {

// Polls until found() gives a widget, then runs action on it once; gives up
// after 5 s. The flag tells whether action ran.
inline std::shared_ptr<bool> whenFound(std::function<QWidget*()> found,
                                       std::function<void(QWidget*)> action)
{
    auto ran = std::make_shared<bool>(false);
    auto* poll = new QTimer(qApp);
    const QDeadlineTimer deadline(5000);
    QObject::connect(poll, &QTimer::timeout, poll, [=] {
        QWidget* widget = found();
        if (!widget && !deadline.hasExpired())
            return;
        poll->stop();
        poll->deleteLater();
        if ((*ran = widget))
            action(widget);
    });
    poll->start(5);
    return ran;
}

// Runs action on the next modal dialog that opens on top of the one active
// now. When the action leaves a failed test behind with the dialog still
// open, the dialog is closed so the test cannot hang.
inline std::shared_ptr<bool> whenDialogOpens(std::function<void(QDialog*)> action)
{
    QPointer<QWidget> below = QApplication::activeModalWidget();
    auto found = [below]() -> QWidget* {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        return dialog && dialog != below.data() && dialog->isVisible() ? dialog : nullptr;
    };
    return whenFound(found, [action](QWidget* widget) {
        QPointer<QDialog> dialog = static_cast<QDialog*>(widget);
        action(dialog);
        if (dialog && dialog->isVisible() && QTest::currentTestFailed())
            dialog->done(QDialog::Rejected);
    });
}

// Runs action once a top-level window of type T shows.
template <class T> std::shared_ptr<bool> whenWindowShows(std::function<void(T*)> action)
{
    auto found = []() -> QWidget* {
        for (QWidget* top : QApplication::topLevelWidgets())
            if (qobject_cast<T*>(top) && top->isVisible())
                return top;
        return nullptr;
    };
    return whenFound(found, [action](QWidget* window) { action(static_cast<T*>(window)); });
}

} // namespace wareloom::test
