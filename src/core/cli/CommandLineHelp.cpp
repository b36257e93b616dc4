#include "core/cli/CommandLineHelp.h"

#include <QCoreApplication>

namespace wareloom {
namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(CommandLineHelp)
};

} // namespace

QString versionText()
{
    return QStringLiteral("Wareloom " WARELOOM_VERSION "\n");
}

QString usageText()
{
    //: The first paragraph is also shown alone, under an unknown switch: keep the blank line after
    //: it.
    return Texts::tr(
        "Usage: wareloom [switch]\n"
        "Keep a stock list and publish it as a website over FTP.\n"
        "\n"
        "A switch is written after / or -, in any letter case; an unknown one is\n"
        "refused. Other arguments are ignored. Without a switch, Wareloom writes\n"
        "its D-Bus activation file again and opens the main window.\n"
        "\n"
        "  -Automation, -Embedding   serve the object Wareloom.Application on the\n"
        "                            session bus and open the main window; while a\n"
        "                            client holds the object, closing the window\n"
        "                            only hides it\n"
        "  -Register, -Regserver     write the D-Bus activation file and the\n"
        "                            interface description, and end\n"
        "  -Unregister, -Unregserver remove them, and end\n"
        "  -Publish                  write the pages and upload those the web host\n"
        "                            does not have yet (FTP, FTPS or SFTP), without\n"
        "                            a window\n"
        "  -Publish -All             upload every page\n"
        "  -Publish -Prune           also delete from the web host the pages this\n"
        "                            program sent there whose categories are gone\n"
        "  -Generate                 write the pages only, without a window\n"
        "  -Check                    check the website on the web host: every link\n"
        "                            and picture of the published pages that the\n"
        "                            host lacks or holds with another size than\n"
        "                            was sent, and temporary files left there\n"
        "  -Export CATEGORY FILE     write the category's items to a CSV file\n"
        "                            (- for standard output)\n"
        "  -Import CATEGORY FILE     add the items of a CSV file to the category,\n"
        "                            made when missing (- for standard input); a\n"
        "                            file with a bad row changes nothing\n"
        "  -History CATEGORY         list the kept versions of the category (also\n"
        "                            of a deleted one): number, time, items, action\n"
        "  -Restore CATEGORY VERSION make a kept version the category's file again;\n"
        "                            what it replaces is kept as a version too\n"
        "  --version, -Version       print the version and end\n"
        "  --help, -help, /?         print this help and end\n"
        "\n"
        "Environment:\n"
        "  WARELOOM_DATA_DIR   the data directory (default ~/Wareloom)\n"
        "  WARELOOM_CODEPAGE   the 8-bit code page of records, settings and pages\n"
        "                      (any iconv name; default: the Windows code page of\n"
        "                      the locale)\n"
        "  XDG_DATA_HOME       where -Register writes the activation file\n"
        "                      (default ~/.local/share)\n"
        "\n"
        "Exit status of -Publish, -Generate and -Check:\n"
        "  0 done (-Check: the website is whole), 1 a page was not written or sent\n"
        "  (-Check: something is missing or differs, or the host could not be\n"
        "  listed), 2 no FTP settings, 3 no network library, 4 another run is using\n"
        "  this folder (after waiting 30 s), 5 the web host's key is not trusted (new\n"
        "  or changed)\n");
}

} // namespace wareloom
