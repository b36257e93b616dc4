#pragma once

#include "core/store/ItemRecord.h"
#include "core/util/Status.h"

#include <QString>
#include <QStringList>

#include <chrono>
#include <vector>

// The operations every user of a category file
// performs in the same way.
namespace wareloom {

// True when name can be one file's name in the data directory (a category
// name, a picture's code): not empty, not "." or "..", no / \ or NUL.
bool isPlainFileName(const QString& name);

struct FoundCategory
{
    QString fileName; // as found, with its ".dat" in whatever case
    QString name;     // fileName less its last four characters
};

struct CategoryListing
{
    std::vector<FoundCategory> categories;
    // Files that would be categories but whose names are not UTF-8 (copied
    // from another system), shown with their other bytes as \xNN: no name of
    // ours can reach them, so they are named to the user instead.
    QStringList unusableNames;
};

// Every file of the data directory but directories whose name ends in ".dat"
// (any case), in the order the file system returns them.
CategoryListing listCategoryFiles(const QString& directory);
// The same, the categories only.
std::vector<FoundCategory> listCategories(const QString& directory);

// Number of whole records in a category file; 0 when it cannot be read.
int countItems(const QString& path);

// The most items one category holds.
inline constexpr int MaxItems = 999;

// A category's records in file order.
using ItemRecords = std::vector<ItemRecord>;

// Reads the records of a category file. A missing or unreadable file, or one
// that is not a regular file, loads as no records. A file of more than
// MaxItems records is refused: records is left empty and the failure says why.
Status loadCategory(const QString& path, ItemRecords& records);

// Replaces the file with the records, in one step: the old file stays whole
// when the new one cannot be written.
Status writeCategory(const QString& path, const ItemRecords& records);

// Appends the records to the category file (made when missing), all or none:
// refused when the category would hold more than MaxItems items.
Status appendRecords(const QString& path, const ItemRecords& records);

// Removes what saves killed midway left in the directory: the temporary
// files beside category files and the settings file ("Tools.dat.Ab12Cd"),
// when they are older than minimumAge, so that a save under way keeps its own.
void removeLeftoverSaveFiles(const QString& directory, std::chrono::seconds minimumAge);
// Far longer than any save takes.
inline constexpr std::chrono::seconds LeftoverAge{60};

// Whether a category may have this name: a plain file name, and not the main
// page's.
Status checkCategoryName(const QString& categoryName);

// Creates the empty file of a new category. Never touches an existing file;
// refuses names that are not a plain file name.
Status createCategory(const QString& categoryName, const QString& directory);

// Deletes a category's file; false when there was none to delete.
bool deleteCategory(const QString& path);

} // namespace wareloom
