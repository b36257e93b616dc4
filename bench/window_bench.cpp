// Times the main window's own code paths, offscreen, on the data directory
// WARELOOM_DATA_DIR names. Prints one line: the measurement's name and each
// time in milliseconds.
//
//   wareloom_window_bench rebuild REPEATS
//       category-view rebuilds of the shown main window, driven as a change of
//       the store drives them: the inventory lists the directory again and
//       the window rebuilds from its signal; each time includes the events the
//       rebuild leaves queued.
//   wareloom_window_bench startup CATEGORIES
//       to the moment the main window's list holds a line for each of the
//       CATEGORIES categories: from the launch of the process (the
//       CLOCK_MONOTONIC time in nanoseconds that WARELOOM_BENCH_LAUNCH_NS
//       holds, set just before the launch), from the start of main() and from
//       the construction of the inventory and window.
#include "core/store/CategoryStore.h"
#include "core/store/Inventory.h"
#include "gui/MainWindow.h"

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

QListWidget* listOf(MainWindow& window)
{
    return window.findChild<QListWidget*>(QStringLiteral("list"));
}

int timeRebuilds(const DataDirectory& store, int repeats)
{
    Inventory inventory(store);
    MainWindow window(inventory);
    window.show();
    QListWidget* list = listOf(window);
    const int lines = list->count();
    std::printf("rebuild lines=%d", lines);
    for (int i = 0; i < repeats; ++i) {
        QElapsedTimer timer;
        timer.start();
        // A change of one count makes the window rebuild, as any change does.
        Q_EMIT inventory.categoriesChanged();
        QCoreApplication::processEvents();
        std::printf(" %.3f", milliseconds(timer));
        if (list->count() != lines)
            return 1;
    }
    std::printf("\n");
    return 0;
}

int timeStartUp(const DataDirectory& store, const QElapsedTimer& sinceMain, int categories)
{
    QElapsedTimer sinceDialog;
    sinceDialog.start();
    Inventory inventory(store);
    MainWindow window(inventory);
    QListWidget* list = listOf(window);
    double launchToFullList = -1;
    double toFullList = -1;
    double dialogToFullList = -1;
    // The window is built with its list: it counts once it shows.
    auto check = [&] {
        if (toFullList < 0 && list->count() == categories) {
            launchToFullList = millisecondsSinceLaunch();
            toFullList = milliseconds(sinceMain);
            dialogToFullList = milliseconds(sinceDialog);
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
    };
    QObject::connect(list->model(), &QAbstractItemModel::rowsInserted, &window, check);
    window.show();
    check();
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
    const DataDirectory store(qEnvironmentVariable("WARELOOM_DATA_DIR"));
    if (std::strcmp(argv[1], "rebuild") == 0)
        return timeRebuilds(store, number);
    if (std::strcmp(argv[1], "startup") == 0)
        return timeStartUp(store, sinceMain, number);
    return 2;
}
