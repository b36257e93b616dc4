#include "gui/mainwnd/CWareloomDlg.h"

#include "gui/app/CWareloomDlgAutoProxy.h"
#include "gui/res/ApplicationIcon.h"
#include "gui/res/CommandIds.h"
#include "gui/res/MainDialogResource.h"
#include "gui/res/ToolbarResource.h"

#include <QPointer>
#include <QScreen>
#include <QTimer>

using namespace wareloom;

namespace {

constexpr int ListRefreshPeriodMs = 250;

} // namespace

CWareloomDlg::CWareloomDlg(QWidget* parent)
    : ResourceDialog(mainDialogTemplate(), commandTable(), parent), m_hIcon(applicationIcon())
{}

CWareloomDlg::~CWareloomDlg()
{
    if (m_pAutoProxy)
        m_pAutoProxy->m_pDialog = nullptr;
}

std::span<const ResourceDialog::Command> CWareloomDlg::commandTable()
{
    static const Command table[] = {
        onSelectionChange(IDC_LIST, &CWareloomDlg::OnSelchangeList),
        onCommand(ID_FILE_QUITPROGRAM, &CWareloomDlg::OnQuitProgram),
        onCommand(ID_ITEMS_ITEMADD, &CWareloomDlg::OnItemAdd),
        onCommand(ID_BUTTON_ITEMADD, &CWareloomDlg::OnItemAdd),
        onCommand(ID_CATEGORY_NEWCATEGORY, &CWareloomDlg::OnNewCategory),
        onCommand(ID_CATEGORY_DELETECATEGORY, &CWareloomDlg::OnDeleteCategory),
        onCommand(ID_HTML_FTPSETTINGS, &CWareloomDlg::OnFTPSettings),
        onCommand(ID_HTML_FTPUPLOAD, &CWareloomDlg::OnFTPUpload),
        onCommand(ID_BUTTON_FTPUPLOAD, &CWareloomDlg::OnFTPUploadButton),
        onCommand(ID_HTML_WEBSITE, &CWareloomDlg::OnWebSite),
        onCommand(ID_BUTTON_WEBSITE, &CWareloomDlg::OnWebSite),
        onCommand(ID_HELP_ABOUT, &CWareloomDlg::OnAbout),
        onCommand(ID_HTML_WEBSITEBANNERUPLOAD, &CWareloomDlg::OnBannerUpload),
    };
    return table;
}

void CWareloomDlg::DoDataExchange()
{
    setMenu(mainMenuTemplate());
}

void CWareloomDlg::OnInitDialog()
{
    ResourceDialog::OnInitDialog();
    // The About entry of the system menu has no home here: the window manager
    // owns that menu. Help > About opens the same box.
    setWindowIcon(m_hIcon);
    installListTimer();
    createDataDirectory(); // when it fails the lists are simply empty
    if (!createToolBar(mainToolbarTemplate()))
        EndDialog(IDCANCEL);

    adjustSize();
    if (QScreen* desktop = screen())
        move(desktop->availableGeometry().center() - rect().center());
}

void CWareloomDlg::installListTimer()
{
    // One list timer while a main dialog lives; it goes with the dialog.
    static QPointer<QTimer> listTimer;
    if (listTimer)
        return;
    listTimer = new QTimer(this);
    connect(listTimer, &QTimer::timeout, this, &CWareloomDlg::ListRefreshTimerProc);
    listTimer->start(ListRefreshPeriodMs);
    // The first list as soon as the window shows, not a whole period later.
    QTimer::singleShot(0, this, &CWareloomDlg::ListRefreshTimerProc);
}

bool CWareloomDlg::CanExit()
{
    if (m_pAutoProxy) {
        hide();
        return false;
    }
    return true;
}

void CWareloomDlg::OnOK()
{
    if (CanExit())
        ResourceDialog::OnOK();
}

void CWareloomDlg::OnCancel()
{
    if (CanExit())
        ResourceDialog::OnCancel();
}

void CWareloomDlg::OnClose()
{
    if (CanExit())
        ResourceDialog::OnClose();
}
