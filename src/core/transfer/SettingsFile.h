#pragma once

#include "core/util/Status.h"

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <array>

// The FTP settings: five fixed 200-byte text fields kept in FTPServer.ftp in
// the data directory, and the in-memory settings record every user loads the
// file into right before use. The file is the only authority.
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

// What every user but the publish run shows when load settings fails.
inline constexpr char16_t NoSettingsMessage[] = u"No FTP/HTTP settings!";

// The process-wide record, all zeros when the program starts.
SettingsRecord& settingsRecord();

// FTPServer.ftp in the data directory.
QString settingsFilePath();

// Load settings: reads the settings file into the record. False when the
// file cannot be opened or is not a regular file (a FIFO would never answer). A file shorter than a record fills only the start
// of it; the rest keeps what the record held.
bool loadSettings();

// Loads the settings file or, when there is none, creates it with five
// empty fields (the first byte of each field zeroed, the rest as the record
// holds it). A file that exists but cannot be read is left alone.
Status loadOrCreateSettings();

// Writes the whole record to the settings file, replacing it in one step;
// readable and writable by its owner only. When it fails the old file
// stays whole.
Status saveSettings();

// A field's 8-bit text up to its first zero byte, never beyond its 200 bytes.
QByteArray settingsBytes(SettingsField field);
// The same, converted from the conversion code page.
QString settingsText(SettingsField field);

// Stores at most the first 199 characters of text, converted and cut at a
// character boundary to fit 199 bytes, followed by a zero byte, at the start
// of the field. The rest of the field keeps what it held.
void setSettingsText(SettingsField field, QStringView text);

} // namespace wareloom
