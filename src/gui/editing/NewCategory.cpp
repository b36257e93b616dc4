#include "gui/editing/NewCategory.h"

#include "gui/mainwnd/BrowserState.h"
#include "gui/platform/MessageBox.h"
#include "gui/res/DialogControlIds.h"
#include "gui/res/NewCategoryResource.h"
#include "core/store/CategoryStore.h"

using namespace wareloom;

namespace {

constexpr int MaxCategoryNameLength = 80;

const QString ErrorCaption = QStringLiteral("ERROR:");

} // namespace

NewCategory::NewCategory() : ResourceDialog(newCategoryTemplate(), commandTable()) {}

std::span<const ResourceDialog::Command> NewCategory::commandTable()
{
    static const Command table[] = {onCommand(IDC_SAVE, &NewCategory::OnSave)};
    return table;
}

void NewCategory::OnSave()
{
    const QString name = controlText(IDC_NAME);
    if (name.isEmpty())
        return;
    if (name.size() > MaxCategoryNameLength) {
        messageBox(this, QStringLiteral("Maximum 80 Characters for category name!"), ErrorCaption);
        return;
    }
    // A name that clashes with a category or is no plain file name is refused
    // like a name that is too long: the existing file stays as it is and the
    // user can correct the name.
    if (const Status created = createCategory(name); !created) {
        messageBox(this, created.message(), ErrorCaption);
        return;
    }
    BrowserState& state = browserState();
    state.categoryView = true;
    state.refresh = true;
    OnOK();
}
