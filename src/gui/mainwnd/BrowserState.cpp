#include "gui/mainwnd/BrowserState.h"

namespace wareloom {

BrowserState& browserState()
{
    static BrowserState state;
    return state;
}

} // namespace wareloom
