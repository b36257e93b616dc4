#include "gui/editing/DialogOpening.h"

#include "gui/editing/NewCategory.h"

namespace wareloom {

void runNewCategoryDialog()
{
    NewCategory dialog;
    dialog.DoModal();
}

} // namespace wareloom
