#include "gui/res/MainDialogResource.h"

#include "gui/res/CommandIds.h"

namespace wareloom {

const DialogTemplate& mainDialogTemplate()
{
    using namespace ControlStyle;
    static const DialogTemplate dialog{
        QStringLiteral("Wareloom"),
        QStringLiteral("Courier New"), // fixed pitch: the list's columns are made of spaces
        14,
        {370, 253},
        {
            listBox(IDC_LIST, {7, 16, 356, 228}),
            label(IDC_HEADING, QStringLiteral("Static"), {7, 7, 314, 10},
                  Centre | VCentre | Border | Sunken),
            label(IDC_NUMBER, QStringLiteral("Static"), {321, 7, 42, 10}, Right | Border | Sunken),
        },
    };
    return dialog;
}

const MenuTemplate& mainMenuTemplate()
{
    static const MenuTemplate menu{
        {QStringLiteral("&File"), {{QStringLiteral("&Quit Program"), ID_FILE_QUITPROGRAM}}},
        {QStringLiteral("&Items"), {{QStringLiteral("&Item Add"), ID_ITEMS_ITEMADD}}},
        {QStringLiteral("&Category"),
         {{QStringLiteral("&New Category"), ID_CATEGORY_NEWCATEGORY},
          {QStringLiteral("&Delete Category"), ID_CATEGORY_DELETECATEGORY}}},
        {QStringLiteral("&HTML"),
         {{QStringLiteral("&FTP Settings"), ID_HTML_FTPSETTINGS},
          {QStringLiteral("&FTP Upload"), ID_HTML_FTPUPLOAD},
          {QStringLiteral("&WebSite"), ID_HTML_WEBSITE},
          {QStringLiteral("W&ebSite Banner Upload"), ID_HTML_WEBSITEBANNERUPLOAD}}},
        {QStringLiteral("&Help"), {{QStringLiteral("&About"), ID_HELP_ABOUT}}},
    };
    return menu;
}

} // namespace wareloom
