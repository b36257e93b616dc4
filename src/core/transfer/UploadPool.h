#pragma once

#include "core/transfer/HostConnection.h"
#include "core/util/Result.h"

#include <QString>

#include <array>
#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

namespace wareloom {

class FtpSettings;

// A file to send.
struct UploadJob
{
    QString localPath;
    QString remoteName;
    TransferType type = TransferType::Ascii;
    // Sent under a temporary name and renamed over the final one, so that
    // nobody reads it half written and a failed transfer leaves the old
    // file (or none) under its name.
    bool replace = false;
};

// What a sending tells, on the thread that called send(), as it happens.
struct UploadEvents
{
    std::function<void(std::size_t job)> started;
    // sent succeeds when the host confirmed the file whole under its name,
    // with the MD5 the host confirmed for it (empty when it confirms none).
    std::function<void(std::size_t job, const Result<QByteArray>& sent)> finished;
    std::function<void(const QString& notice)> noticed; // may come again
};

// The connections of one operation to the web host: the first is used for
// everything, and up to three more join it when there is more than a handful
// of files to send. Each logs in on its first transfer. An extra connection
// whose first transfer fails (the host allows fewer logins, 421, 530 "too
// many") is given up and its file sent on another.
class UploadPool
{
public:
    static constexpr std::size_t MaxConnections = 4;
    // Fewer files go one after the other on the first connection.
    static constexpr std::size_t ParallelFrom = 8;

    UploadPool();

    // Connections of the kind the settings' server asks for; every one
    // starts with what the host needed before.
    void open(const FtpSettings& settings, HostNeeds needs = {});
    void close();

    HostConnection& first() { return *m_connections[0]; }
    // What any of the connections found the host needs.
    HostNeeds needs() const;
    // See HostConnection::setPageCharset().
    void setPageCharset(const QByteArray& charset);

    // Thread-safe; every transfer under way ends within about a second.
    void cancel();
    bool isCancelled() const { return m_cancelled.load(); }

    // Sends every job and returns when each has finished. After a cancel
    // or when the first connection stopped (a refused login), the rest
    // finish unsent at once and no other connection logs in.
    void send(const std::vector<UploadJob>& jobs, const UploadEvents& events);

private:
    Result<QByteArray> sendOne(HostConnection& connection, const UploadJob& job, QString& notice);

    // open() replaces them while cancel() may reach them from another thread.
    std::mutex m_replacing;
    std::atomic<bool> m_cancelled{false};
    std::array<std::unique_ptr<HostConnection>, MaxConnections> m_connections;
    std::array<bool, MaxConnections> m_usable{};
    std::atomic<bool> m_renameRefused{false};
    std::atomic<bool> m_removeFirst{false}; // the host renames only onto free names
};

// Ends the names files travel under before their rename.
inline constexpr char TemporarySuffix[] = ".wareloom-upload";

// What a file not sent after the login was refused says; the reason is said
// once. Both are translated in the context "UploadPool".
inline constexpr char NotSentStopped[] = QT_TRANSLATE_NOOP("UploadPool", "not sent");
// What a file not sent after a cancel says.
inline constexpr char NotSentCancelled[] =
    QT_TRANSLATE_NOOP("UploadPool", "not sent: the run was cancelled");

} // namespace wareloom
