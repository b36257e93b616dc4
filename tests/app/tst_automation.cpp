#include "app/ApplicationLock.h"
#include "app/AutomationRegistration.h"
#include "app/CWareloomApp.h"
#include "app/CWareloomDlgAutoProxy.h"
#include "mainwnd/CWareloomDlg.h"
#include "platform/MessageBox.h"
#include "res/CommandIds.h"

#include "DialogTestDriver.h"
#include "TempDataDirectory.h"
#include "TestSessionBus.h"
#include "WareloomProgram.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QTest>
#include <QXmlStreamReader>

#include <csignal>
#include <memory>

using namespace wareloom;
using namespace wareloom::test;

namespace {

const QString ServiceName = QStringLiteral("Wareloom.Application");
const QString ObjectPath = QStringLiteral("/Wareloom/Application");
const QString PeerInterface = QStringLiteral("org.freedesktop.DBus.Peer");
const QString IntrospectableInterface = QStringLiteral("org.freedesktop.DBus.Introspectable");
constexpr int BoundMs = 10000;

QByteArray expectedActivationFile(const QString& program)
{
    return "[D-BUS Service]\nName=Wareloom.Application\nExec=" + program.toUtf8() +
           " -Automation\n";
}

QByteArray fileContents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The interface names an introspection document declares, in order; an
// interface with any member is listed with a "+".
QStringList declaredInterfaces(const QString& xml)
{
    QStringList names;
    QXmlStreamReader reader(xml);
    while (reader.readNextStartElement()) {
        if (reader.name() == QLatin1String("node"))
            continue;
        if (reader.name() != QLatin1String("interface")) {
            reader.skipCurrentElement();
            continue;
        }
        QString name = reader.attributes().value(QLatin1String("name")).toString();
        if (reader.readNextStartElement()) {
            name += QLatin1Char('+');
            reader.skipCurrentElement();
            while (reader.readNextStartElement())
                reader.skipCurrentElement();
        }
        names << name;
    }
    return reader.hasError() ? QStringList{QStringLiteral("bad XML: ") + reader.errorString()}
                             : names;
}

bool nameOwned(const QString& name)
{
    return QDBusConnection::sessionBus().interface()->isServiceRegistered(name).value();
}

// Running, and not a zombie waiting for its parent.
bool processRunning(uint pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return false;
    const QByteArray line = stat.readAll();
    const qsizetype close = line.lastIndexOf(')');
    return close > 0 && line.size() > close + 2 && line.at(close + 2) != 'Z';
}

// A client of the automation object with a bus connection of its own.
class BusClient
{
public:
    BusClient(const QString& address, const QString& name)
        : m_name(name), m_connection(QDBusConnection::connectToBus(address, name))
    {}
    ~BusClient() { leave(); }

    bool connected() const { return m_connection.isConnected(); }
    QString uniqueName() const { return m_uniqueName; }

    // Calls a method and waits (bounded) for the answer; the event loop runs
    // meanwhile, so an object in this process can answer.
    QDBusMessage call(const QString& interface, const QString& member,
                      const QString& service = ServiceName)
    {
        m_uniqueName = m_connection.baseService();
        QDBusPendingCall pending = m_connection.asyncCall(
            QDBusMessage::createMethodCall(service, ObjectPath, interface, member), BoundMs);
        const QDeadlineTimer deadline(BoundMs + 1000);
        while (!pending.isFinished() && !deadline.hasExpired())
            QTest::qWait(5);
        return pending.reply();
    }
    QDBusMessage ping() { return call(PeerInterface, QStringLiteral("Ping")); }
    QDBusMessage introspect()
    {
        return call(IntrospectableInterface, QStringLiteral("Introspect"));
    }

    // Leaves the bus, and waits until the bus has seen it go.
    void leave()
    {
        if (!m_connection.isConnected())
            return;
        m_uniqueName = m_connection.baseService();
        m_connection = QDBusConnection(QString());
        QDBusConnection::disconnectFromBus(m_name);
        QTRY_VERIFY_WITH_TIMEOUT(!nameOwned(m_uniqueName), BoundMs);
    }

private:
    QString m_name;
    QDBusConnection m_connection;
    QString m_uniqueName;
};

// Ends a start-up that is stuck in a failed test, so that the test cannot hang.
class StartupWatchdog
{
public:
    explicit StartupWatchdog(CWareloomApp& app)
    {
        m_timer.setInterval(BoundMs);
        QObject::connect(&m_timer, &QTimer::timeout, [this, &app] {
            m_fired = true;
            m_timer.setInterval(200);
            if (app.m_pMainWnd)
                app.m_pMainWnd->done(0);
            app.OnReleaseAllObjects();
        });
        m_timer.start();
    }
    bool fired() const { return m_fired; }

private:
    QTimer m_timer;
    bool m_fired = false;
};

} // namespace

class TestAutomation : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_root;
    std::unique_ptr<TempDataDirectory> m_data;
    TestSessionBus m_bus;
    QList<uint> m_activated;

    QString xdgDataHome() const { return m_root.filePath(QStringLiteral("xdg")); }

    void writeFile(const QString& path, const QByteArray& bytes)
    {
        QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(bytes), bytes.size());
    }

    void verifyRegistered(const QString& program)
    {
        QCOMPARE(fileContents(automation::activationFilePath()), expectedActivationFile(program));
        QCOMPARE(declaredInterfaces(fileContents(automation::interfaceDescriptionPath())),
                 QStringList{"Wareloom.IWareloom"});
    }

    // Pings the object by its name, which lets the bus start the program; the
    // bus may still be reading its service directory, or the program not yet
    // own the name.
    static QDBusMessage pingStarting(BusClient& client)
    {
        const QDeadlineTimer deadline(BoundMs);
        QDBusMessage answer = client.ping();
        while (answer.errorName() == QLatin1String("org.freedesktop.DBus.Error.ServiceUnknown") &&
               !deadline.hasExpired()) {
            QTest::qWait(50);
            answer = client.ping();
        }
        return answer;
    }

    // Ends the main dialog the way a user would.
    static void endMainDialog(CWareloomDlg* dialog, const QString& how)
    {
        if (how == QLatin1String("Quit"))
            dialog->sendCommand(ID_FILE_QUITPROGRAM);
        else if (how == QLatin1String("Enter"))
            QTest::keyClick(dialog, Qt::Key_Return);
        else if (how == QLatin1String("Esc"))
            QTest::keyClick(dialog, Qt::Key_Escape);
        else
            dialog->close();
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_root.isValid());
        qputenv("XDG_DATA_HOME", QFile::encodeName(xdgDataHome()));
        m_data = std::make_unique<TempDataDirectory>();
        // Programs the bus starts get the test's data directories and the
        // offscreen platform.
        QVERIFY2(m_bus.start(xdgDataHome() + QStringLiteral("/dbus-1/services"),
                             programEnvironment(true)),
                 qPrintable(m_bus.errorString()));
        qputenv("DBUS_SESSION_BUS_ADDRESS", m_bus.address().toUtf8());
        QVERIFY(QDBusConnection::sessionBus().isConnected());
    }

    void init() { QVERIFY(QDir(xdgDataHome()).removeRecursively()); }

    // A failed test may leave a program behind that the bus started.
    void cleanup()
    {
        const uint owner =
            QDBusConnection::sessionBus().interface()->servicePid(ServiceName).value();
        if (owner && owner != uint(QCoreApplication::applicationPid()))
            m_activated << owner;
        for (uint pid : std::as_const(m_activated)) {
            if (processRunning(pid))
                ::kill(pid_t(pid), SIGKILL);
        }
        m_activated.clear();
        QTRY_VERIFY_WITH_TIMEOUT(!nameOwned(ServiceName), BoundMs);
    }

    void cleanupTestCase() { m_bus.stop(); }

    void registerWritesFilesWithoutWindow_data()
    {
        QTest::addColumn<QString>("argument");
        QTest::newRow("-Register") << "-Register";
        QTest::newRow("/REGSERVER") << "/REGSERVER";
    }
    void registerWritesFilesWithoutWindow()
    {
        QFETCH(QString, argument);
        const auto run = runWareloom({argument}, false);
        QVERIFY(run.finished);
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.err, QByteArray());
        verifyRegistered(wareloomBinary());
    }

    void unregisterRemovesFilesWithoutWindow_data()
    {
        QTest::addColumn<QString>("argument");
        QTest::addColumn<bool>("registered");
        QTest::newRow("/Unregister") << "/Unregister" << true;
        QTest::newRow("-unregserver") << "-unregserver" << true;
        QTest::newRow("nothing to remove") << "-Unregister" << false;
    }
    void unregisterRemovesFilesWithoutWindow()
    {
        QFETCH(QString, argument);
        QFETCH(bool, registered);
        const QString other = xdgDataHome() + QStringLiteral("/dbus-1/services/Other.service");
        writeFile(other, "[D-BUS Service]\nName=Other\nExec=/bin/true\n");
        if (registered) {
            writeFile(automation::activationFilePath(), expectedActivationFile("/old/wareloom"));
            writeFile(automation::interfaceDescriptionPath(), "<node/>\n");
        }
        const auto run = runWareloom({argument}, false);
        QVERIFY(run.finished);
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.err, QByteArray());
        QVERIFY(!QFile::exists(automation::activationFilePath()));
        QVERIFY(!QFile::exists(automation::interfaceDescriptionPath()));
        QVERIFY(QFile::exists(other));
    }

    // Asked for on the command line, a registration that cannot be written
    // is reported, not passed off as done.
    void registerFailureIsReported()
    {
        writeFile(xdgDataHome() + QStringLiteral("/dbus-1"), "a file where a folder belongs");
        const auto run = runWareloom({"-Register"}, false);
        QVERIFY(run.finished);
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains("dbus-1"), run.err.constData());
    }

    void ordinaryStartRegistersAndShowsTheWindow()
    {
        writeFile(automation::activationFilePath(), expectedActivationFile("/old/wareloom"));
        CWareloomApp app;
        app.m_arguments = QStringList{"wareloom"};
        bool shownRegistered = false;
        auto opened = whenDialogOpens([&](QDialog* dialog) {
            QVERIFY(qobject_cast<CWareloomDlg*>(dialog));
            QCOMPARE(app.m_pMainWnd, dialog);
            QVERIFY(!nameOwned(ServiceName));
            verifyRegistered(QCoreApplication::applicationFilePath());
            shownRegistered = !QTest::currentTestFailed();
            QTest::keyClick(dialog, Qt::Key_Escape);
        });
        QCOMPARE(app.InitInstance(), false);
        QVERIFY(*opened);
        QVERIFY(shownRegistered);
        QCOMPARE(app.ExitInstance(), 0);
    }

    // The real program without switches registers and goes on running with
    // its window until it is ended.
    void ordinaryStartKeepsRunning()
    {
        QProcess program;
        program.setProcessEnvironment(programEnvironment(true));
        program.start(wareloomBinary(), {});
        QVERIFY(program.waitForStarted(BoundMs));
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(automation::activationFilePath()), BoundMs);
        QVERIFY(!program.waitForFinished(300));
        verifyRegistered(wareloomBinary());
        program.kill();
        program.waitForFinished(BoundMs);
    }

    void automatedProgramServesTheObject()
    {
        QProcess program;
        program.setProcessEnvironment(programEnvironment(true));
        program.start(wareloomBinary(), {"-Automation"});
        QVERIFY(program.waitForStarted(BoundMs));
        QTRY_VERIFY_WITH_TIMEOUT(nameOwned(ServiceName), BoundMs);
        QCOMPARE(QDBusConnection::sessionBus().interface()->servicePid(ServiceName).value(),
                 uint(program.processId()));

        BusClient client(m_bus.address(), "client");
        QVERIFY(client.connected());
        QCOMPARE(client.ping().type(), QDBusMessage::ReplyMessage);
        const QDBusMessage introspection = client.introspect();
        QCOMPARE(introspection.type(), QDBusMessage::ReplyMessage);
        const QStringList interfaces =
            declaredInterfaces(introspection.arguments().value(0).toString());
        QVERIFY2(interfaces.contains("Wareloom.IWareloom"), qPrintable(interfaces.join(' ')));
        const QDBusMessage method = client.call("Wareloom.IWareloom", "Anything");
        QCOMPARE(method.type(), QDBusMessage::ErrorMessage);
        QCOMPARE(method.errorName(), QStringLiteral("org.freedesktop.DBus.Error.UnknownMethod"));
        QVERIFY(!QFile::exists(automation::activationFilePath()));
        QVERIFY(!QFile::exists(xdgDataHome()));

        // The client holds the program; when it leaves, the program ends.
        QCOMPARE(program.state(), QProcess::Running);
        client.leave();
        QVERIFY(program.waitForFinished(BoundMs));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
        QVERIFY(!nameOwned(ServiceName));
    }

    // When the bus goes, so do the clients: a held program ends rather than
    // linger, hidden, for clients that cannot come back.
    void heldProgramEndsWithTheBus()
    {
        TestSessionBus bus;
        QVERIFY2(bus.start(xdgDataHome(), programEnvironment(true)), qPrintable(bus.errorString()));
        QProcessEnvironment environment = programEnvironment(true);
        environment.insert("DBUS_SESSION_BUS_ADDRESS", bus.address());
        QProcess program;
        program.setProcessEnvironment(environment);
        program.start(wareloomBinary(), {"-Automation"});
        QVERIFY(program.waitForStarted(BoundMs));

        BusClient client(bus.address(), "client of the lost bus");
        QCOMPARE(pingStarting(client).type(), QDBusMessage::ReplyMessage);

        bus.stop(true);
        QVERIFY(program.waitForFinished(BoundMs));
        QCOMPARE(program.exitCode(), 0);
    }

    // A client calling the registered name starts the program; it runs while
    // any client holds the object and ends when the last one has left.
    void activationStartsTheProgramUntilTheLastClientLeaves_data()
    {
        QTest::addColumn<QString>("folder"); // where the program lies; empty: the build
        QTest::addColumn<QString>("execWord");
        QTest::newRow("built program") << "" << wareloomBinary();
        QTest::newRow("path with a space and a quote")
            << "my app's dir"
            << "'" + m_root.path() + "/my app'\\\\''s dir/wareloom'";
    }
    void activationStartsTheProgramUntilTheLastClientLeaves()
    {
        QFETCH(QString, folder);
        QFETCH(QString, execWord);
        QString program = wareloomBinary();
        if (!folder.isEmpty()) {
            program = m_root.filePath(folder) + QStringLiteral("/wareloom");
            QVERIFY(QDir().mkpath(m_root.filePath(folder)));
            QVERIFY(QFile::exists(program) || QFile::copy(wareloomBinary(), program));
        }
        const auto registered = runProgram(program, {"-Register"});
        QVERIFY(registered.finished);
        QCOMPARE(registered.exitCode, 0);
        QCOMPARE(fileContents(automation::activationFilePath()),
                 "[D-BUS Service]\nName=Wareloom.Application\nExec=" + execWord.toUtf8() +
                     " -Automation\n");
        // The bus notices a changed service file by its time stamp, in whole
        // seconds: have it read the files again.
        QCOMPARE(QDBusConnection::sessionBus().interface()->call("ReloadConfig").type(),
                 QDBusMessage::ReplyMessage);

        BusClient first(m_bus.address(), "first");
        const QDBusMessage answer = pingStarting(first);
        QVERIFY2(answer.type() == QDBusMessage::ReplyMessage, qPrintable(answer.errorMessage()));
        const uint pid = QDBusConnection::sessionBus().interface()->servicePid(ServiceName).value();
        QVERIFY(pid != 0);
        m_activated << pid;
        const QByteArray commandLine = fileContents(QStringLiteral("/proc/%1/cmdline").arg(pid));
        QVERIFY2(commandLine.startsWith(program.toUtf8() + '\0' + "-Automation"),
                 commandLine.constData());

        BusClient second(m_bus.address(), "second");
        QCOMPARE(second.introspect().type(), QDBusMessage::ReplyMessage);

        second.leave();
        // Answered after the program has heard of the second client leaving.
        QCOMPARE(first.ping().type(), QDBusMessage::ReplyMessage);
        QVERIFY(processRunning(pid));

        first.leave();
        QTRY_VERIFY_WITH_TIMEOUT(!processRunning(pid), BoundMs);
        QVERIFY(!nameOwned(ServiceName));
    }

    // Held by a client, every way of ending the main dialog only hides it,
    // and start-up waits, hidden, until the client has left.
    void endingWhileHeldOnlyHides_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("Quit answered Yes") << "Quit";
        QTest::newRow("OK (Enter)") << "Enter";
        QTest::newRow("Cancel (Esc)") << "Esc";
        QTest::newRow("close box") << "Close";
    }
    void endingWhileHeldOnlyHides()
    {
        QFETCH(QString, how);
        CWareloomApp app;
        app.m_arguments = QStringList{"wareloom", "-Automation"};
        MessageBoxHook boxes;
        boxes.queueAnswer(IDYES);
        BusClient client(m_bus.address(), "holder");
        QObject waiting;
        bool hiddenAndWaiting = false;
        auto opened = whenDialogOpens([&](QDialog* dialog) {
            auto* main = qobject_cast<CWareloomDlg*>(dialog);
            QVERIFY(main);
            QVERIFY(nameOwned(ServiceName));
            QVERIFY(!main->heldByAutomation());
            QCOMPARE(client.ping().type(), QDBusMessage::ReplyMessage);
            QVERIFY(main->heldByAutomation());
            endMainDialog(main, how);
            QVERIFY(!main->isVisible());
            QTimer::singleShot(100, &waiting, [&, main] {
                hiddenAndWaiting =
                    app.m_pMainWnd == main && !main->isVisible() && main->heldByAutomation();
                client.leave();
            });
        });
        StartupWatchdog watchdog(app);
        QCOMPARE(app.InitInstance(), false);
        QVERIFY(*opened);
        QVERIFY(!watchdog.fired());
        QVERIFY(hiddenAndWaiting);
        QCOMPARE(app.m_pMainWnd, nullptr);
        QVERIFY(!nameOwned(ServiceName));
        QCOMPARE(applicationLockCount(), 0);
        if (how == QLatin1String("Quit")) {
            QCOMPARE(boxes.shown().size(), 1);
            QCOMPARE(boxes.shown()[0].text, QStringLiteral("Quit program.  Are you sure?"));
        } else {
            QCOMPARE(boxes.shown().size(), 0);
        }
    }

    // With the window still on screen, the program ends when the last of its
    // clients leaves, not before.
    void lastClientLeavingEndsTheProgram()
    {
        CWareloomApp app;
        app.m_arguments = QStringList{"wareloom", "/Embedding"};
        BusClient first(m_bus.address(), "first");
        BusClient second(m_bus.address(), "second");
        bool heldAfterFirstLeft = false;
        auto opened = whenDialogOpens([&](QDialog* dialog) {
            auto* main = qobject_cast<CWareloomDlg*>(dialog);
            QVERIFY(main);
            QCOMPARE(first.introspect().type(), QDBusMessage::ReplyMessage);
            QCOMPARE(second.ping().type(), QDBusMessage::ReplyMessage);
            first.leave();
            QCOMPARE(second.ping().type(), QDBusMessage::ReplyMessage);
            heldAfterFirstLeft = main->isVisible() && main->heldByAutomation();
            second.leave();
        });
        StartupWatchdog watchdog(app);
        QCOMPARE(app.InitInstance(), false);
        QVERIFY(*opened);
        QVERIFY(!watchdog.fired());
        QVERIFY(heldAfterFirstLeft);
        QVERIFY(!nameOwned(ServiceName));
    }

    // The proxy and the dialog point at each other, and whichever goes first
    // unties the other.
    void proxyAndDialogUntieFromEitherSide()
    {
        CWareloomApp app;
        const int locks = applicationLockCount();
        auto dialog = std::make_unique<CWareloomDlg>();
        app.m_pMainWnd = dialog.get();

        auto proxy = std::make_unique<CWareloomDlgAutoProxy>();
        QCOMPARE(proxy->m_pDialog, dialog.get());
        QVERIFY(dialog->heldByAutomation());
        QCOMPARE(applicationLockCount(), locks + 1);
        app.m_pMainWnd = nullptr;
        dialog.reset();
        QCOMPARE(proxy->m_pDialog, nullptr);
        proxy.reset();
        QCOMPARE(applicationLockCount(), locks);

        dialog = std::make_unique<CWareloomDlg>();
        app.m_pMainWnd = dialog.get();
        proxy = std::make_unique<CWareloomDlgAutoProxy>();
        proxy.reset();
        QVERIFY(!dialog->heldByAutomation());

        // Without a main dialog the proxy is tied to nothing.
        app.m_pMainWnd = nullptr;
        proxy = std::make_unique<CWareloomDlgAutoProxy>();
        QCOMPARE(proxy->m_pDialog, nullptr);
        QVERIFY(!dialog->heldByAutomation());
    }
};

QTEST_MAIN(TestAutomation)
#include "tst_automation.moc"
