// Any bytes, of any length, as FTPServer.ftp: loading takes at most one
// record from the file and keeps the rest of the record as it was; every
// field reader stays within its 200 bytes; a stored text fits its field
// without touching the others and reads back unchanged after a save.
#include "FuzzSupport.h"
#include "core/transfer/FtpSettings.h"
#include "core/util/TextConversion.h"

#include <cstring>

using namespace wareloom;

static void checkFieldReaders(const FtpSettings& settings)
{
    for (int f = 0; f < SettingsFieldCount; ++f) {
        const QByteArray bytes = settings.bytes(SettingsField(f));
        if (bytes.size() > SettingsFieldSize || bytes.contains('\0') ||
            std::memcmp(settings.record().data() + f * SettingsFieldSize, bytes.constData(),
                        size_t(bytes.size())) != 0)
            abort();
        (void)settings.text(SettingsField(f));
    }
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::fuzzDataDirectory();
    fuzz::useCodePage("CP1252");
    // What an earlier load left: every field holds text up to its last byte.
    FtpSettings settings;
    for (int f = 0; f < SettingsFieldCount; ++f)
        settings.setText(SettingsField(f), QString(SettingsTextLimit, QChar(u'a' + f)));
    const SettingsRecord before = settings.record();
    fuzz::writeFile(FtpSettings::filePath(), data, size);
    if (!settings.load())
        abort();
    const SettingsRecord& record = settings.record();
    const size_t taken = std::min(size, size_t(SettingsRecordSize));
    if (std::memcmp(record.data(), data, taken) != 0 ||
        std::memcmp(record.data() + taken, before.data() + taken, SettingsRecordSize - taken) != 0)
        abort();
    checkFieldReaders(settings);

    // The same bytes as a text typed into one box of the settings dialog.
    const QString typed = fromCodePage(QByteArrayView(reinterpret_cast<const char*>(data),
                                                      qsizetype(std::min<size_t>(size, 400))));
    const auto field = SettingsField(size % SettingsFieldCount);
    const SettingsRecord loaded = record;
    settings.setText(field, typed);
    const size_t at = size_t(field) * SettingsFieldSize;
    if (std::memcmp(record.data(), loaded.data(), at) != 0 ||
        std::memcmp(record.data() + at + SettingsFieldSize, loaded.data() + at + SettingsFieldSize,
                    SettingsRecordSize - at - SettingsFieldSize) != 0)
        abort();
    // Single-byte code page: as much of the text as fits, byte for byte, up
    // to a zero byte, which ends a field's text.
    QByteArray expected = toCodePage(QStringView(typed).left(SettingsTextLimit));
    if (const qsizetype zero = expected.indexOf('\0'); zero >= 0)
        expected.truncate(zero);
    if (settings.bytes(field) != expected)
        abort();
    checkFieldReaders(settings);

    // Saving syncs the file to disk, which is slow: one input in eight.
    FtpSettings reloaded;
    if (size % 8 == 0 && (!settings.save().ok() || !reloaded.load() || reloaded.record() != record))
        abort();
    return 0;
}
