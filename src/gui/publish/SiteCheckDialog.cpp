#include "gui/publish/SiteCheckDialog.h"

#include "ui_SiteCheckDialog.h"

#include "core/transfer/FtpSettings.h"
#include "core/transfer/KnownHosts.h"
#include "gui/publish/HostKeyQuestion.h"

#include <QCoreApplication>
#include <QThread>
#include <QTimer>

namespace wareloom {

SiteCheckDialog::SiteCheckDialog(const DataDirectory& store, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::SiteCheckDialog>()), m_store(store), m_check(store)
{
    m_ui->setupUi(this);
    connect(m_ui->buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    QTimer::singleShot(0, this, &SiteCheckDialog::startCheck);
}

SiteCheckDialog::~SiteCheckDialog()
{
    if (m_thread) {
        m_check.cancel();
        m_thread->wait();
    }
}

void SiteCheckDialog::done(int result)
{
    if (m_thread && m_thread->isRunning()) {
        m_check.cancel();
        m_thread->wait(); // within about a second
    }
    QDialog::done(result);
}

void SiteCheckDialog::startCheck()
{
    delete m_thread; // a check that met an untrusted key, before its second try
    m_thread = QThread::create([this] { m_outcome = m_check.run(); });
    m_thread->setParent(this);
    connect(m_thread, &QThread::finished, this, &SiteCheckDialog::checkFinished);
    m_thread->start();
}

void SiteCheckDialog::checkFinished()
{
    if (!isVisible())
        return; // closed meanwhile
    const SiteCheckOutcome& outcome = m_outcome;
    QString status;
    switch (outcome.result) {
    case SiteCheckOutcome::Result::UntrustedKey:
        // Asked once; a changed key is only warned about.
        if (!m_retriedAfterTrust) {
            m_retriedAfterTrust = true;
            if (askToTrustHostKey(this, *outcome.untrustedKey, KnownHosts::filePath(m_store))) {
                startCheck();
                return;
            }
        }
        status = outcome.notCheckedMessage();
        break;
    case SiteCheckOutcome::Result::NoSettings:
        status = QCoreApplication::translate("FtpSettings", NoSettingsMessage);
        break;
    case SiteCheckOutcome::Result::NotChecked:
        status = outcome.notCheckedMessage();
        break;
    case SiteCheckOutcome::Result::Checked:
        status = outcome.summary();
        break;
    }
    m_ui->status->setText(status);
    m_ui->findings->setPlainText(outcome.findings.join(QLatin1Char('\n')));
}

} // namespace wareloom
