#include "gui/Application.h"
#include "gui/MainWindow.h"
#include "gui/platform/MessageBox.h"

#include "DialogTestDriver.h"
#include "TempDataDirectory.h"

#include <QLockFile>
#include <QTemporaryDir>
#include <QTest>

using namespace wareloom;
using namespace wareloom::test;

// No session bus can be reached here (CTest points the address at nothing).
class TestAutomationNoBus : public QObject
{
    Q_OBJECT

    QTemporaryDir m_root;

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_root.isValid());
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_root.filePath("xdg")));
        QVERIFY(qgetenv("DBUS_SESSION_BUS_ADDRESS").contains("wareloom-no-bus"));
    }

    void automatedStartTellsAndEnds_data()
    {
        QTest::addColumn<QString>("argument");
        QTest::newRow("-Automation") << "-Automation";
        QTest::newRow("/Embedding") << "/Embedding";
    }
    void automatedStartTellsAndEnds()
    {
        QFETCH(QString, argument);
        TempDataDirectory data;
        MessageBoxHook boxes;
        Application app({"wareloom", argument});
        // Any window that opens is noted and closed, so that a failure cannot hang.
        bool windowShown = false;
        QTimer closer;
        connect(&closer, &QTimer::timeout, [&] {
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                windowShown = true;
                dialog->done(0);
            }
        });
        closer.start(20);
        QCOMPARE(app.run(), 1);
        QVERIFY(!windowShown);
        QCOMPARE(boxes.shown().size(), 1);
        QCOMPARE(boxes.shown()[0].text,
                 QStringLiteral("OLE initialization failed.  Make sure that the OLE libraries "
                                "are the correct version."));
        QCOMPARE(boxes.shown()[0].caption, QStringLiteral("Wareloom"));
        QCOMPARE(boxes.shown()[0].buttons, MessageButtons::Ok);
    }

    // An ordinary start makes the data directory, runs the main window and
    // ends with it.
    void ordinaryStartNeedsNoBus()
    {
        TempDataDirectory data(false);
        MessageBoxHook boxes;
        Application app({"wareloom"});
        auto opened = whenWindowShows<MainWindow>(
            [](MainWindow* window) { QTest::keyClick(window, Qt::Key_Escape); });
        QCOMPARE(app.run(), 0);
        QVERIFY(*opened);
        QVERIFY(QDir(data.path()).exists());
        QCOMPARE(boxes.shown().size(), 0);
    }

    // Without a bus a second start cannot show the first window: it says why.
    void secondStartWithoutABusSaysWhyAndEnds()
    {
        TempDataDirectory data;
        QLockFile first(data.filePath(".wareloom.lock"));
        QVERIFY(first.tryLock(0));
        MessageBoxHook boxes;
        bool windowShown = false;
        whenWindowShows<MainWindow>([&](MainWindow* window) {
            windowShown = true;
            window->close();
        });
        QCOMPARE(Application({"wareloom"}).run(), 1);
        QVERIFY(!windowShown);
        QCOMPARE(boxes.shown().size(), 1);
        QVERIFY(boxes.shown()[0].text.startsWith("Another Wareloom is using the folder " +
                                                 data.path()));
    }
};

QTEST_MAIN(TestAutomationNoBus)
#include "tst_automationnobus.moc"
