#pragma once

// The ids every dialog shares: the OK and Cancel commands, which are also the
// answers of message boxes, and the other answers a message box can give.
namespace wareloom {

enum StandardId : int {
    IDOK = 1,
    IDCANCEL = 2,
    IDYES = 6,
    IDNO = 7,
};

// Id of a control that nothing refers to (labels).
constexpr int IDC_STATIC = -1;

} // namespace wareloom
