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
// keeps the message loop busy and paints each new status at once, so the
// shot is taken from inside that painting: when the status is about to change
// away from a category upload, the screen still shows that upload with its
// progress.
class CategoryUploadShot : public QObject
{
public:
    CategoryUploadShot(QDialog& dialog, QLabel& status, QString path);
    bool saved() const { return m_saved; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QDialog& m_dialog;
    QLabel& m_status;
    QString m_path;
    QString m_painted; // the status text on the screen now
    bool m_saved = false;
};

} // namespace wareloom::screenshots
