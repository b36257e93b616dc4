#include "editing/DialogOpening.h"

#include "editing/ItemAdd.h"

namespace wareloom {

void runItemAddDialog()
{
    ItemAdd dialog;
    dialog.DoModal();
}

} // namespace wareloom
