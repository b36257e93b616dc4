#pragma once

#include <QString>

class QWidget;

namespace wareloom {

// The window side of every operation on the web host.
class WebHost
{
public:
    explicit WebHost(QWidget* owner);

    // Loads the settings; shows "No FTP/HTTP settings!" and returns false when none.
    bool settingsOrTell();
    void publish(int categoryCount);
    void editSettings();
    void uploadBanner();
    void openWebsite();
    void uploadPicture(const QString& chosenPath, const QString& pictureFileName);
    void deleteFile(const QString& fileName);

private:
    QWidget* m_owner;
};

} // namespace wareloom
