#pragma once

// Command ids of the menu entries and toolbar buttons.
namespace wareloom {

enum CommandId : int {
    ID_FILE_QUITPROGRAM = 32771,
    ID_ITEMS_ITEMADD = 32772,
    ID_CATEGORY_NEWCATEGORY = 32774,
    ID_CATEGORY_DELETECATEGORY = 32775,
    ID_HTML_FTPSETTINGS = 32777,
    ID_HTML_FTPUPLOAD = 32778,
    ID_HTML_WEBSITE = 32779,
    ID_ITEM_DELETEITEM = 32780, // the Edit Item dialog's menu
    ID_BUTTON_ITEMADD = 32781,
    ID_BUTTON_FTPUPLOAD = 32782,
    ID_HELP_ABOUT = 32783,
    ID_BUTTON_WEBSITE = 32784,
    ID_HTML_WEBSITEBANNERUPLOAD = 32785,
};

} // namespace wareloom
