// The commands the main window carries out itself.
#include "mainwnd/CWareloomDlg.h"

#include "app/CAboutDlg.h"
#include "editing/DialogOpening.h"
#include "editing/FocusTimer.h"
#include "mainwnd/BrowserState.h"
#include "platform/ApplicationTitle.h"
#include "platform/MessageBox.h"

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
