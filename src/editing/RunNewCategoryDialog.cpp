#include "editing/DialogOpening.h"

#include "editing/NewCategory.h"

namespace wareloom {

void runNewCategoryDialog()
{
    NewCategory dialog;
    dialog.DoModal();
}

} // namespace wareloom
