#pragma once

// How the main window opens the item and category dialogs. Each runs its
// dialog modally and returns when it closes.
namespace wareloom {

// Add Item (resource 131) on the open category.
void runItemAddDialog();
// New Category (resource 130).
void runNewCategoryDialog();
// Edit Item (resource 129) on the selected item slot, with its picture preview.
void openEditItemDialog();

} // namespace wareloom
