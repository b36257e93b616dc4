#include "TempDataDirectory.h"
#include "TestFtpServer.h"
#include "core/transfer/RemoteName.h"
#include "core/transfer/SettingsFile.h"

#include <QTest>

using namespace wareloom;

class TestRemoteName : public QObject
{
    Q_OBJECT

    test::TempDataDirectory m_data;

private Q_SLOTS:
    // The upload path, then the name: nothing inserted, nothing escaped. A
    // name of 200 characters does not fit its buffer and comes out empty.
    void composesName_data()
    {
        QTest::addColumn<QString>("uploadPath");
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QString>("expected");
        QTest::newRow("directory with slash") << "/htdocs/"
                                              << "inventory.htm"
                                              << "/htdocs/inventory.htm";
        QTest::newRow("no slash") << "/htdocs"
                                  << "inventory.htm"
                                  << "/htdocsinventory.htm";
        QTest::newRow("empty upload path") << ""
                                           << "inventory.htm"
                                           << "inventory.htm";
        QTest::newRow("blanks") << "/web site/"
                                << "Garden Tools.htm"
                                << "/web site/Garden Tools.htm";
        QTest::newRow("199 characters fit")
            << QString(186, 'p') << "inventory.htm" << QString(186, 'p') + "inventory.htm";
        QTest::newRow("200 characters do not") << QString(187, 'p') << "inventory.htm"
                                               << "";
    }
    void composesName()
    {
        QFETCH(QString, uploadPath);
        QFETCH(QString, fileName);
        QFETCH(QString, expected);
        QCOMPARE(remoteName(uploadPath, fileName), expected);
        QVERIFY(test::writeSettingsFile({{}, {}, {}, uploadPath, {}}));
        QVERIFY(loadSettings());
        QCOMPARE(remoteNameInUploadPath(fileName), expected);
    }
};

QTEST_GUILESS_MAIN(TestRemoteName)
#include "tst_remotename.moc"
