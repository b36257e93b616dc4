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

    QTemporaryDir m_root; // an ordinary start registers under XDG_DATA_HOME

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(qgetenv("DBUS_SESSION_BUS_ADDRESS").contains("wareloom-no-bus"));
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_root.filePath("xdg")));
    }

    // Automated starts and a second start (it cannot show the first window) say
    // why and end; an ordinary one makes the data directory and runs the window.
    void startsWithoutABus_data()
    {
        QTest::addColumn<QString>("argument");
        QTest::addColumn<bool>("lockedByAnother");
        QTest::addColumn<QString>("told"); // the one message (its start when locked); empty: none
        const QString ole = "OLE initialization failed.  Make sure that the OLE libraries are "
                            "the correct version.";
        // The only window first: a watch for a window that never came lingers a while.
        QTest::newRow("ordinary") << "" << false << "";
        QTest::newRow("-Automation") << "-Automation" << false << ole;
        QTest::newRow("/Embedding") << "/Embedding" << false << ole;
        QTest::newRow("second start") << "" << true << "Another Wareloom is using the folder ";
    }
    void startsWithoutABus()
    {
        QFETCH(QString, argument);
        QFETCH(bool, lockedByAnother);
        QFETCH(QString, told);
        TempDataDirectory data(!told.isEmpty());
        QLockFile first(data.filePath(".wareloom.lock"));
        QVERIFY(!lockedByAnother || first.tryLock(0));
        MessageBoxHook boxes;
        Application app(argument.isEmpty() ? QStringList{"wareloom"}
                                           : QStringList{"wareloom", argument},
                        data.store());
        const auto opened = whenWindowShows<MainWindow>(
            [](MainWindow* window) { QTest::keyClick(window, Qt::Key_Escape); });
        QCOMPARE(app.run(), told.isEmpty() ? 0 : 1);
        QCOMPARE(*opened, told.isEmpty());
        QVERIFY(QDir(data.path()).exists());
        QCOMPARE(boxes.shown().size(), told.isEmpty() ? 0 : 1);
        if (lockedByAnother)
            QVERIFY(boxes.shown()[0].text.startsWith(told + data.path()));
        else if (!told.isEmpty())
            QVERIFY(boxes.shown()[0].text == told && boxes.shown()[0].caption == "Wareloom" &&
                    boxes.shown()[0].buttons == MessageButtons::Ok);
    }
};

QTEST_MAIN(TestAutomationNoBus)
#include "tst_automationnobus.moc"
