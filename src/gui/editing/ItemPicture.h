#pragma once

#include <QPoint>
#include <QString>

namespace wareloom {

class ResourceDialog;

// The two item dialogs differ in where they show the preview and in whether
// they show the chosen picture before or after copying it.
enum class ItemDialogKind { AddItem, EditItem };

// Top-left corner of a dialog's preview, in its clientArea() coordinates.
QPoint picturePosition(ItemDialogKind kind);

// Picture Upload (button 1013 of Add Item, 1014 of Edit Item): the file the
// user chooses becomes the picture of the code in box 1004, copied into the
// data directory as <code>.jpg, shown in the dialog and uploaded under that
// name. Acts at once, whether or not the item is ever saved.
void uploadItemPicture(ResourceDialog& dialog, ItemDialogKind kind);

// Edit Item's first tick: shows the picture stored for the item's code, if
// there is one and it is a picture.
void showStoredPicture(ResourceDialog& dialog, const QString& storedCode);

} // namespace wareloom
