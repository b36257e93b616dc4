#include "core/transfer/UploadPool.h"

#include "core/transfer/FtpConnection.h"
#include "core/transfer/HostTransfer.h"

#include <QCoreApplication>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

namespace wareloom {
namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(UploadPool)
};

// In the same directory, so that the rename stays on one file system; never
// the name of a page or a picture.
QString temporaryName(const QString& remoteName)
{
    return remoteName + QLatin1String(TemporarySuffix);
}

struct Event
{
    enum class Kind { Started, Finished, GivenBack, Notice };
    Kind kind;
    std::size_t job = 0;
    QString notice;
    Result<QByteArray> sent = QByteArray(); // of a finished job: the MD5 the host confirmed
};

// Events of the sending threads, taken in order by the calling thread.
class EventQueue
{
public:
    void push(Event event)
    {
        {
            const std::lock_guard lock(m_mutex);
            m_events.push_back(std::move(event));
        }
        m_ready.notify_one();
    }
    Event take()
    {
        std::unique_lock lock(m_mutex);
        m_ready.wait(lock, [this] { return !m_events.empty(); });
        Event event = std::move(m_events.front());
        m_events.pop_front();
        return event;
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_ready;
    std::deque<Event> m_events;
};

} // namespace

// Unopened until open(): every use fails with "no connection is open".
UploadPool::UploadPool()
{
    for (auto& connection : m_connections)
        connection = std::make_unique<FtpConnection>();
}

void UploadPool::open(const FtpSettings& settings, HostNeeds needs)
{
    const std::lock_guard lock(m_replacing);
    for (std::size_t i = 0; i < MaxConnections; ++i) {
        m_connections[i] = connectToHost(settings);
        m_connections[i]->assume(needs);
        if (m_cancelled)
            m_connections[i]->cancel();
        m_usable[i] = true;
    }
    m_renameRefused = false;
    m_removeFirst = false;
}

void UploadPool::close()
{
    for (auto& connection : m_connections)
        connection->close();
}

HostNeeds UploadPool::needs() const
{
    HostNeeds needs;
    for (const auto& connection : m_connections) {
        needs.passive = needs.passive || connection->needs().passive;
        needs.tls12 = needs.tls12 || connection->needs().tls12;
    }
    return needs;
}

void UploadPool::setPageCharset(const QByteArray& charset)
{
    for (auto& connection : m_connections)
        connection->setPageCharset(charset);
}

void UploadPool::cancel()
{
    const std::lock_guard lock(m_replacing);
    m_cancelled = true;
    for (auto& connection : m_connections)
        connection->cancel();
}

void UploadPool::send(const std::vector<UploadJob>& jobs, const UploadEvents& events)
{
    // Each connection sends on a thread of its own; the events come back here.
    // A refused login is not tried again on the others.
    const bool stopped = !first().stopReason().isEmpty();
    const std::size_t connections = jobs.size() >= ParallelFrom && !stopped ? MaxConnections : 1;
    EventQueue queue;
    std::atomic<std::size_t> next{0};
    // What one connection had to learn is not learnt again on each.
    const HostNeeds needs = this->needs(); // read before the first thread uses it
    std::vector<std::jthread> workers;
    for (std::size_t c = 0; c < connections && c < jobs.size(); ++c) {
        if (!m_usable[c])
            continue;
        m_connections[c]->assume(needs);
        workers.emplace_back([this, c, &jobs, &next, &queue] {
            HostConnection& connection = *m_connections[c];
            // The first connection has logged in before; another proves itself
            // with its first file.
            bool proven = c == 0;
            for (std::size_t i = next++; i < jobs.size(); i = next++) {
                if (!isCancelled() && connection.stopReason().isEmpty())
                    queue.push({Event::Kind::Started, i, {}});
                QString notice;
                Result<QByteArray> sent = sendOne(connection, jobs[i], notice);
                if (!notice.isEmpty())
                    queue.push({Event::Kind::Notice, i, notice});
                if (!sent && !proven && !isCancelled()) {
                    m_usable[c] = false;
                    queue.push({Event::Kind::GivenBack, i, {}});
                    return;
                }
                proven = true;
                queue.push({Event::Kind::Finished, i, {}, std::move(sent)});
            }
        });
    }
    std::vector<std::size_t> givenBack;
    for (std::size_t ended = 0; ended < jobs.size();) {
        const Event event = queue.take();
        switch (event.kind) {
        case Event::Kind::Started:
            events.started(event.job);
            break;
        case Event::Kind::Notice:
            events.noticed(event.notice);
            break;
        case Event::Kind::GivenBack:
            givenBack.push_back(event.job);
            ++ended;
            break;
        case Event::Kind::Finished:
            events.finished(event.job, event.sent);
            ++ended;
            break;
        }
    }
    workers.clear(); // joined
    for (const std::size_t i : givenBack) {
        QString notice;
        events.finished(i, sendOne(first(), jobs[i], notice));
    }
}

// Succeeds when the host confirmed the file, with the MD5 it confirmed, if
// any. notice is set when the host refused the first rename.
Result<QByteArray> UploadPool::sendOne(HostConnection& connection, const UploadJob& job,
                                       QString& notice)
{
    if (isCancelled())
        return Status::failure(Texts::tr(NotSentCancelled));
    if (!connection.stopReason().isEmpty())
        return Status::failure(Texts::tr(NotSentStopped));
    if (job.replace && !m_renameRefused) {
        const QString temporary = temporaryName(job.remoteName);
        using Overwrite = HostConnection::Overwrite;
        Result<HostConnection::Stored> stored =
            connection.replaceFile(job.localPath, job.remoteName, temporary, job.type,
                                   m_removeFirst ? Overwrite::RemoveFirst : Overwrite::ByRename);
        // Some servers rename only onto a free name (550 "already exists").
        if (stored && !stored->renamed && !m_removeFirst.exchange(true))
            stored = connection.replaceFile(job.localPath, job.remoteName, temporary, job.type,
                                            Overwrite::RemoveFirst);
        if (!stored) {
            notice = connection.notice();
            // A part of the file may have arrived: never left on the host. A
            // temporary file that stays is removed by the next publish.
            if (connection.stopReason().isEmpty() && !isCancelled())
                (void)connection.deleteFile(temporary);
            return stored.status();
        }
        if (stored->renamed) {
            notice = connection.notice();
            return std::move(stored->md5);
        }
        m_renameRefused = true;
        notice = Texts::tr("The server does not rename files: each file is sent under "
                           "its own name, so a visitor may see a page half written "
                           "while it arrives.");
        (void)connection.deleteFile(temporary);
    }
    Status sent = connection.putFile(job.localPath, job.remoteName, job.type);
    if (notice.isEmpty())
        notice = connection.notice();
    if (!sent)
        return sent;
    return QByteArray();
}

} // namespace wareloom
