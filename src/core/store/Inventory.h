#pragma once

#include "core/store/CategoryStore.h"
#include "core/store/DataDirectory.h"
#include "core/util/Status.h"

#include <QFileSystemWatcher>
#include <QObject>
#include <QStringList>
#include <QTimer>

#include <vector>

namespace wareloom {

struct CategoryEntry
{
    QString fileName; // as found, with its ".dat" in whatever case
    QString name;     // fileName less ".dat"
    int itemCount = 0;

    friend bool operator==(const CategoryEntry&, const CategoryEntry&) = default;
};

// The data directory as the windows see it: the categories with their item
// counts and the open category's items in file order. Every change of a
// category file made through it, or by another program, is announced through
// categoriesChanged() or itemsChanged(); nothing needs to poll.
class Inventory : public QObject
{
    Q_OBJECT

public:
    explicit Inventory(DataDirectory store, QObject* parent = nullptr);

    const DataDirectory& store() const { return m_store; }
    const QString& directory() const { return m_store.path(); }
    QString filePath(const QString& fileName) const { return m_store.filePath(fileName); }

    // In the order the file system lists them; counts from the file sizes.
    const std::vector<CategoryEntry>& categories() const { return m_categories; }
    int totalItemCount() const;
    // Category files that cannot be opened by name: not valid UTF-8 (copied
    // from another system), shown with their other bytes as \xNN.
    const QStringList& unusableNames() const { return m_unusableNames; }

    bool hasOpenCategory() const { return !m_openPath.isEmpty(); }
    const QString& openCategoryName() const { return m_openName; }
    const QString& openCategoryPath() const { return m_openPath; }
    const ItemRecords& items() const { return m_items; }

    // Opens a category and loads its items. A file that cannot be loaded
    // leaves the category open with no items, and the failure says why.
    Status openCategory(const CategoryEntry& category);
    void closeCategory();

    // Lists the categories and reloads the open category again now.
    void refresh();

    // The record Add Item composes the new item in; what it holds between two
    // uses is of no meaning.
    ItemRecord& scratch() { return m_scratch; }
    // Appends the scratch record to the open category's file as the file is
    // now, refused when that would make more than MaxItems items.
    Status appendScratch();
    // Replace or remove the item at index, which must still hold shown: when
    // the file was changed by another program nothing is written, the items
    // are reloaded and the failure says so.
    Status replaceItem(int index, const ItemRecord& shown, const ItemRecord& record);
    Status removeItem(int index, const ItemRecord& shown);

    // The names of the items of every category whose code is code, leaving
    // out the open category's item at index.
    QStringList itemsWithCode(const QString& code, int index) const;

    Status createCategory(const QString& name);
    // Appends items to a category, made when missing: all or none.
    Status appendItems(const QString& categoryName, const ItemRecords& records);
    // Deletes the open category's file (one already gone is no failure) and
    // closes the category.
    void deleteOpenCategory();

Q_SIGNALS:
    void categoriesChanged();
    void itemsChanged();

private:
    std::vector<CategoryEntry> listEntries();
    void relistCategories();
    void reloadItems();
    void watchOpenFile();
    Status checkUnchanged(int index, const ItemRecord& shown);
    Status write(const ItemRecords& records);

    DataDirectory m_store;
    std::vector<CategoryEntry> m_categories;
    QStringList m_unusableNames;
    QString m_openName;
    QString m_openPath;
    ItemRecords m_items;
    ItemRecord m_scratch;
    QFileSystemWatcher m_watcher;
    QTimer m_settle; // a burst of file system events makes one refresh
};

} // namespace wareloom
