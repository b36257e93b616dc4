#pragma once

#include <QString>

namespace wareloom {

class ResourceDialog;

// The two item dialogs differ in where they show the preview and in whether
// they show the chosen picture before or after copying it.
enum class ItemDialogKind { AddItem, EditItem };

// Picture Upload (button 1013 of Add Item, 1014 of Edit Item).
void uploadItemPicture(ResourceDialog& dialog, ItemDialogKind kind);

// Edit Item's first tick: shows the picture stored for the item's code.
void showStoredPicture(ResourceDialog& dialog, const QString& storedCode);

} // namespace wareloom
