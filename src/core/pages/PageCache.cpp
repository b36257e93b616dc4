#include "core/pages/PageCache.h"

#include "core/pages/PageLinks.h"
#include "core/pages/WebsiteSettings.h"
#include "core/store/CategoryStore.h"
#include "core/store/ItemRecord.h"
#include "core/util/AtomicFile.h"
#include "core/util/ContentHash.h"
#include "core/util/TextConversion.h"

#include "core/SourceStamp.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <array>
#include <charconv>
#include <vector>

#include <dirent.h>

namespace wareloom {
namespace {

constexpr QByteArrayView Header = "Wareloom page cache 3\n";
constexpr QByteArrayView InputsStart = "inputs ";
constexpr QByteArrayView SiteStart = "site ";
constexpr QByteArrayView LinkTargetsStart = "targets ";
constexpr QByteArrayView CheckStart = "check ";
constexpr char NotKnown[] = "-";

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray hashOf(QByteArrayView bytes)
{
    ContentHash hash;
    hash.add(bytes);
    return hash.result();
}

// Other code may write other bytes from the same store, whatever the version
// says: the code is an input, named by a hash of its sources made at build
// time, the same in each program of the build.
QByteArray programBuild()
{
    return QByteArrayLiteral(WARELOOM_VERSION " " WARELOOM_SOURCE_STAMP);
}

// Numbers written and read without a QByteArray each: a run reads and writes
// a line per page.
void appendState(QByteArray& out, const FileState& state, bool recent)
{
    std::array<char, std::size_t(6) * 21> text; // six numbers of up to 20 characters and a space
    char* end = text.data();
    for (const qint64 number : {state.size, state.modified, state.changed, qint64(state.inode),
                                qint64(state.device), qint64(recent)}) {
        end = std::to_chars(end, text.data() + text.size() - 1, number).ptr;
        *end++ = ' ';
    }
    out.append(text.data(), end - text.data());
}

// Takes from rest the text up to separator, and the separator; false when
// there is none.
bool take(QByteArrayView& rest, char separator, QByteArrayView& field)
{
    const qsizetype end = rest.indexOf(separator);
    if (end < 0)
        return false;
    field = rest.first(end);
    rest = rest.sliced(end + 1);
    return true;
}

bool readState(QByteArrayView& rest, FileState& state, bool& recent)
{
    qint64 numbers[6];
    for (qint64& number : numbers) {
        QByteArrayView field;
        if (!take(rest, ' ', field) || field.isEmpty() ||
            std::from_chars(field.begin(), field.end(), number).ptr != field.end())
            return false;
    }
    state = {numbers[0], numbers[1], numbers[2], quint64(numbers[3]), quint64(numbers[4])};
    recent = numbers[5] != 0;
    return true;
}

QByteArray knownOrEmpty(QByteArrayView field)
{
    return field == NotKnown ? QByteArray() : field.toByteArray();
}

// A name the cache's lines cannot carry is never kept: its page is always made.
bool isStorable(const QString& name)
{
    return !name.contains(QLatin1Char('\t')) && !name.contains(QLatin1Char('\n'));
}

// A page's links on its line: the names with '/', which no link of a file
// beside the page holds, between them; "-" when they are not known.
QByteArray linksField(const QStringList& links, bool known)
{
    const bool storable = std::all_of(links.begin(), links.end(), isStorable);
    return known && storable ? links.join(QLatin1Char('/')).toUtf8() : QByteArray(NotKnown);
}

} // namespace

QString PageCache::filePath(const DataDirectory& store)
{
    return store.filePath(QLatin1String(FileName));
}

PageCache PageCache::load(const DataDirectory& store)
{
    PageCache cache(store);
    if (!cache.parse(readAll(filePath(store)))) {
        cache.m_entries.clear();
        cache.m_lastSiteData.clear();
    }
    return cache;
}

void PageCache::setSharedInputs(QByteArrayView inputs)
{
    QByteArray all = programBuild() + '\n' + conversionCodePage() + '\n';
    all.append(hashOf(readAll(WebsiteSettings::filePath(m_store)))).append('\n').append(inputs);
    const QByteArray hash = hashOf(all);
    m_inputsSame = hash == m_inputs;
    m_inputs = hash;
}

bool PageCache::isCurrent(const QString& pageFileName, const QString& categoryFileName)
{
    const auto found = m_entries.find(pageFileName);
    if (found == m_entries.end())
        return false;
    Entry& entry = found.value();
    entry.seen = true;
    if (!m_inputsSame || entry.category != categoryFileName)
        return false;
    if (FileState::ofPath(m_store.filePath(pageFileName), false) != entry.file)
        return false;
    const std::optional<FileState> source =
        FileState::ofPath(m_store.filePath(categoryFileName), true);
    if (!source)
        return false;
    if (*source == entry.source && !entry.sourceRecent)
        return true;
    // Touched, copied back or just written: its bytes decide.
    QFile file(m_store.filePath(categoryFileName));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return false;
    const std::optional<FileState> opened = FileState::ofOpenFile(file.handle());
    if (!opened)
        return false;
    // Whole records only, as the page writers read them.
    const QByteArray bytes = file.readAll();
    ContentHash hash;
    hash.add(QByteArrayView(bytes).first(bytes.size() - bytes.size() % ItemRecord::Size));
    if (file.error() != QFileDevice::NoError || hash.result() != entry.sourceHash)
        return false;
    entry.source = *opened;
    entry.sourceRecent = opened->isRecent();
    return true;
}

void PageCache::noteWritten(const QString& pageFileName, const QString& categoryFileName,
                            const std::optional<Source>& source, const QByteArray& kept)
{
    const std::optional<FileState> page = FileState::ofPath(m_store.filePath(pageFileName), false);
    if (!source || !page || !isStorable(pageFileName) || !isStorable(categoryFileName)) {
        m_entries.remove(pageFileName);
        return;
    }
    // Written by this run, which holds the run lock: the page's state is proof.
    m_entries.insert(pageFileName, {.file = *page,
                                    .fileRecent = false,
                                    .category = categoryFileName,
                                    .source = source->state,
                                    .sourceRecent = source->state.isRecent(),
                                    .sourceHash = source->hash,
                                    .kept = kept,
                                    .seen = true});
}

QByteArray PageCache::kept(const QString& pageFileName) const
{
    return m_entries.value(pageFileName).kept;
}

bool PageCache::isAsLeft(const QString& fileName)
{
    const auto found = m_entries.find(fileName);
    if (found == m_entries.end())
        return false;
    found->seen = true;
    return !found->fileRecent && found->category.isEmpty() &&
           FileState::ofPath(m_store.filePath(fileName), false) == found->file;
}

void PageCache::noteFile(const QString& fileName)
{
    const std::optional<FileState> file = FileState::ofPath(m_store.filePath(fileName), false);
    if (!file || !isStorable(fileName)) {
        m_entries.remove(fileName);
        return;
    }
    // Written or checked by this run, which holds the run lock: the file's
    // state is proof. Its SHA-256 stays known while it is the same file.
    Entry& entry = m_entries[fileName];
    if (entry.file != *file || !entry.category.isEmpty())
        entry = {.file = *file, .seen = true};
    entry.fileRecent = false;
    entry.seen = true;
}

std::optional<FileFingerprint> PageCache::fingerprint(const QString& fileName)
{
    Entry& entry = m_entries[fileName];
    entry.seen = true;
    if (!entry.sha256.isEmpty() && isUnchanged(fileName, entry))
        return FileFingerprint{entry.sha256, entry.file.size};
    if (!read(fileName, entry)) {
        m_entries.remove(fileName);
        return std::nullopt;
    }
    return FileFingerprint{entry.sha256, entry.file.size};
}

std::optional<QStringList> PageCache::links(const QString& pageFileName)
{
    checkLinkTargets();
    Entry& entry = m_entries[pageFileName];
    entry.seen = true;
    if (entry.linksKnown && isUnchanged(pageFileName, entry))
        return entry.links;
    if (!read(pageFileName, entry)) {
        m_entries.remove(pageFileName);
        return std::nullopt;
    }
    return entry.links;
}

bool PageCache::isUnchanged(const QString& fileName, const Entry& entry) const
{
    return !entry.fileRecent && FileState::ofPath(m_store.filePath(fileName), false) == entry.file;
}

// Reads the file as it is now, once for both: its SHA-256 and, of a page,
// its links.
bool PageCache::read(const QString& fileName, Entry& entry)
{
    QFile file(m_store.filePath(fileName));
    const std::optional<FileState> opened =
        file.open(QIODevice::ReadOnly) ? FileState::ofOpenFile(file.handle()) : std::nullopt;
    if (!opened)
        return false;
    QCryptographicHash hash(QCryptographicHash::Sha256);
    QStringList links;
    const bool page = isPageFileName(fileName);
    if (page) {
        const QByteArray bytes = file.readAll();
        if (file.error() != QFileDevice::NoError)
            return false;
        hash.addData(bytes);
        checkLinkTargets();
        for (const QString& link : pageLinks(bytes)) {
            if (isSiteFileName(link) && (isPageFileName(link) || isLinkTarget(link)))
                links << link;
        }
    } else if (!hash.addData(&file)) {
        return false;
    }
    if (*opened != entry.file) {
        // Not as this program left it: a page of it is no longer one we made.
        entry = {.file = *opened, .fileRecent = opened->isRecent(), .seen = true};
    }
    entry.sha256 = hash.result().toHex();
    entry.links = links;
    entry.linksKnown = page;
    return true;
}

// The files of the data directory that a page may link to, besides pages:
// kept for isLinkTarget(), and the hash of their names returned.
QByteArray PageCache::listLinkTargets()
{
    std::vector<QByteArray> names;
    m_targetFiles.clear();
    m_targetsUnsure.clear();
    if (DIR* dir = ::opendir(QFile::encodeName(m_store.path()).constData())) {
        while (const dirent* entry = ::readdir(dir)) {
            const QString name = QFile::decodeName(entry->d_name);
            if (!isSiteFileName(name) || isPageFileName(name))
                continue;
            names.emplace_back(entry->d_name);
            if (entry->d_type == DT_REG)
                m_targetFiles.insert(name);
            else if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN)
                m_targetsUnsure.insert(name);
        }
        ::closedir(dir);
    }
    std::sort(names.begin(), names.end());
    ContentHash hash;
    for (const QByteArray& name : names)
        hash.add(QByteArrayView(name.constData(), name.size() + 1)); // with its NUL
    return hash.result();
}

// A plain file beside the pages (a link to one counts).
bool PageCache::isLinkTarget(const QString& name) const
{
    return m_targetFiles.contains(name) ||
           (m_targetsUnsure.contains(name) && QFileInfo(m_store.filePath(name)).isFile());
}

// A file that came beside the pages may be one a kept list left out, as it
// was not there then; one that went changes nothing, but is as quickly said.
// Either way every page's links are read again.
void PageCache::checkLinkTargets()
{
    if (m_linkTargetsChecked)
        return;
    m_linkTargetsChecked = true;
    const QByteArray now = listLinkTargets();
    if (now == m_linkTargets)
        return;
    m_linkTargets = now;
    for (Entry& entry : m_entries)
        entry.linksKnown = false;
}

Status PageCache::save() const
{
    QByteArray out = Header.toByteArray();
    out.reserve(m_entries.size() * 256 + m_siteData.size() * 4 / 3 + 256);
    out.append(InputsStart).append(m_inputs).append('\n');
    out.append(SiteStart).append(m_siteData.toBase64()).append('\n');
    out.append(LinkTargetsStart).append(m_linkTargets).append('\n');
    for (auto it = m_entries.cbegin(); it != m_entries.cend(); ++it) {
        if (it->seen && isStorable(it.key()))
            appendLine(out, it.key(), it.value());
    }
    const QByteArray check = hashOf(out);
    out.append(CheckStart).append(check).append('\n');
    return replaceFile(filePath(m_store), out);
}

// name TAB category TAB file state, sha256, category state, category hash TAB
// what the style kept TAB links
void PageCache::appendLine(QByteArray& out, const QString& name, const Entry& entry)
{
    out.append(name.toUtf8()).append('\t').append(entry.category.toUtf8()).append('\t');
    appendState(out, entry.file, entry.fileRecent);
    out.append(entry.sha256.isEmpty() ? QByteArray(NotKnown) : entry.sha256).append(' ');
    appendState(out, entry.source, entry.sourceRecent);
    out.append(entry.sourceHash.isEmpty() ? QByteArray(NotKnown) : entry.sourceHash);
    out.append('\t').append(entry.kept.toBase64()).append('\t');
    out.append(linksField(entry.links, entry.linksKnown)).append('\n');
}

bool PageCache::parse(const QByteArray& bytes)
{
    const qsizetype check = bytes.lastIndexOf('\n', bytes.size() - 2) + 1;
    if (!bytes.startsWith(Header) || !bytes.endsWith('\n') ||
        bytes.mid(check) != CheckStart.toByteArray() + hashOf(bytes.left(check)) + '\n')
        return false;
    QByteArrayView rest = QByteArrayView(bytes).first(check).sliced(Header.size());
    QByteArrayView line;
    if (!take(rest, '\n', line) || !line.startsWith(InputsStart))
        return false;
    m_inputs = line.sliced(InputsStart.size()).toByteArray();
    if (!take(rest, '\n', line) || !line.startsWith(SiteStart))
        return false;
    m_lastSiteData = QByteArray::fromBase64(line.sliced(SiteStart.size()).toByteArray());
    if (!take(rest, '\n', line) || !line.startsWith(LinkTargetsStart))
        return false;
    m_linkTargets = line.sliced(LinkTargetsStart.size()).toByteArray();
    while (take(rest, '\n', line)) {
        QByteArrayView name, category, fields, sha256, kept;
        Entry entry;
        if (!take(line, '\t', name) || !take(line, '\t', category) || !take(line, '\t', fields) ||
            !readState(fields, entry.file, entry.fileRecent) || !take(fields, ' ', sha256) ||
            !readState(fields, entry.source, entry.sourceRecent) || !take(line, '\t', kept))
            return false;
        entry.sha256 = knownOrEmpty(sha256);
        entry.sourceHash = knownOrEmpty(fields);
        entry.category = QString::fromUtf8(category);
        entry.kept = QByteArray::fromBase64(kept.toByteArray());
        entry.linksKnown = line != QByteArrayView(NotKnown);
        if (entry.linksKnown && !line.isEmpty())
            entry.links = QString::fromUtf8(line).split(QLatin1Char('/'));
        m_entries.insert(QString::fromUtf8(name), entry);
    }
    return true;
}

} // namespace wareloom
