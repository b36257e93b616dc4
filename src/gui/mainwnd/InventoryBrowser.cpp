// The main window's list: its two views, their rebuilds and the selection.
#include "gui/mainwnd/CWareloomDlg.h"

#include "gui/editing/DialogOpening.h"
#include "gui/mainwnd/BrowserState.h"
#include "gui/mainwnd/ListLines.h"
#include "core/util/ApplicationTitle.h"
#include "gui/platform/MessageBox.h"
#include "gui/res/MainDialogResource.h"
#include "gui/mainwnd/BrowserState.h"

using namespace wareloom;

void CWareloomDlg::ListRefreshTimerProc()
{
    if (!browserState().refresh)
        return;
    if (browserState().categoryView)
        rebuildCategoryView();
    else
        rebuildItemView();
}

void CWareloomDlg::rebuildCategoryView()
{
    BrowserState& state = browserState();
    state.categoryCount = 0;
    setControlText(IDC_HEADING, QStringLiteral("Category List"));
    listResetContent(IDC_LIST);
    state.totalItemCount = 0;

    m_listedCategories = listCategories();
    for (const FoundCategory& category : m_listedCategories) {
        ++state.categoryCount;
        const int count = countItems(dataFilePath(category.fileName));
        state.totalItemCount += count;
        listAddString(IDC_LIST, categoryLine(category.name, count));
    }

    state.currentCategoryPath.clear();
    setControlText(IDC_NUMBER, QString::number(state.totalItemCount));
    state.refresh = false;
}

void CWareloomDlg::rebuildItemView()
{
    BrowserState& state = browserState();
    setControlText(IDC_HEADING, state.currentCategoryName);
    listResetContent(IDC_LIST);
    listAddString(IDC_LIST, backEntry());

    RecordTable& table = recordTable();
    const Status loaded = loadCategory(state.currentCategoryPath, table);
    for (int slot = 1; slot <= table.recordCount; ++slot)
        listAddString(IDC_LIST, itemLine(table.slots[size_t(slot)]));

    setControlText(IDC_NUMBER, QString::number(table.recordCount));
    state.categoryView = false;
    state.refresh = false;
    // Told after the flags are clear: the list timer ticks on while the box is up.
    if (!loaded)
        messageBox(this, loaded.message(), applicationTitle());
}

void CWareloomDlg::OnSelchangeList()
{
    BrowserState& state = browserState();
    // A rebuild is pending: the lines still belong to the view being left.
    if (state.refresh)
        return;
    const int count = listCount(IDC_LIST);
    const int selected = listCurrentSelection(IDC_LIST);
    if (selected < 0 || selected >= count)
        return;

    if (state.categoryView) {
        if (size_t(selected) >= m_listedCategories.size())
            return;
        const FoundCategory& category = m_listedCategories[size_t(selected)];
        state.currentCategoryPath = dataFilePath(category.fileName);
        state.currentCategoryName = category.name;
        state.refresh = true;
        state.categoryView = false;
        return;
    }
    // The back entry is always the first line; an item may be named "<-Back..." too.
    if (selected == 0) {
        state.categoryView = true;
        state.refresh = true;
        return;
    }
    state.selectedItemSlot = selected;
    openEditItemDialog();
}
