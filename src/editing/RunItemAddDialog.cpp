#include "editing/DialogOpening.h"

namespace wareloom {

// Stub: the Add Item dialog lands with its own work; until then nothing opens.
void runItemAddDialog() {}

} // namespace wareloom
