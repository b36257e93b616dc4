#include "TempDataDirectory.h"
#include "TestFiles.h"
#include "core/transfer/FtpSettings.h"
#include "core/transfer/RemoteName.h"
#include "core/util/TextConversion.h"

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

void useCodePage(const char* name)
{
    qputenv("WARELOOM_CODEPAGE", name);
    resetConversionCodePage();
}

} // namespace

// FTPServer.ftp byte for byte, and the remote names made from it.
class TestSettingsFile : public QObject
{
    Q_OBJECT

    test::TempDataDirectory m_data;
    const QString m_path = m_data.filePath("FTPServer.ftp");

private Q_SLOTS:
    void init()
    {
        useCodePage("CP1252");
        QFile::remove(m_path);
        QDir(m_data.path()).rmdir("FTPServer.ftp");
    }

    void storesEachFieldAtItsOffset_data()
    {
        QTest::addColumn<SettingsField>("which");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("stored");
        QTest::newRow("199 characters")
            << SettingsField::UserName << QString(199, 'u') << QByteArray(199, 'u');
        QTest::newRow("250 keep the first 199")
            << SettingsField::UserName << QString(199, 'a') + QString(51, 'b')
            << QByteArray(199, 'a');
        QTest::newRow("password in clear")
            << SettingsField::Password << "p@ss w0rd" << QByteArray("p@ss w0rd");
        QTest::newRow("code page byte")
            << SettingsField::UploadPath << "/caf\u00e9/" << QByteArray("/caf\xe9/");
        QTest::newRow("lacking character") << SettingsField::HttpServer << "http://\u4e2d.example/"
                                           << QByteArray("http://?.example/");
    }
    void storesEachFieldAtItsOffset()
    {
        QFETCH(SettingsField, which);
        QFETCH(QString, text);
        QFETCH(QByteArray, stored);
        FtpSettings settings;
        settings.setText(which, text);
        QVERIFY(settings.save().ok());
        QCOMPARE(FtpSettings::filePath(), m_path);
        QCOMPARE(readFile(m_path),
                 QByteArray(1000, '\0').replace(int(which) * 200, 200, field(stored)));
        QCOMPARE(fileMode(m_path), 0600);
        FtpSettings loaded;
        QVERIFY(loaded.load().ok());
        QCOMPARE(loaded.text(which),
                 QString::fromLatin1(stored)); // CP1252 agrees with Latin-1 here
    }

    // "ab" over "abcdef" leaves a, b, zero, d, e, f, zero; a short file fills
    // the start only; a field without a zero ends at its 200th byte.
    void keepsRemnantsAndStaysWithinFields()
    {
        FtpSettings settings;
        settings.setText(SettingsField::UploadPath, u"abcdef");
        settings.setText(SettingsField::FtpServer, u"old.example.com");
        settings.setText(SettingsField::UploadPath, u"ab");
        QVERIFY(settings.save().ok());
        QCOMPARE(readFile(m_path).mid(600, 7), QByteArray("ab\0def\0", 7));
        QCOMPARE(settings.text(SettingsField::UploadPath), QStringLiteral("ab"));

        QVERIFY(test::writeFile(m_path, QByteArray(210, 'X')));
        QVERIFY(settings.load().ok());
        QCOMPARE(settings.text(SettingsField::UserName), QString(200, 'X'));
        QCOMPARE(settings.bytes(SettingsField::Password), QByteArray(10, 'X'));
        QCOMPARE(settings.text(SettingsField::FtpServer), QStringLiteral("old.example.com"));
        QVERIFY(test::writeFile(m_path, QByteArray(1000, 'E') + "trailing"));
        QVERIFY(settings.load().ok());
        QCOMPARE(settings.bytes(SettingsField::HttpServer), QByteArray(200, 'E'));
    }

    void cutsMultiByteTextAtCharacterBoundary()
    {
        useCodePage("UTF-8");
        FtpSettings settings;
        settings.setText(SettingsField::Password, QString(150, QChar(0xE9))); // two bytes each
        QCOMPARE(settings.bytes(SettingsField::Password).size(), 198);
        QCOMPARE(settings.text(SettingsField::Password), QString(99, QChar(0xE9)));
    }

    // Missing: made with five empty fields, mode 0600. Unreadable: left alone.
    void loadOrCreate()
    {
        FtpSettings settings;
        QVERIFY(!settings.load().ok());
        for (int f = 0; f < SettingsFieldCount; ++f)
            settings.setText(SettingsField(f), u"abcdef");
        QVERIFY(settings.loadOrCreate().ok());
        QCOMPARE(readFile(m_path), field(QByteArray("\0bcdef", 6)).repeated(5));
        QCOMPARE(fileMode(m_path), 0600);
        QVERIFY(
            QFile::setPermissions(m_path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther));
        QVERIFY(settings.save().ok());
        QCOMPARE(fileMode(m_path), 0600); // a save tightens it again

        QVERIFY(QFile::remove(m_path) && QDir(m_data.path()).mkdir("FTPServer.ftp"));
        const Status made = FtpSettings().loadOrCreate();
        QVERIFY(!made.ok());
        QVERIFY2(made.message().contains("FTPServer.ftp"), qPrintable(made.message()));
        QVERIFY(QFileInfo(m_path).isDir());
    }

    void remoteNameIsTheUploadPathAndTheName_data()
    {
        QTest::addColumn<QString>("uploadPath");
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QString>("expected");
        QTest::newRow("/htdocs/") << "/htdocs/"
                                  << "inventory.htm"
                                  << "/htdocs/inventory.htm";
        QTest::newRow("no slash added") << "/htdocs"
                                        << "inventory.htm"
                                        << "/htdocsinventory.htm";
        QTest::newRow("login directory") << ""
                                         << "Tools.htm"
                                         << "Tools.htm";
        QTest::newRow("blanks stay") << "/a b/"
                                     << "Garden Tools.htm"
                                     << "/a b/Garden Tools.htm";
        QTest::newRow("199 fits") << QString(190, 'p') << "A1234.jpg"
                                  << QString(190, 'p') + "A1234.jpg";
        QTest::newRow("200 is never cut") << QString(190, 'p') << "A12345.jpg" << QString();
    }
    void remoteNameIsTheUploadPathAndTheName()
    {
        QFETCH(QString, uploadPath);
        QFETCH(QString, fileName);
        QFETCH(QString, expected);
        FtpSettings settings;
        settings.setText(SettingsField::UploadPath, uploadPath);
        QCOMPARE(remoteNameInUploadPath(settings, fileName), expected);
    }
};

QTEST_GUILESS_MAIN(TestSettingsFile)
#include "tst_settingsfile.moc"
