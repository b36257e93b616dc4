#include "core/automation/AutomationRegistration.h"
#include "gui/Application.h"
#include "gui/MainWindow.h"
#include "gui/platform/MessageBox.h"

#include "DialogTestDriver.h"
#include "TempDataDirectory.h"
#include "TestSessionBus.h"
#include "WareloomProgram.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusPendingCall>
#include <QDir>
#include <QFileInfo>
#include <QTest>

#include <csignal>

using namespace wareloom;
using namespace wareloom::test;

namespace {

const QString ServiceName = QStringLiteral("Wareloom.Application");
constexpr int BoundMs = 10000;

QByteArray activationFile(const QString& execWord)
{
    return "[D-BUS Service]\nName=Wareloom.Application\nExec=" + execWord.toUtf8() +
           " -Automation\n";
}

QDBusConnectionInterface* bus()
{
    return QDBusConnection::sessionBus().interface();
}

bool nameOwned(const QString& name)
{
    return bus()->isServiceRegistered(name).value();
}

// A client of the automation object with a bus connection of its own.
class BusClient
{
public:
    explicit BusClient(const QString& name)
        : m_connection(QDBusConnection::connectToBus(QDBusConnection::SessionBus, name))
    {}
    ~BusClient() { leave(); }

    // The event loop runs while it waits, so an object in this process can answer.
    QDBusMessage call(const QString& interface = "org.freedesktop.DBus.Peer",
                      const QString& member = "Ping")
    {
        QDBusPendingCall pending = m_connection.asyncCall(
            QDBusMessage::createMethodCall(ServiceName, "/Wareloom/Application", interface, member),
            BoundMs);
        while (!pending.isFinished()) // with an error after BoundMs at the latest
            QTest::qWait(5);
        return pending.reply();
    }
    QDBusMessage introspect() { return call("org.freedesktop.DBus.Introspectable", "Introspect"); }

    // Leaves the bus, and waits until the bus has seen it go.
    void leave()
    {
        if (!m_connection.isConnected())
            return;
        const QString unique = m_connection.baseService(), name = m_connection.name();
        m_connection = QDBusConnection(QString());
        QDBusConnection::disconnectFromBus(name);
        QTRY_VERIFY_WITH_TIMEOUT(!nameOwned(unique), BoundMs);
    }

private:
    QDBusConnection m_connection;
};

} // namespace

class TestAutomation : public QObject
{
    Q_OBJECT

    QTemporaryDir m_root;
    TempDataDirectory m_data;
    TestSessionBus m_bus;

    QString xdgDataHome() const { return m_root.filePath("xdg"); }

    static void writeFileAt(const QString& path, const QByteArray& bytes)
    {
        QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()) && writeFile(path, bytes));
    }

    static void verifyRegistered(const QString& program)
    {
        QCOMPARE(readFile(automation::activationFilePath()), activationFile(program));
        QVERIFY(readFile(automation::interfaceDescriptionPath())
                    .contains("<interface name=\"Wareloom.IWareloom\">\n  </interface>"));
    }

    // Runs the program with the action on its main window; a start-up stuck
    // in a failed test is ended (-1), so that the test cannot hang.
    static int runWithWindow(Application& app, const std::function<void(MainWindow*)>& action)
    {
        const auto opened = whenWindowShows<MainWindow>(action);
        bool fired = false;
        QTimer watchdog;
        QObject::connect(&watchdog, &QTimer::timeout, [&] {
            fired = true;
            watchdog.setInterval(200);
            QCoreApplication::exit(1);
        });
        watchdog.start(BoundMs);
        const int code = app.run();
        return *opened && !fired ? code : -1;
    }

private Q_SLOTS:
    void initTestCase()
    {
        qputenv("XDG_DATA_HOME", QFile::encodeName(xdgDataHome()));
        // Programs the bus starts get the test's directories and the offscreen platform.
        QVERIFY2(m_bus.start(xdgDataHome() + "/dbus-1/services", programEnvironment(true)),
                 qPrintable(m_bus.errorString()));
        qputenv("DBUS_SESSION_BUS_ADDRESS", m_bus.address().toUtf8());
    }

    void init() { QVERIFY(QDir(xdgDataHome()).removeRecursively()); }

    // A failed test may leave a program behind that the bus started.
    void cleanup()
    {
        const uint owner = bus()->servicePid(ServiceName).value();
        if (owner && owner != uint(QCoreApplication::applicationPid()))
            ::kill(pid_t(owner), SIGKILL);
        QTRY_VERIFY_WITH_TIMEOUT(!nameOwned(ServiceName), BoundMs);
    }

    // Without a window; another program's service stays; a registration
    // that cannot be written is reported.
    void registrationSwitches()
    {
        const QString other = xdgDataHome() + "/dbus-1/services/Other.service";
        writeFileAt(other, "[D-BUS Service]\nName=Other\nExec=/bin/true\n");
        writeFileAt(automation::activationFilePath(), activationFile("/old/wareloom"));
        writeFileAt(automation::interfaceDescriptionPath(), "<node/>\n");
        // Over an old registration, then again; removed, then nothing to remove.
        for (const char* argument : {"/REGSERVER", "-Register", "/Unregister", "-Unregister"}) {
            const auto run = runWareloom({argument});
            QVERIFY(run.finished && run.exitCode == 0);
            QCOMPARE(run.err, QByteArray());
            if (!QByteArray(argument).contains("Un"))
                verifyRegistered(wareloomBinary());
            else
                QVERIFY(!QFile::exists(automation::activationFilePath()) &&
                        !QFile::exists(automation::interfaceDescriptionPath()));
        }
        QVERIFY(QFile::exists(other));
        QVERIFY(QDir(xdgDataHome() + "/dbus-1").removeRecursively());
        writeFileAt(xdgDataHome() + "/dbus-1", "a file where a folder belongs");
        const auto run = runWareloom({"-Register"});
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains("dbus-1"), run.err.constData());
    }

    // A client calling the registered name starts the program; it runs while
    // any client holds it and ends when the last one has left.
    void activationStartsTheProgramUntilTheLastClientLeaves()
    {
        // Where the program lies is quoted for the bus's Exec line.
        const QString folder = m_root.filePath("my app's dir"), program = folder + "/wareloom";
        QVERIFY(QDir().mkpath(folder) && QFile::copy(wareloomBinary(), program));
        // Its program of the windows, where it looks for it.
        const QString desktop = QDir(folder).filePath(
            QFileInfo(wareloomBinary()).dir().relativeFilePath(desktopBinary()));
        QVERIFY(QDir().mkpath(QFileInfo(desktop).path()) && QFile::copy(desktopBinary(), desktop));
        const auto registered = runWareloom({"-Register"}, program);
        QVERIFY(registered.finished && registered.exitCode == 0);
        QCOMPARE(readFile(automation::activationFilePath()),
                 activationFile("'" + m_root.path() + "/my app'\\\\''s dir/wareloom'"));
        // The bus sees changed service files by whole-second time stamps: reload.
        QCOMPARE(bus()->call("ReloadConfig").type(), QDBusMessage::ReplyMessage);
        BusClient first("first");
        // Calls by the name let the bus start the program, which then takes the name.
        QTRY_VERIFY_WITH_TIMEOUT(first.call().type() == QDBusMessage::ReplyMessage, BoundMs);
        const QString process = QStringLiteral("/proc/%1").arg(bus()->servicePid(ServiceName));
        const QByteArray commandLine = readFile(process + "/cmdline");
        QVERIFY2(commandLine.startsWith(program.toUtf8() + '\0' + "-Automation"),
                 commandLine.constData());
        BusClient second("second");
        QVERIFY(second.introspect().arguments().value(0).toString().contains(
            "<interface name=\"Wareloom.IWareloom\""));
        second.leave();
        // Answered after the program has heard of the second client leaving.
        QCOMPARE(first.call().type(), QDBusMessage::ReplyMessage);
        first.leave();
        QTRY_VERIFY_WITH_TIMEOUT(!QFile::exists(process), BoundMs); // ended, and reaped by the bus
    }

    // An ordinary start registers again, without owning the automation name; a
    // second ordinary start on the same folder shows the first window and ends.
    void secondStartRaisesTheFirstWindow()
    {
        Application first({"wareloom"}, m_data.store());
        QProcess second;
        second.setProcessEnvironment(programEnvironment(true));
        bool shownAgain = false;
        const auto raise = [&](MainWindow* main) {
            verifyRegistered(QCoreApplication::applicationFilePath());
            QVERIFY(!nameOwned(ServiceName));
            main->hide();
            second.start(wareloomBinary(), {});
            QVERIFY(
                QTest::qWaitFor([&] { return second.state() == QProcess::NotRunning; }, BoundMs));
            shownAgain = QTest::qWaitFor([&] { return main->isVisible(); }, 2000);
            main->close();
        };
        QCOMPARE(runWithWindow(first, raise), 0);
        QVERIFY(second.exitStatus() == QProcess::NormalExit && second.exitCode() == 0);
        QVERIFY(shownAgain);
    }

    // While held, every way of ending the main window only hides it; the
    // program waits, hidden, until the client has left.
    void heldUntilTheClientLeaves_data()
    {
        QTest::addColumn<QString>("how"); // empty: /Embedding, and the window stays
        for (const char* how : {"Quit", "Esc", ""})
            QTest::newRow(how) << QString(how);
    }
    void heldUntilTheClientLeaves()
    {
        QFETCH(QString, how);
        Application app({"wareloom", how.isEmpty() ? "/Embedding" : "-Automation"}, m_data.store());
        MessageBoxHook boxes;
        boxes.queueAnswer(MessageAnswer::Yes);
        BusClient client("client");
        bool held = false;
        const auto end = [&](MainWindow* main) {
            QCOMPARE(client.introspect().type(), QDBusMessage::ReplyMessage);
            if (how == "Quit")
                main->findChild<QAction*>("actionQuitProgram")->trigger();
            else if (how == "Esc")
                QTest::keyClick(main, Qt::Key_Escape);
            QCOMPARE(main->isVisible(), how.isEmpty());
            QTimer::singleShot(100, &app, [&, alive = QPointer<MainWindow>(main)] {
                held = alive && alive->isVisible() == how.isEmpty();
                client.leave();
            });
        };
        QCOMPARE(runWithWindow(app, end), 0);
        QVERIFY(held);
        QVERIFY(!nameOwned(ServiceName));
        QCOMPARE(boxes.shown().size(), how == "Quit" ? 1 : 0);
    }
};

QTEST_MAIN(TestAutomation)
#include "tst_automation.moc"
