#include "core/pages/SearchIndex.h"

#include "core/pages/PageFiles.h"
#include "core/util/FileState.h"
#include "core/util/RegularFile.h"

#include <QCoreApplication>

namespace wareloom {

namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(SearchIndex)
};

} // namespace
namespace {

constexpr QByteArrayView Start = "storeIndex([";
constexpr QByteArrayView End = "]);\n";

} // namespace

SearchIndex::SearchIndex(DataDirectory store, Layout last)
    : m_store(std::move(store)), m_last(std::move(last))
{}

void SearchIndex::addKept(const QString& pageFileName)
{
    m_parts.push_back({pageFileName, QByteArray(), true});
}

void SearchIndex::addNew(const QString& pageFileName, QByteArray part)
{
    m_parts.push_back({pageFileName, std::move(part), false});
}

Status SearchIndex::write(PageFiles& pages)
{
    m_layout.clear();
    qint64 offset = Start.size();
    for (const Part& part : m_parts) {
        const qint64 size = part.kept ? m_last.value(part.pageFileName).second : part.bytes.size();
        m_layout.insert(part.pageFileName, {offset, size});
        offset += size + 1; // and a comma, or the end's first byte
    }
    const qint64 size = (m_parts.empty() ? offset : offset - 1) + End.size();
    if (isUnchanged(size))
        return Status::success();
    Status written = writeParts(pages);
    if (!written)
        m_layout.clear(); // the next run makes every page
    return written;
}

Status SearchIndex::writeParts(PageFiles& pages)
{
    const QString path = m_store.filePath(QLatin1String(FileName));
    QByteArray last;
    if (!m_last.isEmpty()) {
        QFile file(path);
        if (const Status opened = openRegularFile(file); !opened && !opened.isMissing())
            return Status::failure(
                Texts::tr("%1 cannot be read: %2").arg(QLatin1String(FileName), opened.message()));
        last = file.readAll();
    }
    for (const Part& part : m_parts) {
        const auto [from, length] = m_last.value(part.pageFileName);
        if (part.kept && from + length > last.size()) {
            return Status::failure(
                Texts::tr("%1 changed while this run read it.").arg(QLatin1String(FileName)));
        }
    }
    if (Status started = pages.begin(path); !started)
        return started;
    pages.write(Start);
    for (std::size_t i = 0; i < m_parts.size(); ++i) {
        const Part& part = m_parts[i];
        if (part.kept) {
            const auto [from, length] = m_last.value(part.pageFileName);
            pages.write(QByteArrayView(last).sliced(from, length));
        } else {
            pages.write(part.bytes);
        }
        if (i + 1 < m_parts.size())
            pages.write(",");
    }
    pages.write(End);
    return pages.commit();
}

// Whether the file on disk has every part where this run puts it, with the
// same bytes: the kept parts by their place, the new ones compared.
bool SearchIndex::isUnchanged(qint64 size)
{
    if (m_last.size() != m_layout.size())
        return false;
    const QString path = m_store.filePath(QLatin1String(FileName));
    const std::optional<FileState> state = FileState::ofPath(path, false);
    if (!state || state->size != size)
        return false;
    for (const Part& part : m_parts) {
        if (m_last.value(part.pageFileName, {-1, -1}) != m_layout.value(part.pageFileName))
            return false;
    }
    QFile file(path);
    if (!openRegularFile(file))
        return false;
    for (const Part& part : m_parts) {
        if (part.kept)
            continue;
        const auto [from, length] = m_layout.value(part.pageFileName);
        if (!file.seek(from) || file.read(length) != part.bytes)
            return false;
    }
    return true;
}

} // namespace wareloom
