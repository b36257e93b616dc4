#include "core/automation/AutomationRegistration.h"
#include "gui/Application.h"
#include "gui/MainWindow.h"
#include "gui/platform/MessageBox.h"

#include "DialogTestDriver.h"
#include "TempDataDirectory.h"
#include "TestFiles.h"
#include "TestSessionBus.h"
#include "WareloomProgram.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QDir>
#include <QTest>

#include <csignal>
#include <memory>

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

bool nameOwned(const QString& name)
{
    return QDBusConnection::sessionBus().interface()->isServiceRegistered(name).value();
}

uint ownerPid()
{
    return QDBusConnection::sessionBus().interface()->servicePid(ServiceName).value();
}

// Running, and not a zombie waiting for its parent.
bool processRunning(uint pid)
{
    const QByteArray line = readFile(QStringLiteral("/proc/%1/stat").arg(pid));
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

    // Waits (bounded) for the answer; the event loop runs meanwhile, so an
    // object in this process can answer.
    QDBusMessage call(const QString& interface, const QString& member)
    {
        QDBusPendingCall pending = m_connection.asyncCall(
            QDBusMessage::createMethodCall(ServiceName, "/Wareloom/Application", interface, member),
            BoundMs);
        const QDeadlineTimer deadline(BoundMs + 1000);
        while (!pending.isFinished() && !deadline.hasExpired())
            QTest::qWait(5);
        return pending.reply();
    }
    QDBusMessage ping() { return call("org.freedesktop.DBus.Peer", "Ping"); }
    QDBusMessage introspect() { return call("org.freedesktop.DBus.Introspectable", "Introspect"); }

    // Pings by the name, which lets the bus start the program; the bus may
    // still be reading its service directory, or the program not own the name yet.
    QDBusMessage pingStarting()
    {
        const QDeadlineTimer deadline(BoundMs);
        QDBusMessage answer = ping();
        while (answer.errorName() == "org.freedesktop.DBus.Error.ServiceUnknown" &&
               !deadline.hasExpired()) {
            QTest::qWait(50);
            answer = ping();
        }
        return answer;
    }

    // Leaves the bus, and waits until the bus has seen it go.
    void leave()
    {
        if (!m_connection.isConnected())
            return;
        const QString unique = m_connection.baseService();
        m_connection = QDBusConnection(QString());
        QDBusConnection::disconnectFromBus(m_name);
        QTRY_VERIFY_WITH_TIMEOUT(!nameOwned(unique), BoundMs);
    }

private:
    QString m_name;
    QDBusConnection m_connection;
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

    static void writeFileAt(const QString& path, const QByteArray& bytes)
    {
        QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
        QVERIFY(writeFile(path, bytes));
    }

    static void verifyRegistered(const QString& program)
    {
        QCOMPARE(readFile(automation::activationFilePath()), activationFile(program));
        const QByteArray xml = readFile(automation::interfaceDescriptionPath());
        // The interface, without members.
        QVERIFY2(xml.contains("<interface name=\"Wareloom.IWareloom\">\n  </interface>"),
                 xml.constData());
    }

    // Ends a start-up stuck in a failed test, so that the test cannot hang.
    static std::shared_ptr<bool> watchdog(QObject* context)
    {
        auto fired = std::make_shared<bool>(false);
        auto* timer = new QTimer(context);
        QObject::connect(timer, &QTimer::timeout, [timer, fired] {
            *fired = true;
            timer->setInterval(200);
            QCoreApplication::exit(1);
        });
        timer->start(BoundMs);
        return fired;
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_root.isValid());
        qputenv("XDG_DATA_HOME", QFile::encodeName(xdgDataHome()));
        m_data = std::make_unique<TempDataDirectory>();
        // Programs the bus starts get the test's directories and the offscreen platform.
        QVERIFY2(m_bus.start(xdgDataHome() + "/dbus-1/services", programEnvironment(true)),
                 qPrintable(m_bus.errorString()));
        qputenv("DBUS_SESSION_BUS_ADDRESS", m_bus.address().toUtf8());
        QVERIFY(QDBusConnection::sessionBus().isConnected());
    }

    void init() { QVERIFY(QDir(xdgDataHome()).removeRecursively()); }

    // A failed test may leave a program behind that the bus started.
    void cleanup()
    {
        const uint owner = ownerPid();
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

    // Without a window; a registration that cannot be written is reported.
    void registrationSwitches_data()
    {
        QTest::addColumn<QString>("argument");
        QTest::addColumn<bool>("before"); // registered before
        QTest::addColumn<bool>("after");
        QTest::addColumn<bool>("blocked"); // a file where the dbus-1 folder belongs
        QTest::newRow("-Register") << "-Register" << false << true << false;
        QTest::newRow("/REGSERVER over an old one") << "/REGSERVER" << true << true << false;
        QTest::newRow("/Unregister") << "/Unregister" << true << false << false;
        QTest::newRow("-unregserver") << "-unregserver" << true << false << false;
        QTest::newRow("nothing to remove") << "-Unregister" << false << false << false;
        QTest::newRow("cannot be written") << "-Register" << false << false << true;
    }
    void registrationSwitches()
    {
        QFETCH(QString, argument);
        QFETCH(bool, before);
        QFETCH(bool, after);
        QFETCH(bool, blocked);
        const QString other = xdgDataHome() + "/dbus-1/services/Other.service";
        if (blocked) {
            writeFileAt(xdgDataHome() + "/dbus-1", "a file where a folder belongs");
        } else {
            writeFileAt(other, "[D-BUS Service]\nName=Other\nExec=/bin/true\n");
        }
        if (before) {
            writeFileAt(automation::activationFilePath(), activationFile("/old/wareloom"));
            writeFileAt(automation::interfaceDescriptionPath(), "<node/>\n");
        }
        const auto run = runWareloom({argument}, false);
        QVERIFY(run.finished);
        QCOMPARE(run.exitCode, blocked ? 1 : 0);
        if (blocked) {
            QVERIFY2(run.err.contains("dbus-1"), run.err.constData());
            return;
        }
        QCOMPARE(run.err, QByteArray());
        if (after) {
            verifyRegistered(wareloomBinary());
        } else {
            QVERIFY(!QFile::exists(automation::activationFilePath()));
            QVERIFY(!QFile::exists(automation::interfaceDescriptionPath()));
        }
        QVERIFY(QFile::exists(other));
    }

    void automatedProgramServesTheObject()
    {
        QProcess program;
        program.setProcessEnvironment(programEnvironment(true));
        program.start(wareloomBinary(), {"-Automation"});
        QVERIFY(program.waitForStarted(BoundMs));
        QTRY_VERIFY_WITH_TIMEOUT(nameOwned(ServiceName), BoundMs);
        QCOMPARE(ownerPid(), uint(program.processId()));

        BusClient client(m_bus.address(), "client");
        QCOMPARE(client.ping().type(), QDBusMessage::ReplyMessage);
        const QDBusMessage introspection = client.introspect();
        QCOMPARE(introspection.type(), QDBusMessage::ReplyMessage);
        const QString xml = introspection.arguments().value(0).toString();
        QVERIFY2(xml.contains("<interface name=\"Wareloom.IWareloom\""), qPrintable(xml));
        const QDBusMessage method = client.call("Wareloom.IWareloom", "Anything");
        QCOMPARE(method.errorName(), QStringLiteral("org.freedesktop.DBus.Error.UnknownMethod"));
        QVERIFY(!QFile::exists(xdgDataHome())); // an automated start registers nothing

        // The client holds the program; when it leaves, the program ends.
        QCOMPARE(program.state(), QProcess::Running);
        client.leave();
        QVERIFY(program.waitForFinished(BoundMs));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
        QVERIFY(!nameOwned(ServiceName));
    }

    // A client calling the registered name starts the program; it runs while
    // any client holds it and ends when the last one has left.
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
            program = m_root.filePath(folder) + "/wareloom";
            QVERIFY(QDir().mkpath(m_root.filePath(folder)));
            QVERIFY(QFile::exists(program) || QFile::copy(wareloomBinary(), program));
        }
        const auto registered = runProgram(program, {"-Register"});
        QVERIFY(registered.finished);
        QCOMPARE(registered.exitCode, 0);
        QCOMPARE(readFile(automation::activationFilePath()), activationFile(execWord));
        // The bus notices a changed service file by its time stamp, in whole
        // seconds: have it read the files again.
        QCOMPARE(QDBusConnection::sessionBus().interface()->call("ReloadConfig").type(),
                 QDBusMessage::ReplyMessage);

        BusClient first(m_bus.address(), "first");
        const QDBusMessage answer = first.pingStarting();
        QVERIFY2(answer.type() == QDBusMessage::ReplyMessage, qPrintable(answer.errorMessage()));
        const uint pid = ownerPid();
        QVERIFY(pid != 0);
        m_activated << pid;
        const QByteArray commandLine = readFile(QStringLiteral("/proc/%1/cmdline").arg(pid));
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

    // An ordinary start registers again, without owning the automation name; a
    // second ordinary start on the same folder shows the first window and ends.
    void secondStartRaisesTheFirstWindow()
    {
        Application first({"wareloom"});
        QProcess second;
        second.setProcessEnvironment(programEnvironment(true));
        bool shownAgain = false;
        QObject waiting;
        auto opened = whenWindowShows<MainWindow>([&](MainWindow* main) {
            verifyRegistered(QCoreApplication::applicationFilePath());
            QVERIFY(!nameOwned(ServiceName));
            main->hide();
            second.start(wareloomBinary(), {});
            QVERIFY(
                QTest::qWaitFor([&] { return second.state() == QProcess::NotRunning; }, BoundMs));
            shownAgain = QTest::qWaitFor([&] { return main->isVisible(); }, 2000);
            main->close();
        });
        const auto fired = watchdog(&waiting);
        QCOMPARE(first.run(), 0);
        QVERIFY(*opened);
        QVERIFY(!*fired);
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);
        QVERIFY(shownAgain);
    }

    // While held, every way of ending the main window only hides it; the
    // program waits, hidden, until the last client has left.
    void heldUntilTheLastClientLeaves_data()
    {
        QTest::addColumn<QString>("argument");
        QTest::addColumn<QString>("how"); // empty: the window stays
        QTest::newRow("Quit answered Yes") << "-Automation"
                                           << "Quit";
        QTest::newRow("Esc") << "-Automation"
                             << "Esc";
        QTest::newRow("/Embedding, not ended") << "/Embedding"
                                               << "";
    }
    void heldUntilTheLastClientLeaves()
    {
        QFETCH(QString, argument);
        QFETCH(QString, how);
        Application app({"wareloom", argument});
        MessageBoxHook boxes;
        boxes.queueAnswer(IDYES);
        BusClient first(m_bus.address(), "first");
        BusClient second(m_bus.address(), "second");
        QObject waiting;
        bool heldAfterFirstLeft = false;
        auto opened = whenWindowShows<MainWindow>([&](MainWindow* main) {
            QVERIFY(nameOwned(ServiceName));
            QCOMPARE(first.introspect().type(), QDBusMessage::ReplyMessage);
            QCOMPARE(second.ping().type(), QDBusMessage::ReplyMessage);
            if (how == "Quit")
                main->findChild<QAction*>("actionQuitProgram")->trigger();
            else if (how == "Esc")
                QTest::keyClick(main, Qt::Key_Escape);
            QCOMPARE(main->isVisible(), how.isEmpty());
            first.leave();
            // Answered after the program has heard of the first client leaving.
            QCOMPARE(second.ping().type(), QDBusMessage::ReplyMessage);
            QPointer<MainWindow> alive = main;
            QTimer::singleShot(100, &waiting, [&, alive] {
                heldAfterFirstLeft = alive && alive->isVisible() == how.isEmpty();
                second.leave();
            });
        });
        const auto fired = watchdog(&waiting);
        QCOMPARE(app.run(), 0);
        QVERIFY(*opened);
        QVERIFY(!*fired);
        QVERIFY(heldAfterFirstLeft);
        QVERIFY(!nameOwned(ServiceName));
        QCOMPARE(boxes.shown().size(), how == "Quit" ? 1 : 0);
    }
};

QTEST_MAIN(TestAutomation)
#include "tst_automation.moc"
