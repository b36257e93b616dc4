#include "core/store/CategoryStore.h"

#include "core/store/CategoryHistory.h"
#include "core/store/CategoryLock.h"
#include "core/util/AtomicFile.h"
#include "core/util/RegularFile.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <QStringDecoder>

#include <algorithm>
#include <cstring>
#include <dirent.h>
#include <sys/stat.h>

namespace wareloom {
namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(CategoryStore)
};

constexpr int RecordSize = ItemRecord::Size;
// The files of ours that are saved through QSaveFile, and the length of the
// random part QSaveFile adds to their names.
constexpr const char* SavedExtensions[] = {".dat", ".ftp", ".ini"};
constexpr qsizetype SaveNameTail = 6;

QString tooManyItems(const QString& path)
{
    return Texts::tr("The category file %1 holds more than %2 items; Wareloom can hold at most %2 "
                     "items in one category.")
        .arg(QDir::toNativeSeparators(path))
        .arg(MaxItems);
}

// A file name that is not UTF-8: ASCII as it is, every other byte as \xNN.
QString bytesShown(QByteArrayView name)
{
    QString shown;
    for (const char byte : name) {
        if (uchar(byte) < 0x80)
            shown += QLatin1Char(byte);
        else
            shown += QStringLiteral("\\x") + QString::number(uchar(byte), 16).toUpper();
    }
    return shown;
}

// QSaveFile's temporary name: the file's own name, ".dat", ".ftp" or ".ini"
// in any case, a dot and six letters or digits.
bool isLeftoverSaveName(QByteArrayView name)
{
    if (name.size() < 1 + 4 + 1 + SaveNameTail || name[name.size() - SaveNameTail - 1] != '.')
        return false;
    for (const char c : name.last(SaveNameTail)) {
        const char lower = char(c | 0x20);
        if (!(c >= '0' && c <= '9') && !(lower >= 'a' && lower <= 'z'))
            return false;
    }
    const QByteArrayView extension = name.sliced(name.size() - SaveNameTail - 5, 4);
    return std::any_of(
        std::begin(SavedExtensions), std::end(SavedExtensions),
        [&](const char* saved) { return qstrnicmp(extension.data(), saved, 4) == 0; });
}

} // namespace

bool isPlainFileName(const QString& name)
{
    return !name.isEmpty() && name != QStringLiteral(".") && name != QStringLiteral("..") &&
           !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\')) &&
           !name.contains(QChar(0));
}

CategoryListing listCategoryFiles(const QString& directory)
{
    CategoryListing listing;
    const QByteArray nativeDirectory = QFile::encodeName(directory);
    DIR* dir = ::opendir(nativeDirectory.constData());
    if (!dir)
        return listing;
    while (const dirent* entry = ::readdir(dir)) {
        const QByteArrayView name(entry->d_name);
        if (name.size() < 4 || qstrnicmp(name.last(4).data(), ".dat", 4) != 0)
            continue;
        // Everything but directories, as the category files have always been found.
        if (entry->d_type == DT_DIR)
            continue;
        struct stat info;
        if ((entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) &&
            ::stat((nativeDirectory + '/' + name.toByteArray()).constData(), &info) == 0 &&
            S_ISDIR(info.st_mode)) {
            continue;
        }
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString fileName = utf8(name);
        if (utf8.hasError()) {
            listing.unusableNames << bytesShown(name);
            continue;
        }
        listing.categories.push_back({fileName, fileName.chopped(4)});
    }
    ::closedir(dir);
    return listing;
}

std::vector<FoundCategory> listCategories(const QString& directory)
{
    return listCategoryFiles(directory).categories;
}

int countItems(const QString& path)
{
    const QFileInfo info(path);
    if (!info.isFile() || !info.isReadable())
        return 0;
    return int(qMin<qint64>(info.size() / RecordSize, std::numeric_limits<int>::max()));
}

Status loadCategory(const QString& path, ItemRecords& records)
{
    records.clear();
    QFile file(path);
    if (Status opened = openRegularFile(file); !opened) {
        const QString why = Texts::tr("The category file %1 cannot be read: %2")
                                .arg(QDir::toNativeSeparators(path), opened.message());
        return opened.isMissing() ? Status::missing(why) : Status::failure(why);
    }
    if (file.size() / RecordSize > MaxItems)
        return Status::failure(tooManyItems(path));
    // Read whole: the file may grow or shrink while it is read.
    const QByteArray bytes = file.read(qint64(MaxItems + 1) * RecordSize);
    if (bytes.isEmpty() && file.error() != QFileDevice::NoError) {
        return Status::failure(Texts::tr("The category file %1 cannot be read: %2")
                                   .arg(QDir::toNativeSeparators(path), file.errorString()));
    }
    const qsizetype count = bytes.size() / RecordSize;
    if (count > MaxItems)
        return Status::failure(tooManyItems(path));
    records.resize(size_t(count));
    for (qsizetype i = 0; i < count; ++i)
        std::memcpy(records[size_t(i)].bytes.data(), bytes.constData() + i * RecordSize,
                    RecordSize);
    return Status::success();
}

std::optional<QByteArray> readCategoryFile(const QString& path, Status& status)
{
    status = Status::success();
    // A FIFO or device in a category's place holds nothing of the user's.
    if (!QFileInfo(path).isFile())
        return std::nullopt;
    QFile file(path);
    if (status = openRegularFile(file); !status)
        return std::nullopt;
    return file.readAll();
}

Status changeCategoryFile(const QString& path, const std::optional<QByteArray>& contents,
                          const QString& action)
{
    Status read = Status::success();
    const std::optional<QByteArray> before = readCategoryFile(path, read);
    if (!read) {
        return Status::failure(
            Texts::tr("Nothing was changed: %1 cannot be read to keep it in the history. %2")
                .arg(QDir::toNativeSeparators(path), read.message()));
    }
    const QFileInfo file(path);
    if (before) {
        CategoryHistory history(file.path());
        if (Status kept = history.keep(file.fileName().chopped(4), *before, action); !kept)
            return Status::failure(
                Texts::tr("Nothing was changed: the present %1 cannot be kept in the "
                          "history. %2")
                    .arg(QDir::toNativeSeparators(path), kept.message()));
    }
    if (contents)
        return replaceFile(path, *contents);
    if (before && !QFile::remove(path))
        return Status::failure(
            Texts::tr("%1 cannot be deleted.").arg(QDir::toNativeSeparators(path)));
    return Status::success();
}

QByteArray categoryBytes(const ItemRecords& records)
{
    QByteArray contents;
    contents.reserve(qsizetype(records.size()) * RecordSize);
    for (const ItemRecord& record : records)
        contents.append(record.bytes.data(), RecordSize);
    return contents;
}

Status writeCategory(const QString& path, const ItemRecords& records, const QString& action)
{
    return changeCategoryFile(path, categoryBytes(records), action);
}

Status withAppended(const QString& path, const ItemRecords& records, ItemRecords& all)
{
    if (Status loaded = loadCategory(path, all); !loaded && !loaded.isMissing())
        return loaded;
    if (all.size() + records.size() > size_t(MaxItems)) {
        return Status::failure(Texts::tr("The category would hold %1 items; at most %2 fit.")
                                   .arg(all.size() + records.size())
                                   .arg(MaxItems));
    }
    all.insert(all.end(), records.begin(), records.end());
    return Status::success();
}

Status appendRecords(const QString& path, const ItemRecords& records, const QString& action)
{
    // Read and written under the lock, so that no other writer's rows are lost.
    CategoryLock lock(QFileInfo(path).path());
    if (Status locked = lock.acquire(); !locked)
        return locked;
    ItemRecords all;
    if (Status appended = withAppended(path, records, all); !appended)
        return appended;
    return writeCategory(path, all, action);
}

void removeLeftoverSaveFiles(const QString& directory, std::chrono::seconds minimumAge)
{
    const qint64 before = QDateTime::currentSecsSinceEpoch() - minimumAge.count();
    // Read directly: every run starts here, and the folder holds two files a category.
    const QByteArray native = QFile::encodeName(directory);
    DIR* dir = ::opendir(native.constData());
    if (!dir)
        return;
    while (const dirent* entry = ::readdir(dir)) {
        if (!isLeftoverSaveName(entry->d_name))
            continue;
        const QByteArray path = native + '/' + entry->d_name;
        struct stat info;
        if (::lstat(path.constData(), &info) == 0 && S_ISREG(info.st_mode) &&
            info.st_mtim.tv_sec <= before)
            ::unlink(path.constData());
    }
    ::closedir(dir);
}

Status checkCategoryName(const QString& categoryName)
{
    if (!isPlainFileName(categoryName)) {
        return Status::failure(
            Texts::tr("\"%1\" cannot be used as a category name: it must not hold / or \\.")
                .arg(categoryName));
    }
    // Its page would be written over the main page.
    if (categoryName.compare(QStringLiteral("inventory"), Qt::CaseInsensitive) == 0)
        return Status::failure(Texts::tr("inventory is the name of the main page"));
    return Status::success();
}

Status createCategory(const QString& categoryName, const QString& directory)
{
    if (Status allowed = checkCategoryName(categoryName); !allowed)
        return allowed;
    const QString path = directory + QLatin1Char('/') + categoryName + QStringLiteral(".dat");
    QFile file(path);
    if (file.exists() || QFileInfo(path).isSymLink())
        return Status::failure(Texts::tr("The category \"%1\" already exists.").arg(categoryName));
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        return Status::failure(Texts::tr("The category \"%1\" cannot be created: %2")
                                   .arg(categoryName, file.errorString()));
    }
    return Status::success();
}

Status deleteCategory(const QString& path, const QString& action)
{
    return changeCategoryFile(path, std::nullopt, action);
}

} // namespace wareloom
