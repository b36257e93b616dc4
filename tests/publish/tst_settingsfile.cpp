#include "TempDataDirectory.h"
#include "TestFtpServer.h"
#include "platform/TextConversion.h"
#include "publish/SettingsFile.h"

#include <QDir>
#include <QFile>
#include <QtTest>

#include <csignal>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace wareloom;

Q_DECLARE_METATYPE(wareloom::SettingsField)

namespace {

// A 200-byte field as the rules lay it out: text, then zeros.
QByteArray field(const QByteArray& text)
{
    return text + QByteArray(200 - text.size(), '\0');
}

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

int fileMode(const QString& path)
{
    struct stat info
    {
    };
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? int(info.st_mode & 07777) : -1;
}

// Makes the directory unwritable for the duration of a test, for root too
// (which ignores permission bits) through the immutable flag.
class ReadOnlyDirectory
{
public:
    explicit ReadOnlyDirectory(const QString& path) : m_path(QFile::encodeName(path))
    {
        ::chmod(m_path.constData(), 0555);
        if (::geteuid() != 0) {
            m_effective = true;
            return;
        }
        m_fd = ::open(m_path.constData(), O_RDONLY | O_DIRECTORY);
        int flags = 0;
        if (m_fd >= 0 && ::ioctl(m_fd, FS_IOC_GETFLAGS, &flags) == 0) {
            flags |= FS_IMMUTABLE_FL;
            m_effective = ::ioctl(m_fd, FS_IOC_SETFLAGS, &flags) == 0;
        }
    }
    ~ReadOnlyDirectory()
    {
        if (m_fd >= 0) {
            int flags = 0;
            if (::ioctl(m_fd, FS_IOC_GETFLAGS, &flags) == 0) {
                flags &= ~FS_IMMUTABLE_FL;
                ::ioctl(m_fd, FS_IOC_SETFLAGS, &flags);
            }
            ::close(m_fd);
        }
        ::chmod(m_path.constData(), 0755);
    }
    ReadOnlyDirectory(const ReadOnlyDirectory&) = delete;
    ReadOnlyDirectory& operator=(const ReadOnlyDirectory&) = delete;
    bool effective() const { return m_effective; }

private:
    QByteArray m_path;
    int m_fd = -1;
    bool m_effective = false;
};

// No file of this process may grow beyond a few bytes: a full disk.
class FileSizeLimit
{
public:
    FileSizeLimit()
    {
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        ::getrlimit(RLIMIT_FSIZE, &m_old);
        struct rlimit small = m_old;
        small.rlim_cur = 10;
        m_effective = ::setrlimit(RLIMIT_FSIZE, &small) == 0;
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
    bool effective() const { return m_effective; }

private:
    struct rlimit m_old
    {
    };
    void (*m_oldHandler)(int) = nullptr;
    bool m_effective = false;
};

} // namespace

class TestSettingsFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void loadFailsWithoutFile();
    void storesFieldAtItsOffset_data();
    void storesFieldAtItsOffset();
    void cutsMultiByteTextAtCharacterBoundary();
    void shorterTextLeavesRemnants();
    void fileIsReadableByOwnerOnly();
    void failedWriteKeepsOldFile_data();
    void failedWriteKeepsOldFile();
    void shortFileFillsStartOfRecordOnly();
    void fieldWithoutZeroStaysInsideIt();
    void editedFileTakesEffectAtNextLoad();
    void createsFileWithEmptyFieldsWhenMissing();
    void loadOrCreateLeavesExistingFile_data();
    void loadOrCreateLeavesExistingFile();

private:
    test::TempDataDirectory m_data;
};

void TestSettingsFile::initTestCase()
{
    QCOMPARE(settingsFilePath(), m_data.filePath("FTPServer.ftp"));
}

void TestSettingsFile::init()
{
    qputenv("WARELOOM_CODEPAGE", "CP1252");
    resetConversionCodePage();
    settingsRecord().fill('\0');
    QFile::remove(settingsFilePath());
}

void TestSettingsFile::loadFailsWithoutFile()
{
    QVERIFY(!loadSettings());
    QVERIFY(!QFile::exists(settingsFilePath()));
}

void TestSettingsFile::storesFieldAtItsOffset_data()
{
    QTest::addColumn<SettingsField>("field");
    QTest::addColumn<int>("offset");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<QString>("readBack");

    const QString longName(199, 'u');
    QTest::newRow("user name of 199 characters")
        << SettingsField::UserName << 0 << longName << QByteArray(199, 'u') << longName;
    QTest::newRow("250 characters keep the first 199")
        << SettingsField::UserName << 0 << QString(199, 'a') + QString(51, 'b')
        << QByteArray(199, 'a') << QString(199, 'a');
    QTest::newRow("password in clear")
        << SettingsField::Password << 200 << "p@ss w0rd" << QByteArray("p@ss w0rd") << "p@ss w0rd";
    QTest::newRow("FTP server") << SettingsField::FtpServer << 400 << "ftp.example.com"
                                << QByteArray("ftp.example.com") << "ftp.example.com";
    QTest::newRow("upload path, code page byte")
        << SettingsField::UploadPath << 600 << "/caf\u00e9/" << QByteArray("/caf\xe9/")
        << "/caf\u00e9/";
    QTest::newRow("character the code page lacks")
        << SettingsField::HttpServer << 800 << "http://\u4e2d.example/inventory.htm"
        << QByteArray("http://?.example/inventory.htm") << "http://?.example/inventory.htm";
    QTest::newRow("empty field") << SettingsField::HttpServer << 800 << "" << QByteArray() << "";
}

void TestSettingsFile::storesFieldAtItsOffset()
{
    QFETCH(SettingsField, field);
    QFETCH(int, offset);
    QFETCH(QString, text);
    QFETCH(QByteArray, stored);
    QFETCH(QString, readBack);

    setSettingsText(field, text);
    QVERIFY(saveSettings().ok());

    QByteArray expected(1000, '\0');
    expected.replace(offset, 200, ::field(stored));
    QCOMPARE(fileBytes(settingsFilePath()), expected);
    settingsRecord().fill('\x55');
    QVERIFY(loadSettings());
    QCOMPARE(settingsText(field), readBack);
}

void TestSettingsFile::cutsMultiByteTextAtCharacterBoundary()
{
    qputenv("WARELOOM_CODEPAGE", "UTF-8");
    resetConversionCodePage();
    setSettingsText(SettingsField::Password, QString(150, QChar(0xE9))); // two bytes each

    QCOMPARE(settingsBytes(SettingsField::Password).size(), 198);
    QCOMPARE(settingsText(SettingsField::Password), QString(99, QChar(0xE9)));
}

void TestSettingsFile::shorterTextLeavesRemnants()
{
    setSettingsText(SettingsField::UploadPath, u"abcdef");
    QVERIFY(saveSettings().ok());
    QVERIFY(loadSettings());
    setSettingsText(SettingsField::UploadPath, u"ab");
    QVERIFY(saveSettings().ok());

    const QByteArray stored = fileBytes(settingsFilePath());
    QCOMPARE(stored.size(), 1000);
    QCOMPARE(stored.mid(600, 7), QByteArray("ab\0def\0", 7));
    settingsRecord().fill('\0');
    QVERIFY(loadSettings());
    QCOMPARE(settingsText(SettingsField::UploadPath), QStringLiteral("ab"));
}

void TestSettingsFile::fileIsReadableByOwnerOnly()
{
    QVERIFY(saveSettings().ok());
    QCOMPARE(fileMode(settingsFilePath()), 0600);

    // A file someone made readable for all is tightened at the next save.
    QVERIFY(::chmod(QFile::encodeName(settingsFilePath()).constData(), 0644) == 0);
    QVERIFY(saveSettings().ok());
    QCOMPARE(fileMode(settingsFilePath()), 0600);
}

void TestSettingsFile::failedWriteKeepsOldFile_data()
{
    QTest::addColumn<bool>("readOnlyDirectory");
    QTest::newRow("read-only directory") << true;
    QTest::newRow("no room for the file") << false;
}

void TestSettingsFile::failedWriteKeepsOldFile()
{
    QFETCH(bool, readOnlyDirectory);
    setSettingsText(SettingsField::UserName, u"old user");
    setSettingsText(SettingsField::Password, u"old password");
    QVERIFY(saveSettings().ok());
    const QByteArray old = fileBytes(settingsFilePath());
    setSettingsText(SettingsField::UserName, u"new user");

    Status saved = Status::success();
    if (readOnlyDirectory) {
        ReadOnlyDirectory guard(m_data.path());
        if (!guard.effective())
            QSKIP("cannot make the directory read-only here");
        saved = saveSettings();
    } else {
        FileSizeLimit guard;
        if (!guard.effective())
            QSKIP("cannot limit the file size here");
        saved = saveSettings();
    }

    QVERIFY(!saved.ok());
    QVERIFY(saved.message().contains(QDir::toNativeSeparators(settingsFilePath())));
    QCOMPARE(fileBytes(settingsFilePath()), old);
    QCOMPARE(QDir(m_data.path()).entryList(QDir::Files | QDir::Hidden),
             QStringList{"FTPServer.ftp"});
}

void TestSettingsFile::shortFileFillsStartOfRecordOnly()
{
    setSettingsText(SettingsField::Password, u"oldpassword-long");
    setSettingsText(SettingsField::FtpServer, u"old.example.com");
    // 210 bytes: a user name without zero and the start of the password.
    QVERIFY(writeBytes(settingsFilePath(), QByteArray(210, 'X')));

    QVERIFY(loadSettings());

    QCOMPARE(settingsText(SettingsField::UserName), QString(200, 'X'));
    QCOMPARE(settingsText(SettingsField::Password), QStringLiteral("XXXXXXXXXXd-long"));
    QCOMPARE(settingsText(SettingsField::FtpServer), QStringLiteral("old.example.com"));
}

void TestSettingsFile::fieldWithoutZeroStaysInsideIt()
{
    QByteArray bytes;
    for (char c : {'A', 'B', 'C', 'D', 'E'})
        bytes += QByteArray(200, c);
    bytes += "trailing bytes beyond the record";
    QVERIFY(writeBytes(settingsFilePath(), bytes));

    QVERIFY(loadSettings());

    QCOMPARE(settingsBytes(SettingsField::UserName), QByteArray(200, 'A'));
    QCOMPARE(settingsBytes(SettingsField::UploadPath), QByteArray(200, 'D'));
    QCOMPARE(settingsText(SettingsField::HttpServer), QString(200, 'E'));
}

void TestSettingsFile::editedFileTakesEffectAtNextLoad()
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

void TestSettingsFile::createsFileWithEmptyFieldsWhenMissing()
{
    for (int f = 0; f < SettingsFieldCount; ++f)
        setSettingsText(SettingsField(f), u"abcdef");

    QVERIFY(loadOrCreateSettings().ok());

    QByteArray expected;
    for (int f = 0; f < SettingsFieldCount; ++f)
        expected += field(QByteArray("\0bcdef", 6));
    QCOMPARE(fileBytes(settingsFilePath()), expected);
    QCOMPARE(fileMode(settingsFilePath()), 0600);
    for (int f = 0; f < SettingsFieldCount; ++f)
        QCOMPARE(settingsText(SettingsField(f)), QString());
}

void TestSettingsFile::loadOrCreateLeavesExistingFile_data()
{
    QTest::addColumn<bool>("readable");
    QTest::newRow("readable file is loaded") << true;
    QTest::newRow("unreadable file is reported") << false;
}

void TestSettingsFile::loadOrCreateLeavesExistingFile()
{
    QFETCH(bool, readable);
    if (readable) {
        QVERIFY(test::writeSettingsFile({"user", "pw", "host", "/htdocs/", "http://host/"}));
    } else {
        // Something by that name that cannot be read as a file.
        QVERIFY(QDir(m_data.path()).mkdir("FTPServer.ftp"));
    }
    const QByteArray before = fileBytes(settingsFilePath());

    const Status status = loadOrCreateSettings();

    QCOMPARE(status.ok(), readable);
    QCOMPARE(settingsText(SettingsField::UserName), readable ? QStringLiteral("user") : QString());
    QCOMPARE(fileBytes(settingsFilePath()), before);
    if (!readable) {
        QVERIFY(QFileInfo(settingsFilePath()).isDir());
        QVERIFY(QDir(m_data.path()).rmdir("FTPServer.ftp"));
    }
}

QTEST_GUILESS_MAIN(TestSettingsFile)
#include "tst_settingsfile.moc"
