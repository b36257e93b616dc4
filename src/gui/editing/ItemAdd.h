#pragma once

#include "gui/platform/ResourceDialog.h"

// Add Item (resource 131): appends one item, typed into its four boxes, to
// the end of the open category's file.
class ItemAdd : public wareloom::ResourceDialog
{
    Q_OBJECT

public:
    ItemAdd();

    // Save: checks the four texts, appends the item, asks for a refresh and closes.
    void OnSave();
    // Picture Upload: stores and uploads a picture under the code typed.
    void OnPictureUpload();

protected:
    // Shows the open category's name.
    void DoDataExchange() override;

private:
    static std::span<const Command> commandTable();
};
