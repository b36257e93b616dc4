#pragma once

#include "gui/platform/ResourceDialog.h"

// Edit Item (resource 129): shows the item in the selected slot of the record
// table, saves it back in place, deletes it (and, if asked, its picture), and
// uploads a picture for it. Keeps nothing of its own: it works on the shared
// record table and browser state.
class InventoryEdit : public wareloom::ResourceDialog
{
    Q_OBJECT

public:
    InventoryEdit();

    // Save: checks the four boxes, stores them into the item's slot, rewrites
    // the category, asks for a refresh and closes.
    void OnSave();
    // Item > Delete Item: after confirmation rewrites the category without the
    // item, optionally removes its picture here and on the host, and closes.
    void OnDeleteItem();
    // Picture Upload: stores and uploads a picture under the code typed.
    void OnPictureUpload();

protected:
    // Shows the item's four fields and the category's name; sets the menu bar.
    void DoDataExchange() override;

private:
    void removePicture(const QString& code);
    static std::span<const Command> commandTable();
};
