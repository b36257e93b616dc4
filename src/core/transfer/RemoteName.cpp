#include "core/transfer/RemoteName.h"

#include "core/transfer/SettingsFile.h"

namespace wareloom {

QString remoteName(const QString& uploadPath, const QString& fileName)
{
    const QString name = uploadPath + fileName;
    return name.size() > NameBufferLimit ? QString() : name;
}

QString remoteNameInUploadPath(const QString& fileName)
{
    return remoteName(settingsText(SettingsField::UploadPath), fileName);
}

} // namespace wareloom
