#pragma once

#include "core/publish/PublishRecord.h"
#include "core/store/DataDirectory.h"
#include "core/util/FileState.h"
#include "core/util/Status.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

#include <optional>

namespace wareloom {

// What each page in the data directory was made from, so that a run writes
// only the pages whose bytes would change, and the SHA-256 of files as they
// are, so that a publish reads back only what changed. Kept in Pages.cache in
// the data directory; a cache that is missing or damaged is empty, and
// anything it cannot vouch for is made (or read) again.
//
// A page is kept when the page file is as the run that wrote it left it, it
// was made under the same shared inputs (the program build, the code page,
// Website.ini, and what the style adds, such as the pictures there are), and
// its category file is as it was read then: the same size, times and inode,
// or else the same bytes (a hash of what the writer read).
class PageCache
{
public:
    static constexpr char FileName[] = "Pages.cache";
    static QString filePath(const DataDirectory& store);

    // Empty: vouches for nothing.
    explicit PageCache(DataDirectory store) : m_store(std::move(store)) {}

    // A category file as a page writer read it.
    struct Source
    {
        FileState state; // when it was opened
        QByteArray hash; // ContentHash of the bytes read
    };

    static PageCache load(const DataDirectory& store);

    // What every page depends on besides its own category file; the program
    // build, the code page and Website.ini are added here.
    void setSharedInputs(QByteArrayView inputs);

    // Whether the page on disk is the page the category file gives now.
    bool isCurrent(const QString& pageFileName, const QString& categoryFileName);
    // The page was just written from source; nothing: it is not to be kept.
    // kept: what the style needs of the page when it is not written again.
    void noteWritten(const QString& pageFileName, const QString& categoryFileName,
                     const std::optional<Source>& source, const QByteArray& kept = {});
    // What noteWritten kept with a page that isCurrent.
    QByteArray kept(const QString& pageFileName) const;

    // Whether a file this run did not write is as the run that noted it left it.
    bool isAsLeft(const QString& fileName);
    // The file was just written by this run.
    void noteFile(const QString& fileName);

    // What the style kept of the whole site in the last run, and in this one.
    const QByteArray& lastSiteData() const { return m_lastSiteData; }
    void setSiteData(QByteArray data) { m_siteData = std::move(data); }

    // Of a file of the data directory: from the cache while the file is as it
    // was when it was hashed, else read now.
    std::optional<FileFingerprint> fingerprint(const QString& fileName);
    // The files a page links to (pageLinks) that may go to the host with it:
    // the pages, and the other files of the site that the data directory
    // held when the page was read. From the cache while the page is as it
    // was then and no such file has come or gone beside it, else read now.
    std::optional<QStringList> links(const QString& pageFileName);

    // Writes what this run saw, in one step; files it did not ask about are
    // left out.
    Status save() const;

private:
    struct Entry
    {
        FileState file{};
        bool fileRecent = true; // its state alone proves nothing
        QByteArray sha256{};    // of the file in that state; empty: not known
        QString category{};     // pages: the category file it was made from
        FileState source{};
        bool sourceRecent = true;
        QByteArray sourceHash{};
        QByteArray kept{};
        QStringList links{}; // a page's, when linksKnown
        bool linksKnown = false;
        bool seen = false; // this run asked about it
    };

    bool parse(const QByteArray& bytes);
    static void appendLine(QByteArray& out, const QString& name, const Entry& entry);
    bool isUnchanged(const QString& fileName, const Entry& entry) const;
    bool read(const QString& fileName, Entry& entry);
    QByteArray listLinkTargets();
    void checkLinkTargets();
    bool isLinkTarget(const QString& name) const;

    DataDirectory m_store;
    QHash<QString, Entry> m_entries;
    QByteArray m_inputs;       // hash of the inputs the pages were made under
    bool m_inputsSame = false; // and those of this run are the same
    QByteArray m_lastSiteData;
    QByteArray m_siteData;
    // Hash of the names of the files a page may link to besides pages, as
    // they were when the pages' links were read.
    QByteArray m_linkTargets;
    bool m_linkTargetsChecked = false; // against the data directory, this run
    // Those names now: plain files, and links or entries of unknown type,
    // which only a stat tells apart. A link to any other name needs no stat.
    QSet<QString> m_targetFiles;
    QSet<QString> m_targetsUnsure;
};

} // namespace wareloom
