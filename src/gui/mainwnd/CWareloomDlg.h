#pragma once

#include "gui/platform/ResourceDialog.h"
#include "core/store/CategoryStore.h"

#include <QIcon>

#include <vector>

class CWareloomDlgAutoProxy;

// The main dialog: menu bar, toolbar, the inventory list with its heading and
// number, and the commands of the menu and toolbar.
class CWareloomDlg : public wareloom::ResourceDialog
{
    Q_OBJECT
    friend class CWareloomDlgAutoProxy;

public:
    explicit CWareloomDlg(QWidget* parent = nullptr);
    // Unties the automation proxy, if one is tied.
    ~CWareloomDlg() override;

    // An automation proxy is tied: ending the dialog only hides it.
    bool heldByAutomation() const { return m_pAutoProxy != nullptr; }

    // Every 250 ms: rebuilds the list in the view the browser state names
    // when it asks for a refresh.
    void ListRefreshTimerProc();

    // The list's selection changed: open a category, go back, or edit an item.
    void OnSelchangeList();

    // Menu and toolbar commands.
    void OnQuitProgram();
    void OnItemAdd();
    void OnNewCategory();
    void OnDeleteCategory();
    void OnFTPSettings();
    void OnFTPUpload();
    void OnFTPUploadButton();
    void OnWebSite();
    void OnAbout();
    void OnBannerUpload();

protected:
    void OnInitDialog() override;
    void DoDataExchange() override;
    // While an automation client holds the program these only hide the window.
    void OnOK() override;
    void OnCancel() override;
    void OnClose() override;

    // The automation proxy tied to this dialog, or none.
    CWareloomDlgAutoProxy* m_pAutoProxy = nullptr;

private:
    bool CanExit();
    void installListTimer();
    void rebuildCategoryView();
    void rebuildItemView();
    static std::span<const Command> commandTable();

    QIcon m_hIcon;
    // The categories behind the lines of the category view, in list order, so
    // that a line gives back its category whatever its name.
    std::vector<wareloom::FoundCategory> m_listedCategories;
};
