#include "app/CWareloomDlgAutoProxy.h"

#include "app/ApplicationLock.h"
#include "app/CWareloomApp.h"
#include "mainwnd/CWareloomDlg.h"

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
