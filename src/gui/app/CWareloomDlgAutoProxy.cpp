#include "gui/app/CWareloomDlgAutoProxy.h"

#include "gui/app/ApplicationLock.h"
#include "gui/app/CWareloomApp.h"
#include "gui/mainwnd/CWareloomDlg.h"

using namespace wareloom;

CWareloomDlgAutoProxy::CWareloomDlgAutoProxy()
{
    lockApplication();
    if (CWareloomApp* app = CWareloomApp::instance(); app && app->m_pMainWnd) {
        m_pDialog = app->m_pMainWnd;
        m_pDialog->m_pAutoProxy = this;
    }
}

CWareloomDlgAutoProxy::~CWareloomDlgAutoProxy()
{
    if (m_pDialog)
        m_pDialog->m_pAutoProxy = nullptr;
    unlockApplication();
}
