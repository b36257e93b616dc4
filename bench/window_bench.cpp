// Times the main window's own code paths, offscreen, on the data directory
// WARELOOM_DATA_DIR names. Prints one line: the measurement's name and each
// time in milliseconds.
//
//   wareloom_window_bench rebuild REPEATS
//       category-view rebuilds of the shown main dialog, driven as the dialogs
//       that change the store drive them: both flags set, then the list timer's
//       procedure; each time includes the events the rebuild leaves queued.
//   wareloom_window_bench startup CATEGORIES
//       to the moment the main dialog's list holds a line for each of the
//       CATEGORIES categories: from the launch of the process (the
//       CLOCK_MONOTONIC time in nanoseconds that WARELOOM_BENCH_LAUNCH_NS
//       holds, set just before the launch), from the start of main() and from
//       the construction of the dialog.
#include "gui/mainwnd/BrowserState.h"
#include "gui/mainwnd/CWareloomDlg.h"
#include "gui/res/MainDialogResource.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QElapsedTimer>
#include <QListWidget>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

using namespace wareloom;

namespace {

double milliseconds(const QElapsedTimer& timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

// Milliseconds since the launch the environment names, or -1.
double millisecondsSinceLaunch()
{
    const QByteArray launch = qgetenv("WARELOOM_BENCH_LAUNCH_NS");
    if (launch.isEmpty())
        return -1;
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return (double(now.tv_sec) * 1e9 + double(now.tv_nsec) - launch.toDouble()) / 1e6;
}

// Runs the event loop until the first category view is built.
void waitForFirstRebuild()
{
    while (browserState().refresh)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

int timeRebuilds(int repeats)
{
    CWareloomDlg dialog;
    dialog.show();
    waitForFirstRebuild();
    const int lines = dialog.listCount(IDC_LIST);

    std::printf("rebuild lines=%d", lines);
    for (int i = 0; i < repeats; ++i) {
        QElapsedTimer timer;
        timer.start();
        browserState().categoryView = true;
        browserState().refresh = true;
        dialog.ListRefreshTimerProc();
        QCoreApplication::processEvents();
        std::printf(" %.3f", milliseconds(timer));
        if (dialog.listCount(IDC_LIST) != lines)
            return 1;
    }
    std::printf("\n");
    return 0;
}

int timeStartUp(const QElapsedTimer& sinceMain, int categories)
{
    QElapsedTimer sinceDialog;
    sinceDialog.start();
    CWareloomDlg dialog;
    double launchToFullList = -1;
    double toFullList = -1;
    double dialogToFullList = -1;
    auto* list = dialog.controlAs<QListWidget>(IDC_LIST);
    if (!list)
        return 1;
    QObject::connect(list->model(), &QAbstractItemModel::rowsInserted, &dialog, [&] {
        if (toFullList < 0 && list->count() == categories) {
            launchToFullList = millisecondsSinceLaunch();
            toFullList = milliseconds(sinceMain);
            dialogToFullList = milliseconds(sinceDialog);
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
    });
    dialog.show();
    QTimer::singleShot(10000, qApp, &QCoreApplication::quit); // never hang
    QCoreApplication::exec();
    if (toFullList < 0)
        return 1;
    std::printf("startup %.3f main=%.3f dialog=%.3f\n", launchToFullList, toFullList,
                dialogToFullList);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    QElapsedTimer sinceMain;
    sinceMain.start();
    if (argc != 3)
        return 2;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const int number = std::atoi(argv[2]);
    if (std::strcmp(argv[1], "rebuild") == 0)
        return timeRebuilds(number);
    if (std::strcmp(argv[1], "startup") == 0)
        return timeStartUp(sinceMain, number);
    return 2;
}
