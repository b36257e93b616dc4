#include "core/pages/ModernPageFacts.h"

#include <QDataStream>
#include <QIODevice>

namespace wareloom {
namespace {

// Changes whenever the layout of what is kept does.
constexpr quint32 Version = 1;

template <typename Write> QByteArray streamed(Write write)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out << Version;
    write(out);
    return bytes;
}

// Nothing unless the bytes are whole and of this version.
template <typename T, typename Read> std::optional<T> unstreamed(const QByteArray& bytes, Read read)
{
    QDataStream in(bytes);
    quint32 version = 0;
    in >> version;
    T value;
    if (version != Version)
        return std::nullopt;
    read(in, value);
    if (in.status() != QDataStream::Ok || !in.atEnd())
        return std::nullopt;
    return value;
}

} // namespace

QByteArray ModernPageFacts::toBytes() const
{
    return streamed([this](QDataStream& out) {
        out << qint32(shown) << quint32(pictures.size());
        for (const PictureItem& item : pictures)
            out << item.code << qint32(item.row) << item.name;
    });
}

std::optional<ModernPageFacts> ModernPageFacts::fromBytes(const QByteArray& bytes)
{
    return unstreamed<ModernPageFacts>(bytes, [](QDataStream& in, ModernPageFacts& facts) {
        qint32 shown = 0;
        quint32 count = 0;
        in >> shown >> count;
        facts.shown = shown;
        for (quint32 i = 0; i < count && in.status() == QDataStream::Ok; ++i) {
            PictureItem item;
            qint32 row = 0;
            in >> item.code >> row >> item.name;
            item.row = row;
            facts.pictures.push_back(std::move(item));
        }
    });
}

QByteArray ModernSiteFacts::toBytes() const
{
    return streamed([this](QDataStream& out) {
        out << pictures << thumbnails << quint32(searchIndex.size());
        for (auto part = searchIndex.cbegin(); part != searchIndex.cend(); ++part)
            out << part.key() << part->first << part->second;
    });
}

std::optional<ModernSiteFacts> ModernSiteFacts::fromBytes(const QByteArray& bytes)
{
    return unstreamed<ModernSiteFacts>(bytes, [](QDataStream& in, ModernSiteFacts& facts) {
        quint32 parts = 0;
        in >> facts.pictures >> facts.thumbnails >> parts;
        for (quint32 i = 0; i < parts && in.status() == QDataStream::Ok; ++i) {
            QString page;
            SearchIndex::Range range;
            in >> page >> range.first >> range.second;
            facts.searchIndex.insert(page, range);
        }
    });
}

QSet<QByteArray> ModernSiteFacts::changedPictures(const ModernSiteFacts& now) const
{
    QSet<QByteArray> changed = pictures;
    changed.unite(now.pictures).subtract(QSet<QByteArray>(pictures).intersect(now.pictures));
    // A thumbnail whose size cannot be read is there all the same: QSize().
    const auto differ = [&changed](const QHash<QByteArray, QSize>& from,
                                   const QHash<QByteArray, QSize>& to) {
        for (auto thumbnail = from.cbegin(); thumbnail != from.cend(); ++thumbnail) {
            if (to.value(thumbnail.key(), QSize(-2, -2)) != thumbnail.value())
                changed.insert(thumbnail.key());
        }
    };
    differ(thumbnails, now.thumbnails);
    differ(now.thumbnails, thumbnails);
    return changed;
}

} // namespace wareloom
