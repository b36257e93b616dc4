#include "gui/editing/DialogOpening.h"

#include "gui/editing/ItemAdd.h"

namespace wareloom {

void runItemAddDialog()
{
    ItemAdd dialog;
    dialog.DoModal();
}

} // namespace wareloom
