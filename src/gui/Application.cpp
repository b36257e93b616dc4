#include "gui/Application.h"

#include "core/automation/AutomationRegistration.h"
#include "core/cli/CommandLine.h"
#include "core/store/CategoryStore.h"
#include "core/store/Inventory.h"
#include "core/transfer/Networking.h"
#include "core/util/ApplicationTitle.h"
#include "gui/MainWindow.h"
#include "gui/SingleInstance.h"
#include "gui/automation/AutomationAdaptor.h"
#include "gui/platform/MessageBox.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>

#include <cstdio>

namespace wareloom {

Application::Application(QStringList arguments, DataDirectory store, QObject* parent)
    : QObject(parent), m_arguments(std::move(arguments)), m_store(std::move(store))
{}

Application::~Application() = default;

int Application::run()
{
    if (!startNetworking()) {
        messageBox(nullptr, tr("Windows sockets initialization failed."), applicationTitle());
        return 1;
    }
    // The session bus is reached only when the program runs automated: an
    // ordinary start needs no bus.
    const CommandLineInfo commandLine = parseCommandLine(m_arguments);
    if (updateAutomation(commandLine))
        runMainWindow();
    m_automation.reset();
    return m_exitCode;
}

bool Application::updateAutomation(const CommandLineInfo& commandLine)
{
    if (runsAutomated(commandLine)) {
        m_automation = std::make_unique<AutomationAdaptor>();
        if (m_automation->start())
            return true;
        m_automation.reset();
        m_exitCode = 1;
        messageBox(nullptr,
                   tr("OLE initialization failed.  Make sure that the OLE libraries "
                      "are the correct version."),
                   applicationTitle());
        return false;
    }
    if (commandLine.shellCommand == CommandLineInfo::ShellCommand::Unregister) {
        reportRegistration(automation::unregisterServer());
        return false;
    }
    // On every ordinary start too, so that the registration repairs itself;
    // then a failure is no reason to stop.
    const Status written = automation::registerServer(programPath());
    if (commandLine.shellCommand == CommandLineInfo::ShellCommand::Register) {
        reportRegistration(written);
        return false;
    }
    return true;
}

// The program the user starts: wareloom starts this one for a window with its
// own path as the first argument.
QString Application::programPath() const
{
    const QString first = m_arguments.value(0);
    return QDir::isAbsolutePath(first) ? first : QCoreApplication::applicationFilePath();
}

// Asked for on the command line, a registration that failed says so on
// standard error and in the exit status.
void Application::reportRegistration(const Status& updated)
{
    if (updated)
        return;
    m_exitCode = 1;
    std::fprintf(stderr, "%s: %s\n", qPrintable(applicationTitle()), qPrintable(updated.message()));
}

void Application::runMainWindow()
{
    QApplication::setQuitOnLastWindowClosed(false);
    (void)m_store.create(); // when it fails the lists are simply empty
    SingleInstance instance(m_store.path());
    // An automation client gets the window it started, whatever else runs.
    if (!m_automation) {
        switch (instance.claim()) {
        case SingleInstance::Claim::First:
            removeLeftoverSaveFiles(m_store.path(), LeftoverAge);
            break;
        case SingleInstance::Claim::Raised:
            return;
        case SingleInstance::Claim::Busy:
            m_exitCode = 1;
            messageBox(nullptr,
                       tr("Another Wareloom is using the folder %1. Close it first, "
                          "or use its window.")
                           .arg(QDir::toNativeSeparators(m_store.path())),
                       applicationTitle());
            return;
        }
    }
    Inventory inventory(m_store);
    MainWindow window(inventory);
    connect(&instance, &SingleInstance::activationRequested, &window, [&window] {
        window.showNormal();
        window.raise();
        window.activateWindow();
    });
    QEventLoop loop;
    connect(&window, &MainWindow::finished, &loop, &QEventLoop::quit);
    if (m_automation) {
        connect(m_automation.get(), &AutomationAdaptor::heldChanged, &window,
                [this, &window, &loop](bool held) {
                    window.setHeldByAutomation(held);
                    if (held)
                        return;
                    // The last client has gone: a hidden program ends, a
                    // shown one closes as the user would close it.
                    m_automation->releaseName();
                    if (window.isHidden())
                        loop.quit();
                    else
                        window.close();
                });
    }
    window.show();
    loop.exec();
}

} // namespace wareloom
