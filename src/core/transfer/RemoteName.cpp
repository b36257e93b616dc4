#include "core/transfer/RemoteName.h"

#include "core/transfer/FtpSettings.h"

namespace wareloom {

QString remoteName(const QString& uploadPath, const QString& fileName)
{
    const QString name = uploadPath + fileName;
    return name.size() > NameBufferLimit ? QString() : name;
}

QString remoteNameInUploadPath(const FtpSettings& settings, const QString& fileName)
{
    return remoteName(settings.text(SettingsField::UploadPath), fileName);
}

} // namespace wareloom
