// Any bytes, of any length, as FTPServer.ftp: loading takes at most one
// record and keeps the rest as it was; every field reader stays within its
// 200 bytes; the same bytes typed into a box fit their field without
// touching the others and survive a save.
#include "FuzzSupport.h"
#include "core/transfer/FtpSettings.h"

#include <cstring>

using namespace wareloom;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::fuzzDataDirectory();
    fuzz::useCodePage("CP1252");
    FtpSettings settings; // as an earlier load left it: text up to every field's last byte
    for (int f = 0; f < SettingsFieldCount; ++f)
        settings.setText(SettingsField(f), QString(SettingsTextLimit, QChar(u'a' + f)));
    const SettingsRecord before = settings.record();
    fuzz::writeFile(FtpSettings::filePath(), data, size);
    const size_t taken = std::min(size, size_t(SettingsRecordSize));
    if (!settings.load() || std::memcmp(settings.record().data(), data, taken) != 0 ||
        std::memcmp(settings.record().data() + taken, before.data() + taken,
                    SettingsRecordSize - taken) != 0)
        abort();

    const auto field = SettingsField(size % SettingsFieldCount);
    const SettingsRecord loaded = settings.record();
    settings.setText(field, fromCodePage(QByteArrayView(reinterpret_cast<const char*>(data),
                                                        qsizetype(std::min<size_t>(size, 400)))));
    const size_t at = size_t(field) * SettingsFieldSize, end = at + SettingsFieldSize;
    if (std::memcmp(settings.record().data(), loaded.data(), at) != 0 ||
        std::memcmp(settings.record().data() + end, loaded.data() + end, SettingsRecordSize - end))
        abort();
    for (int f = 0; f < SettingsFieldCount; ++f) {
        const QByteArray bytes = settings.bytes(SettingsField(f));
        if (bytes.size() > (f == int(field) ? SettingsTextLimit : SettingsFieldSize) ||
            std::memcmp(settings.record().data() + f * SettingsFieldSize, bytes.constData(),
                        size_t(bytes.size())) != 0)
            abort();
    }
    // Saving syncs the file to disk, which is slow: one input in eight.
    FtpSettings reloaded;
    if (size % 8 == 0 &&
        (!settings.save().ok() || !reloaded.load() || reloaded.record() != settings.record()))
        abort();
    return 0;
}
