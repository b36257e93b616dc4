#include "core/store/CategoryHistory.h"

#include "core/store/CategoryStore.h"
#include "core/store/ItemRecord.h"
#include "core/util/AtomicFile.h"
#include "core/util/RegularFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <algorithm>

namespace wareloom {
namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(CategoryHistory)
};

// "000042-20261207T170700123.ver": the number, then the time, so that the
// oldest of all categories are found from the names alone. The file holds the
// action on its first line, then the category file's bytes.
const QString TimeFormat = QStringLiteral("yyyyMMddTHHmmsszzz");

struct VersionFile
{
    QString category;
    QString fileName;
    int number = 0;
    QDateTime time;
    qint64 size = 0;
};

std::vector<VersionFile> versionFiles(const QString& folder, const QString& category)
{
    static const QRegularExpression name(QStringLiteral("^(\\d{6,})-(\\d{8}T\\d{9})\\.ver$"));
    std::vector<VersionFile> files;
    const QFileInfoList entries =
        QDir(folder + QLatin1Char('/') + category).entryInfoList(QDir::Files | QDir::Hidden);
    for (const QFileInfo& entry : entries) {
        const QRegularExpressionMatch match = name.match(entry.fileName());
        if (!match.hasMatch() || entry.isSymLink())
            continue; // a save killed midway, or nothing of ours
        QDateTime time = QDateTime::fromString(match.captured(2), TimeFormat);
        time.setTimeSpec(Qt::UTC);
        files.push_back(
            {category, entry.fileName(), match.captured(1).toInt(), time, entry.size()});
    }
    std::sort(files.begin(), files.end(),
              [](const VersionFile& a, const VersionFile& b) { return a.number < b.number; });
    return files;
}

QString singleLine(QString text)
{
    return text.replace(QLatin1Char('\n'), QLatin1Char(' '))
        .replace(QLatin1Char('\r'), QLatin1Char(' '));
}

} // namespace

CategoryHistory::CategoryHistory(const QString& dataDirectory, HistoryLimits limits)
    : m_folder(dataDirectory + QStringLiteral("/.history")), m_limits(limits)
{}

QString CategoryHistory::categoryFolder(const QString& categoryName) const
{
    return m_folder + QLatin1Char('/') + categoryName;
}

Status CategoryHistory::keep(const QString& categoryName, QByteArrayView bytes,
                             const QString& action)
{
    const QString folder = categoryFolder(categoryName);
    if (!QDir().mkpath(folder))
        return Status::failure(Texts::tr("The history folder %1 cannot be made.")
                                   .arg(QDir::toNativeSeparators(folder)));
    const std::vector<VersionFile> existing = versionFiles(m_folder, categoryName);
    const int number = existing.empty() ? 1 : existing.back().number + 1;
    const QString fileName = QStringLiteral("%1-%2.ver")
                                 .arg(number, 6, 10, QLatin1Char('0'))
                                 .arg(QDateTime::currentDateTimeUtc().toString(TimeFormat));
    QByteArray contents = singleLine(action).toUtf8() + '\n';
    contents += bytes;
    if (Status kept = replaceFile(folder + QLatin1Char('/') + fileName, contents); !kept) {
        // Left as it was found; rmdir takes only empty folders.
        QDir().rmdir(folder);
        QDir().rmdir(m_folder);
        return kept;
    }
    trim(categoryName);
    return Status::success();
}

void CategoryHistory::trim(const QString& categoryName) const
{
    std::vector<VersionFile> own = versionFiles(m_folder, categoryName);
    const auto remove = [this](const VersionFile& file) {
        QFile::remove(categoryFolder(file.category) + QLatin1Char('/') + file.fileName);
    };
    const size_t most = size_t(std::max(m_limits.versionsPerCategory, 1));
    for (size_t i = 0; own.size() > most && i < own.size() - most; ++i)
        remove(own[i]);

    std::vector<VersionFile> all;
    qint64 total = 0;
    const QStringList categories =
        QDir(m_folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden);
    for (const QString& category : categories) {
        for (VersionFile& file : versionFiles(m_folder, category)) {
            total += file.size;
            all.push_back(std::move(file));
        }
    }
    std::sort(all.begin(), all.end(), [](const VersionFile& a, const VersionFile& b) {
        return std::tie(a.time, a.number) < std::tie(b.time, b.number);
    });
    // The newest version stays whatever its size: it is what was just kept.
    for (size_t i = 0; total > m_limits.totalBytes && i + 1 < all.size(); ++i) {
        remove(all[i]);
        total -= all[i].size;
    }
}

std::vector<HistoryVersion> CategoryHistory::versions(const QString& categoryName) const
{
    std::vector<HistoryVersion> versions;
    for (const VersionFile& file : versionFiles(m_folder, categoryName)) {
        QFile in(categoryFolder(categoryName) + QLatin1Char('/') + file.fileName);
        if (!openRegularFile(in))
            continue; // let go meanwhile
        const QByteArray header = in.readLine(4096);
        const qint64 bytes = file.size - header.size();
        versions.push_back({file.number, file.time, QString::fromUtf8(header).trimmed(),
                            int(bytes / ItemRecord::Size), file.size});
    }
    return versions;
}

Status CategoryHistory::read(const QString& categoryName, int number, QByteArray& bytes) const
{
    bytes.clear();
    for (const VersionFile& file : versionFiles(m_folder, categoryName)) {
        if (file.number != number)
            continue;
        QFile in(categoryFolder(categoryName) + QLatin1Char('/') + file.fileName);
        if (Status opened = openRegularFile(in); !opened)
            return opened;
        const QByteArray contents = in.readAll();
        bytes = contents.mid(contents.indexOf('\n') + 1);
        return Status::success();
    }
    return Status::failure(
        Texts::tr("%1 has no version %2 in its history.").arg(categoryName).arg(number));
}

QStringList CategoryHistory::deletedCategories() const
{
    QStringList kept = QDir(m_folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden);
    const CategoryListing listing = listCategoryFiles(QFileInfo(m_folder).path());
    for (const FoundCategory& found : listing.categories)
        kept.removeAll(found.name);
    kept.erase(std::remove_if(kept.begin(), kept.end(),
                              [this](const QString& name) { return versions(name).empty(); }),
               kept.end());
    return kept;
}

} // namespace wareloom
