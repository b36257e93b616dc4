#include "core/transfer/CurlSupport.h"

#include <QFile>
#include <QRegularExpression>

#include <algorithm>
#include <atomic>

namespace wareloom {
namespace {

// Set once at start (a test's short wait); 0 keeps the usual ones.
std::atomic<long> uniformTimeoutSeconds{0};

} // namespace

Timeouts Timeouts::chosen()
{
    const long seconds = uniformTimeoutSeconds.load();
    if (seconds <= 0)
        return {};
    return {seconds, seconds, std::min(seconds * 1000, Timeouts().acceptMilliseconds), seconds};
}

void Timeouts::setUniform(std::chrono::seconds timeout)
{
    uniformTimeoutSeconds = long(timeout.count());
}

QByteArray encodeUrlPath(const QByteArray& name)
{
    static const char hex[] = "0123456789ABCDEF";
    QByteArray out;
    out.reserve(name.size() * 3);
    for (qsizetype i = 0; i < name.size(); ++i) {
        const uchar c = uchar(name[i]);
        const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                           (c >= '0' && c <= '9') || c == '-' || c == '.' || c == '_' || c == '~' ||
                           (c == '/' && i > 0);
        if (plain) {
            out += char(c);
        } else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 0xF];
        }
    }
    return out;
}

std::optional<HostAndPort> parseHostPort(const QString& server, int defaultPort)
{
    QString host = server;
    QString port;
    if (server.startsWith(QLatin1Char('['))) {
        const qsizetype close = server.indexOf(QLatin1Char(']'));
        if (close > 0) {
            host = server.mid(1, close - 1);
            const QString rest = server.mid(close + 1);
            if (rest.startsWith(QLatin1Char(':')))
                port = rest.mid(1);
            else if (!rest.isEmpty())
                host.clear();
        } else {
            host.clear();
        }
    } else if (server.count(QLatin1Char(':')) == 1) {
        const qsizetype colon = server.indexOf(QLatin1Char(':'));
        host = server.left(colon);
        port = server.mid(colon + 1);
    }
    static const QString forbidden = QStringLiteral(" /\\?#@[]{}%\"'<>^`|!$&()*+,;=");
    bool valid = !host.isEmpty();
    for (const QChar c : host) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F || forbidden.contains(c))
            valid = false;
    }
    HostAndPort address{{}, defaultPort};
    if (!port.isNull()) {
        bool ok = false;
        address.port = port.toInt(&ok);
        if (!ok || address.port < 1 || address.port > 65535 || !port.front().isDigit())
            valid = false;
    }
    if (!valid)
        return std::nullopt;
    const bool ipv6 = host.contains(QLatin1Char(':'));
    address.urlHost = ipv6 ? '[' + host.toUtf8() + ']' : host.toUtf8();
    return address;
}

bool breaksCommandLine(const QString& text)
{
    return text.contains(QLatin1Char('\r')) || text.contains(QLatin1Char('\n')) ||
           text.contains(QChar(0));
}

size_t readLocalFile(char* buffer, size_t size, size_t count, void* file)
{
    const qint64 read = static_cast<QFile*>(file)->read(buffer, qint64(size) * qint64(count));
    return read < 0 ? size_t(CURL_READFUNC_ABORT) : size_t(read);
}

int abortWhenCancelled(void* cancelled, curl_off_t, curl_off_t, curl_off_t, curl_off_t)
{
    return static_cast<const std::atomic<bool>*>(cancelled)->load() ? 1 : 0;
}

QString tlsKeyIn(const QString& verboseLine)
{
    static const QRegularExpression tlsKey(QStringLiteral("public key hash: (sha256//\\S+)"));
    const QRegularExpressionMatch match = tlsKey.match(verboseLine);
    return match.hasMatch() ? match.captured(1) : QString();
}

} // namespace wareloom
