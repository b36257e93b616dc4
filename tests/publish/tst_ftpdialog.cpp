#include "gui/mainwnd/BrowserState.h"
#include "gui/mainwnd/CWareloomDlg.h"
#include "gui/platform/MessageBox.h"
#include "core/transfer/Sockets.h"
#include "gui/publish/FTPDialog.h"
#include "gui/res/CommandIds.h"

#include "DialogTestDriver.h"
#include "PublishTestSupport.h"

#include <QDir>
#include <QLabel>
#include <QProgressBar>
#include <QTest>
#include <QTimer>

using namespace wareloom;
using namespace wareloom::test;

namespace {

constexpr int StatusText = 1011;
constexpr int ProgressBar = 1012;

// What the status text and the bar showed each time they were painted
// (repeats left out): what the user saw while the run kept the loop busy.
struct PaintedValues : QObject
{
    explicit PaintedValues(FTPDialog& dialog)
        : status(dialog.controlAs<QLabel>(StatusText)),
          bar(dialog.controlAs<QProgressBar>(ProgressBar))
    {
        status->installEventFilter(this);
        bar->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::Paint)
            return false;
        if (watched == status && (statuses.isEmpty() || statuses.last() != status->text()))
            statuses << status->text();
        if (watched == bar && bar->value() >= bar->minimum() &&
            (positions.isEmpty() || positions.last() != bar->value()))
            positions << bar->value();
        return false;
    }

    QLabel* status;
    QProgressBar* bar;
    QStringList statuses;
    QList<int> positions; // within the bar's range
};

struct DialogState
{
    bool visible = false;
    QString status;
    int minimum = 0;
    int maximum = 0;
    int value = 0;
};

DialogState stateOf(FTPDialog& dialog)
{
    const auto* bar = dialog.controlAs<QProgressBar>(ProgressBar);
    return {dialog.isVisible(), dialog.controlText(StatusText), bar->minimum(), bar->maximum(),
            bar->value()};
}

// Runs a publish dialog to its end; a dialog still open after 20 s is closed
// so that a broken run cannot hang the test.
int runToEnd(FTPDialog& dialog)
{
    QTimer::singleShot(20000, &dialog, [&dialog] {
        if (dialog.isVisible()) {
            qWarning("the publish dialog did not close by itself");
            dialog.reject();
        }
    });
    return dialog.DoModal();
}

} // namespace

// The publish dialog run by its timer against a real FTP server.
class TestFtpDialog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(startSockets());
        qputenv("WARELOOM_FTP_TIMEOUT", "2");
    }

    void showsEachStepAndClosesItself_data()
    {
        QTest::addColumn<QStringList>("categories");
        QTest::addColumn<int>("categoryCount");
        QTest::addColumn<int>("lastPosition");
        QTest::newRow("A, B, C") << QStringList{"A", "B", "C"} << 3 << 4;
        QTest::newRow("no categories") << QStringList{} << 0 << 1;
        // A category file added after the main window counted: the bar stands full.
        QTest::newRow("one added since counted") << QStringList{"A", "B"} << 1 << 2;
    }
    void showsEachStepAndClosesItself()
    {
        QFETCH(QStringList, categories);
        QFETCH(int, categoryCount);
        QFETCH(int, lastPosition);
        PublishSetup setup;
        QVERIFY2(setup.start(categories).isEmpty(), qPrintable(setup.error));
        browserState().categoryCount = categoryCount;
        MessageBoxHook boxes;
        FTPDialog dialog;
        PaintedValues painted(dialog);

        QCOMPARE(runToEnd(dialog), int(IDOK));
        QVERIFY(boxes.shown().isEmpty());
        QCOMPARE(painted.statuses, successfulStatuses());
        // The empty bar of the opening dialog, then one position per page.
        QCOMPARE(painted.positions, QList<int>{0} + oneTo(lastPosition));
        const DialogState end = stateOf(dialog);
        QVERIFY(!end.visible);
        QCOMPARE(end.status, QStringLiteral("Done"));
        QCOMPARE(end.minimum, 1);
        QCOMPARE(end.maximum, categoryCount + 1);
        QCOMPARE(end.value, end.maximum);
        QCOMPARE(setup.pageNotPublished(listedPages()), QString());
    }

    // The box comes after the last category was tried, with the dialog still up.
    void wrongPasswordShowsOneBoxAfterTheLastPage()
    {
        PublishSetup setup;
        QVERIFY2(setup.start({"A", "B", "C"}, "/htdocs/", "wrong").isEmpty(),
                 qPrintable(setup.error));
        browserState().categoryCount = 3;
        FTPDialog dialog;
        PaintedValues painted(dialog);
        DialogState whileBoxUp;
        MessageBoxHook boxes;
        boxes.queueAnswer([&](const ShownMessageBox&) {
            whileBoxUp = stateOf(dialog);
            return int(IDOK);
        });

        QCOMPARE(runToEnd(dialog), int(IDOK));
        QCOMPARE(boxes.shown().size(), 1);
        const ShownMessageBox& box = boxes.shown().first();
        QCOMPARE(box.text,
                 QStringLiteral("FTP Error: Check your FTP settings and internet connection."));
        QCOMPARE(box.caption, QStringLiteral("FTP Error"));
        QCOMPARE(box.buttons, MessageButtons::Ok);
        QCOMPARE(box.icon, MessageIcon::None);
        QCOMPARE(box.owner.data(), &dialog);
        QVERIFY(whileBoxUp.visible);
        QCOMPARE(whileBoxUp.status, QStringLiteral("Upload -> %1.htm").arg(listedNames().last()));
        QCOMPARE(whileBoxUp.value, 4);
        QVERIFY(!painted.statuses.contains(QStringLiteral("Done")));
        QVERIFY(!dialog.isVisible());
    }

    void noSettingsLeavesTheDialogOpenAndWritesNothing()
    {
        TempDataDirectory data;
        QVERIFY(writeCategories(data, {"A"}));
        browserState().categoryCount = 1;
        FTPDialog dialog;
        MessageBoxHook boxes;
        DialogState afterBox;
        qsizetype boxesLater = -1;
        boxes.queueAnswer([&](const ShownMessageBox&) {
            // Look again once the next tick has come and gone.
            QTimer::singleShot(1100, &dialog, [&] {
                afterBox = stateOf(dialog);
                boxesLater = boxes.shown().size();
                dialog.reject();
            });
            return int(IDOK);
        });

        QCOMPARE(runToEnd(dialog), int(IDCANCEL));
        QCOMPARE(boxes.shown().size(), 1);
        const ShownMessageBox& box = boxes.shown().first();
        QCOMPARE(box.text, QStringLiteral("Error"));
        QCOMPARE(box.caption, QStringLiteral("Error: No FTP setrtings!"));
        QCOMPARE(box.buttons, MessageButtons::Ok);
        QCOMPARE(box.icon, MessageIcon::None);
        QVERIFY(afterBox.visible);
        QCOMPARE(afterBox.status, QStringLiteral("Creating HTML"));
        QCOMPARE(boxesLater, 1);
        QCOMPARE(QDir(data.path()).entryList(QDir::Files), QStringList{"A.dat"});
    }

    // Closed before its first tick, a dialog runs nothing; each opening that
    // runs publishes once.
    void eachOpeningPublishesOnce()
    {
        PublishSetup setup;
        QVERIFY2(setup.start({"A"}).isEmpty(), qPrintable(setup.error));
        browserState().categoryCount = 1;
        MessageBoxHook boxes;
        {
            FTPDialog dialog;
            auto opened = whenDialogOpens([](QDialog* d) { d->reject(); });
            QCOMPARE(dialog.DoModal(), int(IDCANCEL));
            QVERIFY(*opened);
            QTest::qWait(1100); // past the first tick
        }
        QVERIFY(!QFile::exists(setup.data.filePath("inventory.htm")));
        QVERIFY(setup.server.commands().filter("STOR ").isEmpty());
        for (int opening = 0; opening < 2; ++opening) {
            FTPDialog dialog;
            QCOMPARE(runToEnd(dialog), int(IDOK));
        }
        QCOMPARE(setup.server.commands().filter("STOR /htdocs/inventory.htm").size(), 2);
        QCOMPARE(setup.server.commands().filter("STOR /htdocs/A.htm").size(), 2);
        QVERIFY(boxes.shown().isEmpty());
    }

    void mainWindowCommandsOpenThePublishDialog_data()
    {
        QTest::addColumn<int>("command");
        QTest::newRow("menu") << int(ID_HTML_FTPUPLOAD);
        QTest::newRow("toolbar") << int(ID_BUTTON_FTPUPLOAD);
    }
    void mainWindowCommandsOpenThePublishDialog()
    {
        QFETCH(int, command);
        TempDataDirectory data;
        CWareloomDlg mainWindow;
        QString title;
        QString status;
        auto opened = whenDialogOpens([&](QDialog* dialog) {
            title = dialog->windowTitle();
            if (auto* ftp = qobject_cast<FTPDialog*>(dialog))
                status = ftp->controlText(StatusText);
            dialog->reject();
        });
        QVERIFY(mainWindow.sendCommand(command));
        QVERIFY(*opened);
        QCOMPARE(title, QStringLiteral("Wareloom - FTP Upload"));
        QCOMPARE(status, QStringLiteral("Creating HTML"));
    }
};

QTEST_MAIN(TestFtpDialog)
#include "tst_ftpdialog.moc"
