// Takes the screenshots of docs/screenshots from the real windows, on the data
// directory WARELOOM_DATA_DIR names. Run by scripts/screenshots under Xvfb.
//   wareloom_screenshots <output directory>

#include "mainwnd/CWareloomDlg.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QScreen>
#include <QTimer>

#include <cstdio>
#include <functional>

namespace {

// What is on the screen where the window is.
bool saveWindow(QWidget* window, const QString& path)
{
    const QRect frame = window->frameGeometry();
    const QPixmap shot =
        window->screen()->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height());
    return !shot.isNull() && shot.save(path);
}

// Runs the dialog modally and saves it once it has settled.
bool shoot(wareloom::ResourceDialog& dialog, const QString& path, int settleMs = 800)
{
    bool saved = false;
    QTimer::singleShot(settleMs, &dialog, [&] {
        saved = saveWindow(&dialog, path);
        dialog.EndDialog(wareloom::IDCANCEL);
    });
    dialog.DoModal();
    return saved;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: wareloom_screenshots <output directory>\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));

    CWareloomDlg mainWindow;
    if (!shoot(mainWindow, out.filePath(QStringLiteral("main-window.png")))) {
        std::fprintf(stderr, "could not save main-window.png\n");
        return 1;
    }
    return 0;
}
