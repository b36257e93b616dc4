#pragma once

#include <QString>

namespace wareloom {

enum StringId : int {
    IDP_OLE_INIT_FAILED = 100,
    IDS_ABOUTBOX = 101,
    IDP_SOCKETS_INIT_FAILED = 103,
};

// The text of a string resource; empty for an id the table does not hold.
QString loadString(int id);

} // namespace wareloom
