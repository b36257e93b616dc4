#include "app/CWareloomApp.h"

#include "app/CommandLine.h"
#include "mainwnd/CWareloomDlg.h"
#include "platform/ApplicationTitle.h"
#include "platform/MessageBox.h"
#include "platform/Sockets.h"
#include "res/StringTable.h"

#include <QCoreApplication>

using namespace wareloom;

namespace {

CWareloomApp* g_app = nullptr;

} // namespace

CWareloomApp::CWareloomApp()
{
    g_app = this;
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
    // The common controls and the framework are ready once QApplication exists.
    if (!startSockets()) {
        messageBox(nullptr, loadString(IDP_SOCKETS_INIT_FAILED), applicationTitle());
        return false;
    }

    const CommandLineInfo commandLine = parseCommandLine(QCoreApplication::arguments());
    if (!startAutomation(commandLine))
        return false;

    CWareloomDlg dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = nullptr;
    return false;
}
