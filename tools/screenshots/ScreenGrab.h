#pragma once

#include <QObject>
#include <QString>

class QDialog;
class QLabel;
class QWidget;

namespace wareloom::screenshots {

// Saves what the screen shows where the window is (Xvfb has no window
// manager, so there is no frame).
bool saveWindow(QWidget* window, const QString& path);

// Saves the publish dialog while its run uploads a category page. The run
// works on a thread of its own and the window shows its status as it comes,
// so the status is watched closely and the dialog rendered as it stands.
class CategoryUploadShot : public QObject
{
public:
    CategoryUploadShot(QDialog& dialog, QLabel& status, QString path);
    bool saved() const { return m_saved; }

protected:
    void timerEvent(QTimerEvent* event) override;

private:
    QDialog& m_dialog;
    QLabel& m_status;
    QString m_path;
    bool m_saved = false;
};

} // namespace wareloom::screenshots
