#include "gui/publish/FTPDialog.h"

#include "core/publish/PublishRun.h"
#include "gui/mainwnd/BrowserState.h"
#include "gui/platform/MessageBox.h"
#include "gui/platform/ThreadTimer.h"
#include "gui/res/FTPDialogResource.h"

#include <QProgressBar>

#include <algorithm>

using namespace wareloom;

namespace {

constexpr int UploadTimerPeriodMs = 1000;

// Shows the run in the dialog's two controls. The run keeps the message loop
// busy, so each change is painted at once.
class DialogProgress : public PublishObserver
{
public:
    explicit DialogProgress(FTPDialog& dialog)
        : m_dialog(dialog), m_bar(dialog.controlAs<QProgressBar>(IDC_UPLOAD_PROGRESS))
    {}

    void statusChanged(const QString& status) override
    {
        m_dialog.setControlText(IDC_UPLOAD_STATUS, status);
        m_dialog.control(IDC_UPLOAD_STATUS)->repaint();
    }

    void progressRangeChanged(int minimum, int maximum) override
    {
        m_bar->setRange(minimum, maximum);
        m_bar->repaint();
    }

    void progressChanged(int position) override
    {
        // Beyond the maximum the bar stands full.
        m_bar->setValue(std::clamp(position, m_bar->minimum(), m_bar->maximum()));
        m_bar->repaint();
    }

    void runEnded(const PublishOutcome& outcome) override
    {
        switch (outcome.result) {
        case PublishOutcome::Result::NoSettings:
            messageBox(&m_dialog, QStringLiteral("Error"),
                       QStringLiteral("Error: No FTP setrtings!"));
            break;
        case PublishOutcome::Result::Failed:
            messageBox(
                &m_dialog,
                QStringLiteral("FTP Error: Check your FTP settings and internet connection."),
                QStringLiteral("FTP Error"));
            break;
        case PublishOutcome::Result::Done:
            break;
        }
    }

private:
    FTPDialog& m_dialog;
    QProgressBar* m_bar;
};

} // namespace

FTPDialog::FTPDialog(QWidget* parent) : ResourceDialog(ftpDialogTemplate(), {}, parent)
{
    uploadOnce() = false;
    m_uploadTimer = setThreadTimer(UploadTimerPeriodMs, [this] { UploadTimerProc(*this); });
}

FTPDialog::~FTPDialog()
{
    stopUploadTimer();
}

void FTPDialog::done(int result)
{
    stopUploadTimer();
    ResourceDialog::done(result);
}

void FTPDialog::stopUploadTimer()
{
    if (m_uploadTimer != 0)
        killThreadTimer(m_uploadTimer);
    m_uploadTimer = 0;
}

namespace wareloom {

bool& uploadOnce()
{
    static bool once = false;
    return once;
}

void UploadTimerProc(FTPDialog& dialog)
{
    if (uploadOnce())
        return;
    uploadOnce() = true;
    DialogProgress progress(dialog);
    const PublishOutcome outcome = runPublish(browserState().categoryCount, progress);
    // Without settings the dialog stays open until the user closes it.
    if (outcome.result != PublishOutcome::Result::NoSettings)
        dialog.sendCommand(IDOK);
}

} // namespace wareloom
