#pragma once

#include "core/store/DataDirectory.h"
#include "core/util/Status.h"

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <array>

namespace wareloom {

// In file order.
enum class SettingsField {
    UserName,   // FTP login name
    Password,   // FTP password, in clear
    FtpServer,  // host or host:port
    UploadPath, // put in front of every remote file name
    HttpServer, // address of the published site
};

inline constexpr int SettingsFieldCount = 5;
inline constexpr int SettingsFieldSize = 200;
inline constexpr int SettingsRecordSize = SettingsFieldCount * SettingsFieldSize;
// A field holds at most 199 bytes of text and then a zero byte.
inline constexpr int SettingsTextLimit = SettingsFieldSize - 1;

using SettingsRecord = std::array<char, SettingsRecordSize>;

// What every user but the publish run shows when the settings cannot be loaded
// (translated in the context "FtpSettings").
inline constexpr char NoSettingsMessage[] =
    QT_TRANSLATE_NOOP("FtpSettings", "No FTP/HTTP settings!");

// The FTP settings: five fixed 200-byte text fields, kept in FTPServer.ftp in
// the data directory. The file is the only authority: every user loads a
// value of this class right before it needs the settings.
//
// The record is written exactly as held, so bytes after a field's zero byte
// may be remnants of an earlier, longer text; readers stop at the zero byte.
class FtpSettings
{
public:
    // The settings of that data directory, all fields empty until loaded.
    explicit FtpSettings(const DataDirectory& store);

    // FTPServer.ftp in the data directory.
    const QString& filePath() const { return m_path; }
    static QString filePath(const DataDirectory& store);
    // The keys the user trusts, beside the settings.
    const QString& knownHostsPath() const { return m_knownHostsPath; }

    // Reads the file into the record. Fails when it cannot be opened or is
    // not a regular file (a FIFO would never answer). A file shorter than a
    // record fills only the start of it; the rest keeps what it held.
    Status load();

    // load(), or, when there is no file, creates it with five empty fields
    // (the first byte of each zeroed, the rest as held). A file that exists
    // but cannot be read is left alone.
    Status loadOrCreate();

    // Replaces the file with the whole record in one step, readable and
    // writable by its owner only (it holds a password in clear). When it
    // fails the old file stays whole.
    Status save() const;

    // A field's 8-bit text up to its first zero byte, never beyond its 200 bytes.
    QByteArray bytes(SettingsField field) const;
    // The same, converted from the conversion code page.
    QString text(SettingsField field) const;

    // Stores at most the first 199 characters of text, converted and cut at
    // a character boundary to fit 199 bytes, and a zero byte, at the start of
    // the field. The rest of the field keeps what it held.
    void setText(SettingsField field, QStringView text);

    const SettingsRecord& record() const { return m_record; }

private:
    char* fieldStart(SettingsField field)
    {
        return m_record.data() + std::ptrdiff_t(field) * SettingsFieldSize;
    }
    const char* fieldStart(SettingsField field) const
    {
        return m_record.data() + std::ptrdiff_t(field) * SettingsFieldSize;
    }

    QString m_path;
    QString m_knownHostsPath;
    SettingsRecord m_record{};
};

} // namespace wareloom
