#pragma once

#include "core/util/Status.h"
#include "core/store/RecordTable.h"

#include <QString>

#include <vector>

// The data directory and the operations every user of a category file
// performs in the same way.
namespace wareloom {

// Absolute path of the data directory, without a trailing separator:
// WARELOOM_DATA_DIR if set, otherwise ~/Wareloom.
QString dataDirectory();
// Creates the data directory if it is missing; false when it cannot be made.
bool createDataDirectory();
// dataDirectory() + "/" + fileName.
QString dataFilePath(const QString& fileName);
// True when name can be one file's name in the data directory (a category
// name, a picture's code): not empty, not "." or "..", no / \ or NUL.
bool isPlainFileName(const QString& name);
// The file of a category: dataFilePath(name + ".dat").
QString categoryFilePath(const QString& categoryName);

struct FoundCategory
{
    QString fileName; // as found, with its ".dat" in whatever case
    QString name;     // fileName less its last four characters
};

// Every regular file of the data directory whose name ends in ".dat" (any
// case), in the order the file system returns them.
std::vector<FoundCategory> listCategories();

// Number of whole records in a category file; 0 when it cannot be read.
int countItems(const QString& path);

// Reads the file into slots 1.. of the table. A missing or unreadable file,
// or one that is not a regular file, loads as zero records. A file of more than MaxRecords records is refused:
// the table is left with zero records and the failure says why.
Status loadCategory(const QString& path, RecordTable& table);

// Replaces the file with slots 1..recordCount, leaving out omitSlot (0 keeps
// all). The old file stays whole when the new one cannot be written.
Status rewriteCategory(const QString& path, const RecordTable& table, int omitSlot = 0);

// Reloads the file, puts the scratch record after its last record and
// rewrites it; refused when the category already holds MaxRecords records.
Status appendScratchRecord(const QString& path, RecordTable& table);

// Creates the empty file of a new category. Never touches an existing file;
// refuses names that are not a plain file name.
Status createCategory(const QString& categoryName);

// Deletes a category's file; false when there was none to delete.
bool deleteCategory(const QString& path);

} // namespace wareloom
