// Any bytes, of any length, as FTPServer.ftp: load settings takes at most one
// record from the file and keeps the rest of the record as it was; every
// field reader stays within its 200 bytes; a stored text fits its field
// without touching the others and reads back unchanged after a save.
#include "FuzzSupport.h"
#include "core/util/TextConversion.h"
#include "core/transfer/SettingsFile.h"

#include <cstring>

using namespace wareloom;

namespace {

constexpr SettingsField Fields[] = {SettingsField::UserName, SettingsField::Password,
                                    SettingsField::FtpServer, SettingsField::UploadPath,
                                    SettingsField::HttpServer};

void checkFieldReaders()
{
    for (SettingsField field : Fields) {
        const QByteArray bytes = settingsBytes(field);
        if (bytes.size() > SettingsFieldSize || bytes.contains('\0'))
            abort();
        const char* start = settingsRecord().data() + int(field) * SettingsFieldSize;
        if (std::memcmp(start, bytes.constData(), size_t(bytes.size())) != 0)
            abort();
        (void)settingsText(field);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::fuzzDataDirectory();
    fuzz::useCodePage("CP1252");
    const SettingsRecord before = settingsRecord();
    fuzz::writeFile(settingsFilePath(), data, size);

    if (!loadSettings())
        abort();
    const SettingsRecord& record = settingsRecord();
    const size_t taken = std::min(size, size_t(SettingsRecordSize));
    if (std::memcmp(record.data(), data, taken) != 0 ||
        std::memcmp(record.data() + taken, before.data() + taken, SettingsRecordSize - taken) != 0)
        abort();
    checkFieldReaders();

    // The same bytes as a text typed into one box of the settings dialog.
    const QString typed = fromCodePage(QByteArrayView(reinterpret_cast<const char*>(data),
                                                      qsizetype(std::min<size_t>(size, 400))));
    const SettingsField field = Fields[size % std::size(Fields)];
    const SettingsRecord loaded = settingsRecord();
    setSettingsText(field, typed);
    const qsizetype at = qsizetype(field) * SettingsFieldSize;
    for (qsizetype i = 0; i < SettingsRecordSize; ++i) {
        if ((i < at || i >= at + SettingsFieldSize) && record[size_t(i)] != loaded[size_t(i)])
            abort();
    }
    const QByteArray stored = settingsBytes(field);
    if (stored.size() > SettingsTextLimit)
        abort();
    // Single-byte code page: as much of the text as fits, byte for byte, up
    // to a zero byte, which ends a field's text.
    QByteArray expected = toCodePage(QStringView(typed).left(SettingsTextLimit));
    if (const qsizetype zero = expected.indexOf('\0'); zero >= 0)
        expected.truncate(zero);
    if (stored != expected)
        abort();
    checkFieldReaders();

    // Saving syncs the file to disk, which is slow: one input in eight.
    if (size % 8 == 0) {
        const SettingsRecord saved = settingsRecord();
        if (!saveSettings().ok() || !loadSettings() || settingsRecord() != saved)
            abort();
    }
    return 0;
}
