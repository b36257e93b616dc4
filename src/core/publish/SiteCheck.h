#pragma once

#include "core/store/DataDirectory.h"
#include "core/transfer/HostConnection.h"
#include "core/util/Result.h"

#include <QSet>
#include <QString>
#include <QStringList>

#include <memory>
#include <mutex>
#include <optional>

namespace wareloom {

class PublishRecord;
class UploadFolder;

struct SiteCheckOutcome
{
    enum class Result {
        NoSettings,   // the settings file cannot be opened
        NotChecked,   // the upload folder could not be listed: stopReason says why
        UntrustedKey, // the host showed a key not trusted (new or changed)
        Checked,
    };
    Result result = Result::Checked;
    // What is wrong with the site on the host, a sentence each; none: whole.
    QStringList findings;
    QString stopReason;
    std::optional<HostKey> untrustedKey;
    int pages = 0; // pages read
    int files = 0; // files the pages link to, pages included

    bool isWhole() const { return result == Result::Checked && findings.isEmpty(); }
    // "The website is whole: ..." or "N problems: ...", for a check that ran.
    QString summary() const;
    // Why the check did not run, when the host stopped it.
    QString notCheckedMessage() const;
};

// Checks the website on the host as a visitor would meet it: lists the
// upload folder once and, from the main page on, follows every link and
// picture of the published pages to a file beside them. A target the host
// lacks, or holds with another size than Published.json says was sent, is a
// finding, and so is a temporary file a publish left behind. The pages are
// read from the data directory when they are what was sent, else from the
// host. Nothing on the host changes. One login, on the calling thread.
class SiteCheck
{
public:
    explicit SiteCheck(DataDirectory store) : m_store(std::move(store)) {}

    SiteCheckOutcome run();

    // Thread-safe: the transfer under way ends within about a second.
    void cancel();

private:
    struct Walk;

    bool checkTarget(const QString& fileName, const QString& linkedFrom, const Walk& walk,
                     SiteCheckOutcome& outcome) const;
    Result<QByteArray> readPage(const QString& page, const Walk& walk);

    DataDirectory m_store;
    std::unique_ptr<HostConnection> m_connection; // of the run under way
    std::mutex m_connecting; // run() makes the connection while cancel() may reach it
    bool m_cancelled = false;
};

} // namespace wareloom
