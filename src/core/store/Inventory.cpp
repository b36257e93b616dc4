#include "core/store/Inventory.h"

#include "core/store/CategoryHistory.h"
#include "core/store/CategoryLock.h"

#include <QFileInfo>

namespace wareloom {
namespace {

// Long enough to gather the events of one write, short enough to feel at once.
constexpr int SettleMs = 50;

bool sameRecords(const ItemRecords& a, const ItemRecords& b)
{
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(),
                      [](const ItemRecord& x, const ItemRecord& y) { return x.bytes == y.bytes; });
}

} // namespace

Inventory::Inventory(DataDirectory store, QObject* parent)
    : QObject(parent), m_store(std::move(store))
{
    m_settle.setSingleShot(true);
    m_settle.setInterval(SettleMs);
    connect(&m_settle, &QTimer::timeout, this, &Inventory::refresh);
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, &m_settle,
            qOverload<>(&QTimer::start));
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, &m_settle, qOverload<>(&QTimer::start));
    if (QFileInfo(directory()).isDir())
        m_watcher.addPath(directory());
    m_categories = listEntries();
}

int Inventory::totalItemCount() const
{
    int total = 0;
    for (const CategoryEntry& category : m_categories)
        total += category.itemCount;
    return total;
}

std::vector<CategoryEntry> Inventory::listEntries()
{
    CategoryListing listing = listCategoryFiles(directory());
    m_unusableNames = std::move(listing.unusableNames);
    std::vector<CategoryEntry> entries;
    for (FoundCategory& found : listing.categories) {
        const int count = countItems(filePath(found.fileName));
        entries.push_back({std::move(found.fileName), std::move(found.name), count});
    }
    return entries;
}

Status Inventory::openCategory(const CategoryEntry& category)
{
    m_openName = category.name;
    m_openPath = filePath(category.fileName);
    watchOpenFile();
    Status loaded = loadCategory(m_openPath, m_items);
    Q_EMIT itemsChanged();
    return loaded.isMissing() ? Status::success() : loaded;
}

void Inventory::closeCategory()
{
    if (!m_openPath.isEmpty())
        m_watcher.removePath(m_openPath);
    m_openName.clear();
    m_openPath.clear();
    m_items.clear();
}

void Inventory::watchOpenFile()
{
    // A file replaced by a rename is a new file: watch it again.
    if (m_openPath.isEmpty())
        return;
    m_watcher.removePath(m_openPath);
    if (QFileInfo::exists(m_openPath))
        m_watcher.addPath(m_openPath);
}

void Inventory::refresh()
{
    relistCategories();
    reloadItems();
}

void Inventory::relistCategories()
{
    if (m_watcher.directories().isEmpty() && QFileInfo(directory()).isDir())
        m_watcher.addPath(directory());
    const QStringList unusable = m_unusableNames;
    std::vector<CategoryEntry> listed = listEntries();
    if (listed != m_categories || unusable != m_unusableNames) {
        m_categories = std::move(listed);
        Q_EMIT categoriesChanged();
    }
}

void Inventory::reloadItems()
{
    if (m_openPath.isEmpty())
        return;
    watchOpenFile();
    ItemRecords loaded;
    // A file that became too large shows no items; opening it said why.
    (void)loadCategory(m_openPath, loaded);
    if (sameRecords(loaded, m_items))
        return;
    m_items = std::move(loaded);
    Q_EMIT itemsChanged();
}

Status Inventory::write(const ItemRecords& records, const QString& action)
{
    if (Status written =
            change(QFileInfo(m_openPath).fileName(), m_openName, categoryBytes(records), action);
        !written)
        return written;
    m_items = records;
    watchOpenFile();
    Q_EMIT itemsChanged();
    relistCategories(); // the counts; the items are what was just written
    return Status::success();
}

Status Inventory::change(const QString& fileName, const QString& categoryName,
                         std::optional<QByteArray> after, const QString& action)
{
    const QString path = filePath(fileName);
    Status read = Status::success();
    std::optional<QByteArray> before = readCategoryFile(path, read);
    if (!read)
        return read;
    if (Status changed = changeCategoryFile(path, after, action); !changed)
        return changed;
    Q_EMIT this->changed({fileName, categoryName, std::move(before), std::move(after), action});
    return Status::success();
}

QString Inventory::fileNameOf(const QString& categoryName) const
{
    for (const CategoryEntry& category : m_categories) {
        if (category.name == categoryName)
            return category.fileName; // its own ".DAT"
    }
    return categoryName + QStringLiteral(".dat");
}

Status Inventory::changedElsewhere(const QString& categoryName)
{
    refresh();
    return Status::failure(tr("%1 was changed by another program; it has been reloaded. "
                              "Please make your change again.")
                               .arg(categoryName));
}

Status Inventory::appendScratch()
{
    if (m_openPath.isEmpty())
        return Status::failure(tr("No category is open."));
    CategoryLock lock(directory());
    if (Status locked = lock.acquire(); !locked)
        return locked;
    ItemRecords records;
    // Only a file that is not there starts empty: any other would be lost.
    if (Status loaded = loadCategory(m_openPath, records); !loaded && !loaded.isMissing())
        return loaded;
    if (records.size() >= size_t(MaxItems)) {
        return Status::failure(
            tr("This category already holds %1 items, the most one category can hold.")
                .arg(MaxItems));
    }
    records.push_back(m_scratch);
    return write(records, tr("Add Item '%1'").arg(fieldString(m_scratch, ItemField::Name)));
}

Status Inventory::checkUnchanged(int index, const ItemRecord& shown)
{
    ItemRecords current;
    Status loaded = loadCategory(m_openPath, current);
    if (!loaded && !loaded.isMissing()) {
        refresh();
        return loaded;
    }
    if (loaded && sameRecords(current, m_items) && index >= 0 && size_t(index) < m_items.size() &&
        m_items[size_t(index)].bytes == shown.bytes)
        return Status::success();
    return changedElsewhere(m_openName);
}

Status Inventory::replaceItem(int index, const ItemRecord& shown, const ItemRecord& record)
{
    CategoryLock lock(directory());
    if (Status locked = lock.acquire(); !locked)
        return locked;
    if (Status unchanged = checkUnchanged(index, shown); !unchanged)
        return unchanged;
    ItemRecords records = m_items;
    records[size_t(index)] = record;
    return write(records, tr("Edit Item '%1'").arg(fieldString(record, ItemField::Name)));
}

Status Inventory::removeItem(int index, const ItemRecord& shown)
{
    CategoryLock lock(directory());
    if (Status locked = lock.acquire(); !locked)
        return locked;
    if (Status unchanged = checkUnchanged(index, shown); !unchanged)
        return unchanged;
    ItemRecords records = m_items;
    records.erase(records.begin() + index);
    return write(records, tr("Delete Item '%1'").arg(fieldString(shown, ItemField::Name)));
}

QStringList Inventory::itemsWithCode(const QString& code, int index) const
{
    QStringList names;
    for (const CategoryEntry& category : m_categories) {
        const QString path = filePath(category.fileName);
        ItemRecords records;
        if (path == m_openPath)
            records = m_items;
        else
            (void)loadCategory(path, records); // an unreadable category shares nothing
        for (size_t i = 0; i < records.size(); ++i) {
            if ((path != m_openPath || int(i) != index) &&
                fieldString(records[i], ItemField::Code) == code)
                names << fieldString(records[i], ItemField::Name);
        }
    }
    return names;
}

Status Inventory::createCategory(const QString& name)
{
    Status created = wareloom::createCategory(name, directory());
    if (created) {
        refresh();
        Q_EMIT changed({fileNameOf(name), name, std::nullopt, QByteArray(),
                        tr("New Category '%1'").arg(name)});
    }
    return created;
}

Status Inventory::appendItems(const QString& categoryName, const ItemRecords& records)
{
    if (Status allowed = checkCategoryName(categoryName); !allowed)
        return allowed;
    CategoryLock lock(directory());
    if (Status locked = lock.acquire(); !locked)
        return locked;
    const QString fileName = fileNameOf(categoryName);
    ItemRecords all;
    if (Status appended = withAppended(filePath(fileName), records, all); !appended)
        return appended;
    Status appended = change(fileName, categoryName, categoryBytes(all),
                             tr("Import into '%1'").arg(categoryName));
    refresh();
    return appended;
}

Status Inventory::deleteOpenCategory()
{
    if (m_openPath.isEmpty())
        return Status::success();
    Status deleted = change(QFileInfo(m_openPath).fileName(), m_openName, std::nullopt,
                            tr("Delete Category '%1'").arg(m_openName));
    if (deleted)
        closeCategory();
    refresh();
    return deleted;
}

Status Inventory::restoreVersion(const QString& categoryName, int number)
{
    QByteArray bytes;
    if (Status read = CategoryHistory(directory()).read(categoryName, number, bytes); !read)
        return read;
    Status restored = change(fileNameOf(categoryName), categoryName, bytes,
                             tr("Restore '%1' version %2").arg(categoryName).arg(number));
    refresh();
    return restored;
}

Status Inventory::applyChange(const CategoryChange& change, Direction direction)
{
    const bool undo = direction == Direction::Undo;
    const QString path = filePath(change.fileName);
    CategoryLock lock(directory());
    if (Status locked = lock.acquire(); !locked)
        return locked;
    Status read = Status::success();
    if (readCategoryFile(path, read) != (undo ? change.after : change.before) || !read)
        return changedElsewhere(change.categoryName);
    Status applied = changeCategoryFile(path, undo ? change.before : change.after,
                                        (undo ? tr("Undo %1") : tr("Redo %1")).arg(change.action));
    refresh();
    return applied;
}

} // namespace wareloom
