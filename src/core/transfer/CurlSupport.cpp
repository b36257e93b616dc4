#include "core/transfer/CurlSupport.h"

#include <QCryptographicHash>

#include <openssl/x509_vfy.h>

#include <QCoreApplication>
#include <QFile>
#include <QRegularExpression>

#include <algorithm>
#include <atomic>

namespace wareloom {

namespace {

struct CurlTexts
{
    Q_DECLARE_TR_FUNCTIONS(CurlSupport)
};

} // namespace
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

// Why the system's CAs did not vouch for the certificate, from OpenSSL's
// verdict on the chain; a chain it accepted failed on the host name.
QString whyCertificateRefused(CURL* curl, const QString& hostPort)
{
    long verdict = X509_V_OK;
    curl_easy_getinfo(curl, CURLINFO_SSL_VERIFYRESULT, &verdict);
    switch (verdict) {
    case X509_V_OK:
    case X509_V_ERR_HOSTNAME_MISMATCH:
        return CurlTexts::tr("the certificate was issued for another name than %1")
            .arg(hostPort.left(hostPort.lastIndexOf(QLatin1Char(':'))));
    case X509_V_ERR_DEPTH_ZERO_SELF_SIGNED_CERT:
    case X509_V_ERR_SELF_SIGNED_CERT_IN_CHAIN:
        return CurlTexts::tr("the certificate is self-signed: no certificate authority vouches "
                             "for it");
    case X509_V_ERR_UNABLE_TO_GET_ISSUER_CERT:
    case X509_V_ERR_UNABLE_TO_GET_ISSUER_CERT_LOCALLY:
    case X509_V_ERR_UNABLE_TO_VERIFY_LEAF_SIGNATURE:
        return CurlTexts::tr("the certificate's issuer is not a certificate authority this "
                             "computer knows");
    case X509_V_ERR_CERT_HAS_EXPIRED:
        return CurlTexts::tr("the certificate has expired");
    case X509_V_ERR_CERT_NOT_YET_VALID:
        return CurlTexts::tr("the certificate is not valid yet");
    default:
        return CurlTexts::tr("the certificate was not accepted (OpenSSL verify error %1)")
            .arg(verdict);
    }
}

// The SHA-256 of the host's certificate as "openssl x509 -fingerprint
// -sha256" and control panels print it (AB:CD:...); empty when libcurl did
// not show it.
QString certificateFingerprint(CURL* curl)
{
    curl_certinfo* chain = nullptr;
    if (curl_easy_getinfo(curl, CURLINFO_CERTINFO, &chain) != CURLE_OK || !chain ||
        chain->num_of_certs < 1)
        return {};
    for (const curl_slist* field = chain->certinfo[0]; field; field = field->next) {
        QByteArray pem(field->data);
        if (!pem.startsWith("Cert:"))
            continue;
        pem = pem.mid(pem.indexOf('\n') + 1);
        pem.truncate(pem.indexOf("-----END"));
        const QByteArray der = QByteArray::fromBase64(pem.simplified().replace(' ', ""));
        return QString::fromLatin1(
            QCryptographicHash::hash(der, QCryptographicHash::Sha256).toHex(':').toUpper());
    }
    return {};
}

RefusedCertificateLook lookAtRefusedCertificate(CURL* curl, const QString& hostPort)
{
    const QString why = whyCertificateRefused(curl, hostPort);
    curl_easy_setopt(curl, CURLOPT_SSL_VERIFYPEER, 0L);
    curl_easy_setopt(curl, CURLOPT_SSL_VERIFYHOST, 0L);
    curl_easy_setopt(curl, CURLOPT_PINNEDPUBLICKEY, NoTlsKey);
    curl_easy_setopt(curl, CURLOPT_CERTINFO, 1L);
    curl_easy_perform(curl);
    curl_easy_setopt(curl, CURLOPT_CERTINFO, 0L);
    return {certificateFingerprint(curl), why};
}

} // namespace wareloom
