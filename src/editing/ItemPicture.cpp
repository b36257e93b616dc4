#include "editing/ItemPicture.h"

namespace wareloom {

// Picture upload and preview land with the item pictures.
void uploadItemPicture(ResourceDialog&, ItemDialogKind) {}
void showStoredPicture(ResourceDialog&, const QString&) {}

} // namespace wareloom
