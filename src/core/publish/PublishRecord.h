#pragma once

#include "core/store/DataDirectory.h"
#include "core/transfer/HostConnection.h"
#include "core/util/Status.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

#include <optional>

namespace wareloom {

class FtpSettings;

// A file's content as the record compares it.
struct FileFingerprint
{
    QByteArray sha256; // hex
    qint64 size = 0;

    // Of the file at path; nothing when it cannot be read.
    static std::optional<FileFingerprint> of(const QString& path);
    bool operator==(const FileFingerprint&) const = default;
};

// What one destination (protocol, host, port, user and upload path) has
// received from us: each file's name and content as it was sent (and the
// MD5 the host confirmed, where it lists files by theirs). Kept in
// Published.json in the data directory, one entry per destination, so that a
// publish sends only what that host does not have yet. A file is noted only
// once the host confirmed it whole.
class PublishRecord
{
public:
    static constexpr char FileName[] = "Published.json";
    static QString filePath(const DataDirectory& store);

    // The record of the destination the settings name; empty when there is
    // none yet (or the file cannot be read: everything is sent again).
    static PublishRecord load(const DataDirectory& store, const FtpSettings& settings);

    const FileFingerprint* find(const QString& name) const;
    // The MD5 (hex) of what name received, as the host confirmed it (an S3
    // ETag); empty when not known.
    QByteArray md5(const QString& name) const;
    QStringList names() const { return m_files.keys(); }
    void noteSent(const QString& name, const FileFingerprint& content, const QByteArray& md5 = {});
    void forget(const QString& name);

    // What the host needed (passive mode, TLS 1.2), so that the next run
    // starts with what worked.
    HostNeeds hostNeeds() const { return m_needs; }
    void setHostNeeds(HostNeeds needs) { m_needs = needs; }

    // Writes this destination's entry, keeping the others, in one step.
    Status save() const;

    // Notes at once that the destination of settings received the file at
    // localPath under name.
    static Status noteSentNow(const DataDirectory& store, const FtpSettings& settings,
                              const QString& name, const QString& localPath);

private:
    struct Sent
    {
        FileFingerprint content;
        QByteArray md5;
    };

    QString m_path;
    QString m_destination;
    QHash<QString, Sent> m_files;
    HostNeeds m_needs;
};

} // namespace wareloom
