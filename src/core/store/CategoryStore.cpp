#include "core/store/CategoryStore.h"

#include "core/util/AtomicFile.h"
#include "core/util/RegularFile.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

namespace wareloom {
namespace {

constexpr int RecordSize = ItemRecord::Size;

QString tooManyItems(const QString& path)
{
    return QStringLiteral("The category file %1 holds more than %2 items; Wareloom can hold at most %2 "
                          "items in one category.")
        .arg(QDir::toNativeSeparators(path))
        .arg(RecordTable::MaxRecords);
}

} // namespace

QString dataDirectory()
{
    const QString forced = qEnvironmentVariable("WARELOOM_DATA_DIR");
    const QString dir = forced.isEmpty() ? QDir::homePath() + QStringLiteral("/Wareloom") : forced;
    return QDir::cleanPath(QDir(dir).absolutePath());
}

bool createDataDirectory()
{
    return QDir().mkpath(dataDirectory());
}

QString dataFilePath(const QString& fileName)
{
    return dataDirectory() + QLatin1Char('/') + fileName;
}

bool isPlainFileName(const QString& name)
{
    return !name.isEmpty() && name != QStringLiteral(".") && name != QStringLiteral("..") &&
           !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\')) &&
           !name.contains(QChar(0));
}

QString categoryFilePath(const QString& categoryName)
{
    return dataFilePath(categoryName + QStringLiteral(".dat"));
}

std::vector<FoundCategory> listCategories()
{
    std::vector<FoundCategory> found;
    QDirIterator it(dataDirectory(), QDir::Files | QDir::Hidden | QDir::System);
    while (it.hasNext()) {
        it.next();
        const QString fileName = it.fileName();
        if (fileName.size() >= 4 && fileName.endsWith(QStringLiteral(".dat"), Qt::CaseInsensitive))
            found.push_back({fileName, fileName.chopped(4)});
    }
    return found;
}

int countItems(const QString& path)
{
    const QFileInfo info(path);
    if (!info.isFile() || !info.isReadable())
        return 0;
    return int(qMin<qint64>(info.size() / RecordSize, std::numeric_limits<int>::max()));
}

Status loadCategory(const QString& path, RecordTable& table)
{
    table.recordCount = 0;
    QFile file(path);
    if (!openRegularFile(file))
        return Status::success();
    if (file.size() / RecordSize > RecordTable::MaxRecords)
        return Status::failure(tooManyItems(path));
    int count = 0;
    while (count < RecordTable::MaxRecords) {
        ItemRecord& slot = table.slots[size_t(count + 1)];
        if (file.read(slot.bytes.data(), RecordSize) != RecordSize)
            break;
        ++count;
    }
    // The file may have grown since its size was read.
    if (count == RecordTable::MaxRecords && !file.atEnd() && file.bytesAvailable() >= RecordSize)
        return Status::failure(tooManyItems(path));
    table.recordCount = count;
    return Status::success();
}

Status rewriteCategory(const QString& path, const RecordTable& table, int omitSlot)
{
    QByteArray contents;
    contents.reserve(qsizetype(table.recordCount) * RecordSize);
    for (int slot = 1; slot <= table.recordCount; ++slot) {
        if (slot != omitSlot)
            contents.append(table.slots[size_t(slot)].bytes.data(), RecordSize);
    }
    return replaceFile(path, contents);
}

Status appendScratchRecord(const QString& path, RecordTable& table)
{
    if (Status loaded = loadCategory(path, table); !loaded)
        return loaded;
    if (table.recordCount >= RecordTable::MaxRecords) {
        return Status::failure(
            QStringLiteral("This category already holds %1 items, the most one category can hold.")
                .arg(RecordTable::MaxRecords));
    }
    ++table.recordCount;
    table.slots[size_t(table.recordCount)] = table.scratch();
    Status written = rewriteCategory(path, table);
    if (!written)
        --table.recordCount; // the table keeps matching the file
    return written;
}

Status createCategory(const QString& categoryName)
{
    if (!isPlainFileName(categoryName)) {
        return Status::failure(
            QStringLiteral("\"%1\" cannot be used as a category name: it must not hold / or \\.")
                .arg(categoryName));
    }
    const QString path = categoryFilePath(categoryName);
    QFile file(path);
    if (file.exists() || QFileInfo(path).isSymLink())
        return Status::failure(QStringLiteral("The category \"%1\" already exists.").arg(categoryName));
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        return Status::failure(QStringLiteral("The category \"%1\" cannot be created: %2")
                                   .arg(categoryName, file.errorString()));
    }
    return Status::success();
}

bool deleteCategory(const QString& path)
{
    return QFile::remove(path);
}

} // namespace wareloom
