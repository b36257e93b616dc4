#include "gui/app/CWareloomApp.h"

#include "core/automation/AutomationRegistration.h"
#include "gui/app/AutomationServer.h"
#include "core/cli/CommandLine.h"
#include "gui/mainwnd/CWareloomDlg.h"
#include "core/util/ApplicationTitle.h"
#include "gui/platform/MessageBox.h"
#include "core/transfer/Sockets.h"
#include "gui/res/StringTable.h"

#include <QCoreApplication>
#include <QEventLoop>

#include <cstdio>

using namespace wareloom;

namespace {

CWareloomApp* g_app = nullptr;

} // namespace

CWareloomApp::CWareloomApp()
{
    g_app = this;
    if (QCoreApplication::instance())
        m_arguments = QCoreApplication::arguments();
}

CWareloomApp::~CWareloomApp()
{
    g_app = nullptr;
}

CWareloomApp* CWareloomApp::instance()
{
    return g_app;
}

bool CWareloomApp::InitInstance()
{
    // The common controls and the framework are ready once the Qt application
    // object exists; nothing is kept in a registry.
    if (!startSockets()) {
        m_exitCode = 1;
        messageBox(nullptr, loadString(IDP_SOCKETS_INIT_FAILED), applicationTitle());
        return false;
    }

    // The session bus is reached only when the program runs automated (in
    // UpdateAutomation): an ordinary start needs no bus.
    const CommandLineInfo commandLine = parseCommandLine(m_arguments);
    if (!UpdateAutomation(commandLine))
        return false;

    RunMainDialog();
    m_automation.reset();
    return false;
}

bool CWareloomApp::UpdateAutomation(const CommandLineInfo& commandLine)
{
    if (runsAutomated(commandLine)) {
        m_automation = std::make_unique<AutomationServer>();
        if (m_automation->start())
            return true;
        m_automation.reset();
        m_exitCode = 1;
        messageBox(nullptr, loadString(IDP_OLE_INIT_FAILED), applicationTitle());
        return false;
    }
    if (commandLine.shellCommand == CommandLineInfo::ShellCommand::Unregister) {
        ReportRegistration(automation::unregisterServer());
        return false;
    }
    // On every ordinary start too, so that the registration repairs itself;
    // then a failure is no reason to stop.
    const Status written = automation::registerServer(QCoreApplication::applicationFilePath());
    if (commandLine.shellCommand == CommandLineInfo::ShellCommand::Register) {
        ReportRegistration(written);
        return false;
    }
    return true;
}

// Asked for on the command line, a registration that failed says so on
// standard error and in the exit status.
void CWareloomApp::ReportRegistration(const Status& updated)
{
    if (updated)
        return;
    m_exitCode = 1;
    std::fprintf(stderr, "%s: %s\n", qPrintable(applicationTitle()), qPrintable(updated.message()));
}

void CWareloomApp::RunMainDialog()
{
    CWareloomDlg dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();
    // Hiding the dialog ends its modal loop. While an automation client holds
    // the program it goes on, hidden, until the last client has left.
    if (dlg.heldByAutomation()) {
        QEventLoop hidden;
        m_hiddenLoop = &hidden;
        hidden.exec();
        m_hiddenLoop = nullptr;
    }
    m_pMainWnd = nullptr;
}

void CWareloomApp::OnReleaseAllObjects()
{
    if (m_automation)
        m_automation->releaseName();
    if (m_hiddenLoop) {
        m_hiddenLoop->quit();
        return;
    }
    // Still on screen: close it as the user would.
    if (m_pMainWnd && m_automation)
        m_pMainWnd->close();
}
