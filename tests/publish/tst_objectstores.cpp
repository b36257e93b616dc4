#include "PublishTestSupport.h"
#include "core/publish/PublishRun.h"
#include "core/transfer/Networking.h"

#include <QCryptographicHash>
#include <QDir>
#include <QProcess>
#include <QTest>
#include <QXmlStreamReader>

using namespace wareloom;
using namespace wareloom::test;

// wareloom -Publish to an S3 bucket (Ceph's gateway, which checks signatures
// and payload hashes) and to WebDAV shares (Apache's mod_dav, in clear and
// over TLS with a self-signed certificate): after every run the upload
// folder holds exactly the pages, the picture and the banner, byte for byte
// as fetched back.
class TestObjectStores : public QObject
{
    Q_OBJECT

    // Closing its input stops the server and everything it started, by PID;
    // also when a check ends the test early.
    struct ServerProcess : QProcess
    {
        ~ServerProcess() override
        {
            closeWriteChannel();
            waitForFinished(30000);
        }
    };

    struct Run
    {
        int exitCode = -1;
        QString messages;
    };

    // wareloom -Publish or -Check, and what it said on both channels.
    static Run run(const QString& command, const QStringList& switches = {})
    {
        QProcess program;
        program.setProcessChannelMode(QProcess::MergedChannels);
        program.start(QStringLiteral(WARELOOM_PROGRAM), QStringList{command} + switches);
        if (!program.waitForFinished(60000))
            program.kill(), program.waitForFinished();
        return {program.exitCode(), QString::fromLocal8Bit(program.readAll())};
    }
    static Run publish(const QStringList& switches) { return run("-Publish", switches); }

    // A server of object_store_server.py; its first lines, or none when it did not start.
    static QStringList startServer(QProcess& process, const QStringList& arguments, int lines)
    {
        process.start("/usr/bin/python3",
                      QStringList{QStringLiteral(WARELOOM_TEST_SUPPORT "/object_store_server.py")} +
                          arguments);
        QStringList read;
        while (read.size() < lines && (process.canReadLine() || process.waitForReadyRead(120000))) {
            if (process.canReadLine())
                read << QString::fromUtf8(process.readLine()).trimmed();
        }
        return read.size() == lines ? read : QStringList();
    }

    // An S3 request signed by curl, as any other client would make it; the
    // answer's body.
    QByteArray s3(const QByteArray& pathAndQuery, const QByteArray& method = "GET",
                  const QByteArray& body = {}) const
    {
        QStringList arguments{
            "-sSf",
            "-X",
            method,
            "--aws-sigv4",
            "aws:amz:us-east-1:s3",
            "-u",
            m_access + ':' + m_secret,
            "-H",
            "x-amz-content-sha256: " +
                QCryptographicHash::hash(body, QCryptographicHash::Sha256).toHex()};
        if (!body.isEmpty())
            arguments.append({"--data-binary", "@-"});
        QProcess curl;
        curl.start("curl", arguments << "http://127.0.0.1:" + m_rgwPort + pathAndQuery);
        curl.write(body);
        curl.closeWriteChannel();
        curl.waitForFinished(30000);
        return curl.readAllStandardOutput();
    }

    // Behind the program's back: the host's copy of name becomes bytes, or
    // goes when there are none.
    void hold(const QString& kind, const QString& folder, const QString& name,
              const QByteArray& bytes = {}) const
    {
        if (kind != "s3") {
            QVERIFY(bytes.isEmpty() ? QFile::remove(folder + '/' + name)
                                    : writeFile(folder + '/' + name, bytes));
            return;
        }
        const QByteArray path = "/wareloom/shop%20site/" + QUrl::toPercentEncoding(name);
        s3(path, bytes.isEmpty() ? "DELETE" : "PUT", bytes);
        QCOMPARE(s3(path), bytes);
    }

    // What the upload folder holds: name -> bytes.
    QHash<QString, QByteArray> held(const QString& kind, const QString& folder) const
    {
        QHash<QString, QByteArray> files;
        if (kind != "s3") {
            for (const QString& name : QDir(folder).entryList(QDir::Files))
                files.insert(name, readFile(folder + '/' + name));
            return files;
        }
        QXmlStreamReader xml(s3("/wareloom?list-type=2&prefix=shop%20site%2F"));
        while (!xml.atEnd()) {
            if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == u"Key") {
                const QString key = xml.readElementText();
                files.insert(key.mid(10), s3("/wareloom/" + QUrl::toPercentEncoding(key, "/")));
            }
        }
        return files;
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(startNetworking());
        const QStringList lines = startServer(m_rgw, {"rgw", "--dir", m_rgwDir.path()}, 2);
        QVERIFY2(!lines.isEmpty(), m_rgw.readAllStandardError().constData());
        m_rgwPort = lines[0].section(' ', 0, 0);
        m_access = lines[1].section(' ', 0, 0);
        m_secret = lines[1].section(' ', 1);
    }

    void cleanupTestCase()
    {
        m_rgw.closeWriteChannel();
        QVERIFY(m_rgw.waitForFinished(30000));
    }

    void publishesWhole_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("refusal"); // the server's words for a wrong secret
        QTest::newRow("s3") << "s3"
                            << "403 Forbidden: SignatureDoesNotMatch";
        QTest::newRow("dav") << "dav"
                             << "401 Unauthorized";
        QTest::newRow("davs") << "davs"
                              << "401 Unauthorized";
    }
    void publishesWhole()
    {
        QFETCH(QString, kind);
        QFETCH(QString, refusal);
        TempDataDirectory data;
        QTemporaryDir share;
        ServerProcess apache;
        QString address, user = m_access, secret = m_secret, key;
        const QString root = share.filePath("root"), folder = root + "/shop site";
        if (kind == "s3") {
            address = "s3+http://127.0.0.1:" + m_rgwPort + "/wareloom";
        } else {
            QVERIFY(QDir().mkpath(root));
            const QStringList lines =
                startServer(apache, {kind, "--dir", share.path(), "--root", root}, 1);
            QVERIFY(!lines.isEmpty());
            address = kind + "://127.0.0.1:" + lines[0].section(' ', 0, 0) + "/dav/";
            key = lines[0].section(' ', 1);
            user = "wareloom", secret = "secret";
        }
        // A space, "&" and "é" in the folder and in a page's name; a banner
        // and a picture with bytes no text has.
        const QByteArray picture("\xff\xd8\xff\xe0\0\r\n\x80", 8);
        QVERIFY(
            writeCategories(data, {"A", "B", "C", "D", "E", "F", "G", "H", "a b&cé"}) &&
            data.writeFile("A.dat", recordBytes("Pot", "P1")) &&
            data.writeFile("P1.jpg", picture) &&
            data.writeFile("banner.gif", QByteArray("GIF89a\x01\0\x01\0\x80\0\0\xff\r\n", 16)) &&
            writeSettingsFile(data.store(), {user, secret, address, "shop site/", {}}));

        if (kind == "davs") { // never a request before its key is trusted
            const Run untrusted = publish({});
            QCOMPARE(untrusted.exitCode, 5);
            const QString line = address.section('/', 2, 2) + ' ' + key;
            QVERIFY2(untrusted.messages.contains(line), qPrintable(untrusted.messages));
            QVERIFY(!QDir(folder).exists());
            QVERIFY(data.writeFile("KnownHosts", (line + '\n').toUtf8()));
        }
        const auto step = [&](const QStringList& switches, const QString& summary) {
            const Run run = publish(switches);
            QVERIFY2(run.exitCode == 0 && run.messages.contains("Summary: " + summary),
                     qPrintable(run.messages));
            const QHash<QString, QByteArray> files = held(kind, folder);
            QStringList names = files.keys(), pages = listedPages(data) << "banner.gif"
                                                                        << "P1.jpg";
            names.sort(), pages.sort();
            QCOMPARE(names, pages);
            for (const QString& page : pages)
                QVERIFY2(files.value(page) == readFile(data.filePath(page)), qPrintable(page));
        };
        step({}, "12 sent, 0 unchanged");
        step({}, "1 sent, 11 unchanged");
        // Cancel, as the publish window's, while a new picture travels: the
        // host keeps the old one whole; the next run sends it.
        QVERIFY(data.writeFile("P1.jpg", picture.repeated(2 << 20)));
        const QHash<QString, QByteArray> site = held(kind, folder);
        PublishRun cancelled(data.store(), std::nullopt);
        connect(&cancelled, &PublishRun::statusChanged, [&](const QString& status) {
            if (status == "Upload -> P1.jpg")
                cancelled.cancel();
        });
        QCOMPARE(cancelled.run().result, PublishOutcome::Result::Cancelled);
        QCOMPARE(held(kind, folder), site);
        step({}, "2 sent, 10 unchanged");
        if (kind == "s3") { // changed behind our back, same size: its ETag tells
            hold(kind, folder, "A.htm", readFile(data.filePath("A.htm")).replace("Pot", "Pan"));
            step({}, "2 sent, 10 unchanged");
        }
        QVERIFY(data.writeFile("P1.jpg", picture) &&
                data.writeFile("B.dat", readFile(data.filePath("B.dat")) +
                                            readFile(data.filePath("C.dat"))));
        step({}, "3 sent, 9 unchanged");
        step({"-All"}, "12 sent, 0 unchanged");
        QVERIFY(QFile::remove(data.filePath("C.dat")));
        step({"-Prune"}, "1 sent, 10 unchanged");

        // -Check reads a page from the host when the data directory's copy
        // is not the one sent: the host's A.htm, the same size as sent but
        // linking elsewhere, is the one walked.
        const Run checked = run("-Check");
        QCOMPARE(checked.exitCode, 0);
        QCOMPARE(checked.messages,
                 QString("The website is whole: 9 pages read, 11 files checked.\n"));
        const QByteArray page = readFile(data.filePath("A.htm"));
        QVERIFY(page.count("HREF=inventory.htm") == 1 &&
                writeFile(data.filePath("A.htm"), page + "\n"));
        hold(kind, folder, "A.htm", QByteArray(page).replace("=inventory.", "=inventorx."));
        hold(kind, folder, "B.htm");
        const Run problems = run("-Check");
        QCOMPARE(problems.exitCode, 1);
        QCOMPARE(problems.messages,
                 QString("B.htm (linked from inventory.htm) is missing on the host; the next "
                         "publish sends it.\n"
                         "inventorx.htm (linked from A.htm) is missing on the host, and the data "
                         "directory has no such file either.\n"
                         "2 problems: 8 pages read, 12 files checked.\n"));
        step({"-All"}, "11 sent, 0 unchanged");

        // Refused once, in the server's words; the host keeps what it has.
        const QHash<QString, QByteArray> before = held(kind, folder);
        QVERIFY(writeSettingsFile(data.store(), {user, "wrong", address, "shop site/", {}}));
        const Run refused = publish({});
        QCOMPARE(refused.exitCode, 1);
        QVERIFY2(refused.messages.count("Login refused by the server: " + refusal) == 1,
                 qPrintable(refused.messages));
        QCOMPARE(held(kind, folder), before);
    }

private:
    QTemporaryDir m_rgwDir;
    ServerProcess m_rgw;
    QString m_rgwPort, m_access, m_secret;
};

QTEST_GUILESS_MAIN(TestObjectStores)
#include "tst_objectstores.moc"
