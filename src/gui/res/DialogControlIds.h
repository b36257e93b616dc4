#pragma once

// Control ids shared by the item and category dialogs.
namespace wareloom {

enum DialogControlId : int {
    IDC_NAME = 1001, // first edit box: item name, or the new category's name
    IDC_PRICE = 1002,
    IDC_QTY = 1003,
    IDC_CODE = 1004,
    IDC_SAVE = 1005,
    IDC_CATEGORY = 1008, // the open category's name in the item dialogs
    IDC_ADD_PICTURE_UPLOAD = 1013,
    IDC_EDIT_PICTURE_UPLOAD = 1014,
    IDC_PICTURE_FRAME = 1015,
};

} // namespace wareloom
