#include "gui/publish/PublishDialog.h"

#include "ui_PublishDialog.h"

#include "core/pages/PageFiles.h"
#include "core/publish/RunLock.h"
#include "core/store/CategoryStore.h"
#include "gui/platform/MessageBox.h"
#include "gui/publish/HostKeyQuestion.h"
#include "images/Thumbnail.h"

#include <QEventLoop>
#include <QThread>

#include <algorithm>

namespace wareloom {
namespace {

constexpr int StartDelayMs = 1000;

} // namespace

PublishDialog::PublishDialog(const DataDirectory& store, int categoryCount, QWidget* parent,
                             PublishOptions options)
    : QDialog(parent), m_ui(std::make_unique<Ui::PublishDialog>()), m_store(store),
      m_run(store, categoryCount)
{
    m_ui->setupUi(this);
    m_run.setThumbnailMaker(makeThumbnail);
    m_run.setOptions(options);
    m_ui->okButton->setEnabled(false);
    connect(m_ui->okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_ui->cancelButton, &QPushButton::clicked, this, &PublishDialog::cancelRun);

    // The run emits on its worker thread; the widgets change here.
    connect(&m_run, &PublishRun::statusChanged, m_ui->status, &QLabel::setText,
            Qt::QueuedConnection);
    connect(&m_run, &PublishRun::progressRangeChanged, m_ui->progress, &QProgressBar::setRange,
            Qt::QueuedConnection);
    connect(&m_run, &PublishRun::progressChanged, this, &PublishDialog::showPosition,
            Qt::QueuedConnection);
    connect(&m_run, &PublishRun::finished, this, &PublishDialog::runFinished, Qt::QueuedConnection);

    m_startTimer.setSingleShot(true);
    m_startTimer.setInterval(StartDelayMs);
    connect(&m_startTimer, &QTimer::timeout, this, &PublishDialog::startRun);
    m_startTimer.start();
}

PublishDialog::~PublishDialog()
{
    if (m_thread) {
        m_run.cancel();
        m_thread->wait();
    }
}

void PublishDialog::done(int result)
{
    m_startTimer.stop(); // closed before the run began: nothing is published
    if (m_closing)
        return;
    if (runActive()) {
        m_closing = true;
        m_run.cancel();
        hide();
        QEventLoop waiting;
        connect(m_thread, &QThread::finished, &waiting, &QEventLoop::quit);
        if (m_thread->isRunning())
            waiting.exec();
        m_closing = false;
    }
    QDialog::done(result);
}

void PublishDialog::startRun()
{
    if (runActive())
        return;
    delete m_thread; // a run that met an untrusted key, before its second try
    m_thread = QThread::create([this] {
        // One page run on a data directory at a time, as on the command line.
        RunLock lock(m_store.path());
        if (lock.acquire(std::chrono::seconds(30), [this] { return m_run.isCancelled(); }) ==
            RunLock::Result::Held) {
            if (!m_pagesToDelete.isEmpty()) {
                m_run.deleteStalePages(m_pagesToDelete);
                return;
            }
            PageFiles::removeLeftovers(m_store.path());
            m_run.run();
            return;
        }
        QMetaObject::invokeMethod(
            this,
            [this, why = lock.message()] {
                if (m_closing)
                    return;
                m_ui->cancelButton->setEnabled(false);
                m_ui->okButton->setEnabled(true);
                if (!m_run.isCancelled())
                    messageBox(this, why, tr("Publish"));
            },
            Qt::QueuedConnection);
    });
    m_thread->setParent(this);
    m_thread->start();
}

void PublishDialog::cancelRun()
{
    if (runActive()) {
        m_run.cancel();
        m_ui->cancelButton->setEnabled(false);
    } else {
        reject();
    }
}

bool PublishDialog::runActive() const
{
    return m_thread && !m_thread->isFinished();
}

void PublishDialog::showPosition(int position)
{
    QProgressBar* bar = m_ui->progress;
    // Beyond the maximum the bar stands full.
    bar->setValue(std::clamp(position, bar->minimum(), bar->maximum()));
}

void PublishDialog::runFinished(const PublishOutcome& outcome)
{
    if (m_closing)
        return;
    m_ui->cancelButton->setEnabled(false);
    m_ui->okButton->setEnabled(true);
    m_ui->okButton->setFocus();
    switch (outcome.result) {
    case PublishOutcome::Result::NoSettings:
        // The long text is the caption.
        messageBox(this, tr("Error"), tr("Error: No FTP setrtings!"));
        return;
    case PublishOutcome::Result::Failed:
        messageBox(this, tr("FTP Error: Check your FTP settings and internet connection."),
                   tr("FTP Error"));
        showNotSent(outcome);
        return;
    case PublishOutcome::Result::Cancelled:
        showNotSent(outcome);
        return;
    case PublishOutcome::Result::UntrustedKey:
        m_thread->wait(); // finished() was its last word
        if (!m_retriedAfterTrust &&
            askToTrustHostKey(this, *outcome.untrustedKey, KnownHosts::filePath(m_store))) {
            m_retriedAfterTrust = true;
            m_ui->okButton->setEnabled(false);
            m_ui->cancelButton->setEnabled(true);
            startRun();
            return;
        }
        showNotSent(outcome);
        return;
    case PublishOutcome::Result::Done:
        if (m_pagesToDelete.isEmpty() && !outcome.stalePages.isEmpty() &&
            messageBox(this,
                       tr("These pages are on the web host, but their categories are "
                          "gone:\n\n%1\n\nDelete them from the web host?")
                           .arg(outcome.stalePages.join(QLatin1Char('\n'))),
                       QStringLiteral("Wareloom"),
                       MessageButtons::YesNoDefaultNo) == MessageAnswer::Yes) {
            m_pagesToDelete = outcome.stalePages;
            m_thread->wait();
            m_ui->okButton->setEnabled(false);
            m_ui->cancelButton->setEnabled(true);
            startRun();
            return;
        }
        accept();
        return;
    }
}

void PublishDialog::showNotSent(const PublishOutcome& outcome)
{
    QStringList lines{tr("Not sent:")};
    for (const FailedPage& page : outcome.failedPages)
        lines << tr("%1: %2").arg(page.pageFileName, page.reason);
    m_ui->notSent->setPlainText(lines.join(QLatin1Char('\n')));
    m_ui->notSent->show();
    resize(std::max(width(), 560), std::max(height(), 320));
}

} // namespace wareloom
