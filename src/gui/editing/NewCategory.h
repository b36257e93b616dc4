#pragma once

#include "gui/platform/ResourceDialog.h"

// New Category (resource 130): creates an empty category file under the name
// typed into its box.
class NewCategory : public wareloom::ResourceDialog
{
    Q_OBJECT

public:
    NewCategory();

    // Save: creates the category, asks for the category view and closes.
    void OnSave();

private:
    static std::span<const Command> commandTable();
};
