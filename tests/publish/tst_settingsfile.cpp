#include "TempDataDirectory.h"
#include "TestFiles.h"
#include "TestFtpServer.h"
#include "core/util/TextConversion.h"
#include "core/transfer/SettingsFile.h"

#include <QDir>
#include <QtTest>

#include <sys/stat.h>

using namespace wareloom;
using test::readFile;

Q_DECLARE_METATYPE(wareloom::SettingsField)

namespace {

// A 200-byte field as the rules lay it out: text, then zeros.
QByteArray field(const QByteArray& text)
{
    return text + QByteArray(200 - text.size(), '\0');
}

int fileMode(const QString& path)
{
    struct stat info = {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? int(info.st_mode & 07777) : -1;
}

} // namespace

class TestSettingsFile : public QObject
{
    Q_OBJECT

    test::TempDataDirectory m_data;

    static void useCodePage(const char* name)
    {
        qputenv("WARELOOM_CODEPAGE", name);
        resetConversionCodePage();
    }

private Q_SLOTS:
    void init()
    {
        useCodePage("CP1252");
        settingsRecord().fill('\0');
        QFile::remove(settingsFilePath());
    }

    void loadFailsWithoutFile()
    {
        QCOMPARE(settingsFilePath(), m_data.filePath("FTPServer.ftp"));
        QVERIFY(!loadSettings());
        QVERIFY(!QFile::exists(settingsFilePath()));
    }

    void storesFieldAtItsOffset_data()
    {
        QTest::addColumn<SettingsField>("field");
        QTest::addColumn<int>("offset");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QString>("readBack");
        QTest::newRow("199 characters") << SettingsField::UserName << 0 << QString(199, 'u')
                                        << QByteArray(199, 'u') << QString(199, 'u');
        QTest::newRow("250 characters keep the first 199")
            << SettingsField::UserName << 0 << QString(199, 'a') + QString(51, 'b')
            << QByteArray(199, 'a') << QString(199, 'a');
        QTest::newRow("password in clear") << SettingsField::Password << 200 << "p@ss w0rd"
                                           << QByteArray("p@ss w0rd") << "p@ss w0rd";
        QTest::newRow("FTP server") << SettingsField::FtpServer << 400 << "ftp.example.com"
                                    << QByteArray("ftp.example.com") << "ftp.example.com";
        QTest::newRow("upload path, code page byte")
            << SettingsField::UploadPath << 600 << "/caf\u00e9/" << QByteArray("/caf\xe9/")
            << "/caf\u00e9/";
        QTest::newRow("character the code page lacks")
            << SettingsField::HttpServer << 800 << "http://\u4e2d.example/"
            << QByteArray("http://?.example/") << "http://?.example/";
    }
    void storesFieldAtItsOffset()
    {
        QFETCH(SettingsField, field);
        QFETCH(int, offset);
        QFETCH(QString, text);
        QFETCH(QByteArray, stored);
        QFETCH(QString, readBack);
        setSettingsText(field, text);
        QVERIFY(saveSettings().ok());
        QCOMPARE(readFile(settingsFilePath()),
                 QByteArray(1000, '\0').replace(offset, 200, ::field(stored)));
        QCOMPARE(fileMode(settingsFilePath()), 0600);
        settingsRecord().fill('\x55');
        QVERIFY(loadSettings());
        QCOMPARE(settingsText(field), readBack);
    }

    void cutsMultiByteTextAtCharacterBoundary()
    {
        useCodePage("UTF-8");
        setSettingsText(SettingsField::Password, QString(150, QChar(0xE9))); // two bytes each
        QCOMPARE(settingsBytes(SettingsField::Password).size(), 198);
        QCOMPARE(settingsText(SettingsField::Password), QString(99, QChar(0xE9)));
    }

    void shorterTextLeavesRemnants()
    {
        setSettingsText(SettingsField::UploadPath, u"abcdef");
        QVERIFY(saveSettings().ok());
        QVERIFY(loadSettings());
        setSettingsText(SettingsField::UploadPath, u"ab");
        QVERIFY(saveSettings().ok());
        const QByteArray stored = readFile(settingsFilePath());
        QCOMPARE(stored.size(), 1000);
        QCOMPARE(stored.mid(600, 7), QByteArray("ab\0def\0", 7));
        settingsRecord().fill('\0');
        QVERIFY(loadSettings());
        QCOMPARE(settingsText(SettingsField::UploadPath), QStringLiteral("ab"));
    }

    // A file someone made readable for all is tightened at the next save.
    void saveMakesFileOwnerOnly()
    {
        QVERIFY(saveSettings().ok());
        QVERIFY(QFile::setPermissions(settingsFilePath(),
                                      QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther));
        QVERIFY(saveSettings().ok());
        QCOMPARE(fileMode(settingsFilePath()), 0600);
    }

    // A field without zero ends at its 200th byte; a short file fills only the
    // start of the record and bytes beyond the record are ignored.
    void readsFieldsWithinTheirBounds()
    {
        setSettingsText(SettingsField::Password, u"oldpassword-long");
        setSettingsText(SettingsField::FtpServer, u"old.example.com");
        QVERIFY(test::writeFile(settingsFilePath(), QByteArray(210, 'X')));
        QVERIFY(loadSettings());
        QCOMPARE(settingsText(SettingsField::UserName), QString(200, 'X'));
        QCOMPARE(settingsText(SettingsField::Password), QStringLiteral("XXXXXXXXXXd-long"));
        QCOMPARE(settingsText(SettingsField::FtpServer), QStringLiteral("old.example.com"));

        QByteArray bytes;
        for (char c : {'A', 'B', 'C', 'D', 'E'})
            bytes += QByteArray(200, c);
        QVERIFY(test::writeFile(settingsFilePath(), bytes + "trailing bytes"));
        QVERIFY(loadSettings());
        QCOMPARE(settingsBytes(SettingsField::UploadPath), QByteArray(200, 'D'));
        QCOMPARE(settingsText(SettingsField::HttpServer), QString(200, 'E'));
    }

    void editedFileTakesEffectAtNextLoad()
    {
        QVERIFY(test::writeSettingsFile({"first", "pw", "host.one", "/one/", "http://one/"}));
        QVERIFY(loadSettings());
        QCOMPARE(settingsText(SettingsField::UserName), QStringLiteral("first"));
        QVERIFY(test::writeSettingsFile({"second", "pw", "host.two", "/two/", "http://two/"}));
        QCOMPARE(settingsText(SettingsField::UserName), QStringLiteral("first"));
        QVERIFY(loadSettings());
        QCOMPARE(settingsText(SettingsField::UserName), QStringLiteral("second"));
        QCOMPARE(settingsText(SettingsField::FtpServer), QStringLiteral("host.two"));
    }

    void createsFileWithEmptyFieldsWhenMissing()
    {
        for (int f = 0; f < SettingsFieldCount; ++f)
            setSettingsText(SettingsField(f), u"abcdef");
        QVERIFY(loadOrCreateSettings().ok());
        QCOMPARE(readFile(settingsFilePath()), field(QByteArray("\0bcdef", 6)).repeated(5));
        QCOMPARE(fileMode(settingsFilePath()), 0600);
        for (int f = 0; f < SettingsFieldCount; ++f)
            QCOMPARE(settingsText(SettingsField(f)), QString());
    }

    void loadOrCreateLeavesExistingFile_data()
    {
        QTest::addColumn<bool>("readable");
        QTest::newRow("readable file is loaded") << true;
        QTest::newRow("unreadable file is reported") << false;
    }
    void loadOrCreateLeavesExistingFile()
    {
        QFETCH(bool, readable);
        if (readable)
            QVERIFY(test::writeSettingsFile({"user", "pw", "host", "/htdocs/", "http://host/"}));
        else // something by that name that cannot be read as a file
            QVERIFY(QDir(m_data.path()).mkdir("FTPServer.ftp"));
        const QByteArray before = readFile(settingsFilePath());
        QCOMPARE(loadOrCreateSettings().ok(), readable);
        QCOMPARE(settingsText(SettingsField::UserName),
                 readable ? QStringLiteral("user") : QString());
        QCOMPARE(readFile(settingsFilePath()), before);
        QCOMPARE(QFileInfo(settingsFilePath()).isDir(), !readable);
        QDir(m_data.path()).rmdir("FTPServer.ftp");
    }
};

QTEST_GUILESS_MAIN(TestSettingsFile)
#include "tst_settingsfile.moc"
