// The commands the main window carries out itself.
#include "gui/mainwnd/CWareloomDlg.h"

#include "core/util/ApplicationTitle.h"
#include "gui/app/CAboutDlg.h"
#include "gui/editing/DialogOpening.h"
#include "gui/editing/FocusTimer.h"
#include "gui/mainwnd/BrowserState.h"
#include "gui/platform/MessageBox.h"
#include "gui/publish/WebHost.h"

using namespace wareloom;

void CWareloomDlg::OnItemAdd()
{
    if (browserState().currentCategoryPath.isEmpty()) {
        messageBox(this, QStringLiteral("Error You have to select a category first!"),
                   applicationTitle());
        return;
    }
    armFocusTimer(itemAddFocusOnce());
    runItemAddDialog();
}

void CWareloomDlg::OnNewCategory()
{
    armFocusTimer(newCategoryFocusOnce());
    runNewCategoryDialog();
}

void CWareloomDlg::OnQuitProgram()
{
    if (messageBox(this, QStringLiteral("Quit program.  Are you sure?"),
                   QStringLiteral("Quit Program"), MessageButtons::YesNo) == IDYES)
        OnOK();
}

void CWareloomDlg::OnAbout()
{
    CAboutDlg about;
    about.DoModal();
}

void CWareloomDlg::OnFTPUploadButton()
{
    OnFTPUpload();
}

void CWareloomDlg::OnFTPSettings()
{
    WebHost(this).editSettings();
}

void CWareloomDlg::OnFTPUpload()
{
    WebHost(this).publish(browserState().categoryCount);
}

void CWareloomDlg::OnWebSite()
{
    WebHost(this).openWebsite();
}

void CWareloomDlg::OnBannerUpload()
{
    WebHost(this).uploadBanner();
}
