#pragma once

#include <QByteArray>
#include <QString>

#include <curl/curl.h>

#include <chrono>
#include <optional>

// What every libcurl connection of ours shares, whatever it speaks.
namespace wareloom {

struct Timeouts
{
    long connectSeconds = 15;
    long serverResponseSeconds = 30;
    // A connect-back comes at once or not at all: passive mode is then tried.
    long acceptMilliseconds = 5000;
    long lowSpeedSeconds = 30;

    // The usual ones, or the uniform one a test set.
    static Timeouts chosen();
    static void setUniform(std::chrono::seconds timeout);
};

// A remote name as it goes into a URL path: every byte but A-Z a-z 0-9 - . _ ~
// and an inner '/' percent-encoded (upper-case hex), so that nothing in it
// reads as URL syntax ('#', '?', '%', ";type=", blanks...). A leading '/' is
// encoded too: it belongs to the name, not to the URL.
QByteArray encodeUrlPath(const QByteArray& name);

// "host", "host:port", "[v6address]", "[v6address]:port" or a bare IPv6
// address, with what follows the scheme and precedes any path; the host as
// it goes into a URL (an IPv6 address in brackets). Nothing when a character
// would change the meaning of the URL or the port is not one.
struct HostAndPort
{
    QByteArray urlHost;
    int port = 0;
    QString hostPort() const { return QString::fromUtf8(urlHost) + ':' + QString::number(port); }
};
std::optional<HostAndPort> parseHostPort(const QString& text, int defaultPort);

// A line break (or NUL) in a name or login would end a command or header
// early and let the rest pass as one of its own.
bool breaksCommandLine(const QString& text);

// CURLOPT_READFUNCTION for a QFile.
size_t readLocalFile(char* buffer, size_t size, size_t count, void* file);

// CURLOPT_XFERINFOFUNCTION with a std::atomic<bool> that cancel() sets:
// libcurl calls it about once a second, also while it waits for a server
// that says nothing; non-zero ends the transfer.
int abortWhenCancelled(void* cancelled, curl_off_t, curl_off_t, curl_off_t, curl_off_t);

// Never a key a host has: it makes libcurl end the connection right after
// the handshake (before the login) and tell the key the host showed.
inline constexpr char NoTlsKey[] = "sha256//AAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA=";

// The TLS key in one of libcurl's verbose lines, as KnownHosts keeps it
// ("sha256//..."); empty when the line tells none.
QString tlsKeyIn(const QString& verboseLine);

// Why the system's CAs did not vouch for the certificate of the transfer
// that just failed verification on curl, from OpenSSL's verdict on the chain
// (self-signed, unknown issuer, expired; a chain it accepted failed on the
// name in hostPort).
QString whyCertificateRefused(CURL* curl, const QString& hostPort);

// The SHA-256 of the certificate of the transfer just made with
// CURLOPT_CERTINFO, as "openssl x509 -fingerprint -sha256" and control
// panels print it (AB:CD:...); empty when libcurl did not show it.
QString certificateFingerprint(CURL* curl);

// A certificate the system's CAs refused on curl's last transfer: why, and
// its fingerprint, learnt by a second handshake that checks nothing and ends
// before any login or request (NoTlsKey). The caller first clears what its
// callbacks gather, to read the key the second handshake shows.
struct RefusedCertificateLook
{
    QString sha256;
    QString why;
};
RefusedCertificateLook lookAtRefusedCertificate(CURL* curl, const QString& hostPort);

} // namespace wareloom
