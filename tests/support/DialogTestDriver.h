#pragma once

// Drives dialogs that run with exec() from inside their modal loop.
//
//   auto opened = whenDialogOpens([](QDialog* dialog) { ... dialog->reject(); });
//   dialog.DoModal();
//   QVERIFY(*opened);

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

namespace wareloom::test {

// Runs action on the next modal dialog that opens on top of the one active
// now. Gives up after timeoutMs. When the action leaves a failed test behind
// with the dialog still open, the dialog is closed so the test cannot hang.
inline std::shared_ptr<bool> whenDialogOpens(std::function<void(QDialog*)> action,
                                             int timeoutMs = 5000)
{
    auto opened = std::make_shared<bool>(false);
    QPointer<QWidget> below = QApplication::activeModalWidget();
    auto* poll = new QTimer(qApp);
    poll->setInterval(5);
    auto waited = std::make_shared<int>(0);
    QObject::connect(poll, &QTimer::timeout, poll,
                     [poll, below, opened, waited, timeoutMs, action = std::move(action)] {
                         QWidget* top = QApplication::activeModalWidget();
                         auto* dialog = qobject_cast<QDialog*>(top);
                         if (!dialog || top == below.data() || !dialog->isVisible()) {
                             *waited += poll->interval();
                             if (*waited > timeoutMs) {
                                 poll->stop();
                                 poll->deleteLater();
                             }
                             return;
                         }
                         poll->stop();
                         poll->deleteLater();
                         *opened = true;
                         QPointer<QDialog> guard = dialog;
                         action(dialog);
                         if (guard && guard->isVisible() && QTest::currentTestFailed())
                             guard->done(QDialog::Rejected);
                     });
    poll->start();
    return opened;
}

// Runs action once a top-level window of type T shows; gives up after timeoutMs.
template <class T>
inline std::shared_ptr<bool> whenWindowShows(std::function<void(T*)> action, int timeoutMs = 5000)
{
    auto shown = std::make_shared<bool>(false);
    auto* poll = new QTimer(qApp);
    auto waited = std::make_shared<int>(0);
    QObject::connect(poll, &QTimer::timeout, poll, [=] {
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (auto* window = qobject_cast<T*>(top); window && window->isVisible()) {
                poll->deleteLater();
                poll->stop();
                *shown = true;
                action(window);
                return;
            }
        }
        if ((*waited += 5) > timeoutMs) {
            poll->stop();
            poll->deleteLater();
        }
    });
    poll->start(5);
    return shown;
}

// The modal dialog on top, if it is a T.
template <class T> T* topDialog()
{
    return qobject_cast<T*>(QApplication::activeModalWidget());
}

} // namespace wareloom::test
