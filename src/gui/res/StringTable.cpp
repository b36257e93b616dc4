#include "gui/res/StringTable.h"

namespace wareloom {

QString loadString(int id)
{
    switch (id) {
    case IDP_OLE_INIT_FAILED:
        return QStringLiteral(
            "OLE initialization failed.  Make sure that the OLE libraries are the "
            "correct version.");
    case IDS_ABOUTBOX:
        return QStringLiteral("&About Wareloom...");
    case IDP_SOCKETS_INIT_FAILED:
        return QStringLiteral("Windows sockets initialization failed.");
    }
    return {};
}

} // namespace wareloom
