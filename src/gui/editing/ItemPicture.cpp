#include "gui/editing/ItemPicture.h"

#include "core/store/CategoryStore.h"
#include "core/util/AtomicFile.h"
#include "gui/platform/FileDialog.h"
#include "gui/platform/MessageBox.h"
#include "gui/platform/Picture.h"
#include "gui/platform/ResourceDialog.h"
#include "gui/publish/WebHost.h"
#include "gui/res/DialogControlIds.h"

namespace wareloom {
namespace {

QString pictureFileName(const QString& code)
{
    return code + QStringLiteral(".jpg");
}

QString caption()
{
    return QStringLiteral("Wareloom");
}

// The code names a file in the data directory and on the host: tells the user
// and returns false when it cannot.
bool checkPictureCode(ResourceDialog& dialog, const QString& code)
{
    if (code.isEmpty()) {
        messageBox(
            &dialog,
            QStringLiteral("Enter the item 'code' first.  The image is renamed the 'Code.jpg'"),
            caption());
        return false;
    }
    if (!isPlainFileName(code)) {
        messageBox(&dialog,
                   QStringLiteral("The code \"%1\" cannot name a picture file: it must not hold "
                                  "/ or \\ and must not be . or ..")
                       .arg(code),
                   caption());
        return false;
    }
    return true;
}

void showPicture(ResourceDialog& dialog, const QString& path, ItemDialogKind kind)
{
    DrawPicture(LoadPictureFile(path), dialog.clientArea(), picturePosition(kind));
}

// The earlier local picture stays whole unless the new one is complete. The
// upload sends the chosen file itself, so it goes ahead either way.
void copyPicture(ResourceDialog& dialog, const QString& chosenPath, const QString& code)
{
    const Status copied = copyFileAtomically(chosenPath, dataFilePath(pictureFileName(code)));
    if (!copied) {
        messageBox(&dialog,
                   QStringLiteral("The picture was not copied into the data directory.\n%1")
                       .arg(copied.message()),
                   caption());
    }
}

} // namespace

QPoint picturePosition(ItemDialogKind kind)
{
    return kind == ItemDialogKind::EditItem ? QPoint(320, 110) : QPoint(350, 120);
}

void uploadItemPicture(ResourceDialog& dialog, ItemDialogKind kind)
{
    const QString code = dialog.controlText(IDC_CODE);
    if (!checkPictureCode(dialog, code) || !WebHost(&dialog).settingsOrTell())
        return;
    const std::optional<QString> chosen = openFileDialog();
    if (!chosen)
        return;

    if (kind == ItemDialogKind::EditItem) {
        showPicture(dialog, *chosen, kind);
        copyPicture(dialog, *chosen, code);
    } else {
        copyPicture(dialog, *chosen, code);
        showPicture(dialog, *chosen, kind);
    }
    const QString fileName = pictureFileName(code);
    WebHost(&dialog).uploadPicture(*chosen, fileName);
}

void showStoredPicture(ResourceDialog& dialog, const QString& storedCode)
{
    if (isPlainFileName(storedCode))
        showPicture(dialog, dataFilePath(pictureFileName(storedCode)), ItemDialogKind::EditItem);
}

} // namespace wareloom
