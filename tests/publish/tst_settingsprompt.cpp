#include "TempDataDirectory.h"
#include "TestFtpServer.h"
#include "platform/MessageBox.h"
#include "publish/SettingsFile.h"
#include "publish/SettingsPrompt.h"

#include <QTest>
#include <QWidget>

using namespace wareloom;

class TestSettingsPrompt : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void missingFileIsToldOwnedByTheWindow()
    {
        test::TempDataDirectory data;
        QWidget window;
        MessageBoxHook boxes;
        QVERIFY(!loadSettingsOrTell(&window));
        QCOMPARE(boxes.shown().size(), 1);
        const ShownMessageBox& box = boxes.shown().first();
        QCOMPARE(box.text, QStringLiteral("No FTP/HTTP settings!"));
        QCOMPARE(box.caption, QStringLiteral("Wareloom"));
        QCOMPARE(box.buttons, MessageButtons::Ok);
        QCOMPARE(box.icon, MessageIcon::None);
        QCOMPARE(box.owner.data(), &window);

        QVERIFY(test::writeSettingsFile({"me", {}, "ftp.example.com", {}, {}}));
        QVERIFY(loadSettingsOrTell(&window));
        QCOMPARE(boxes.shown().size(), 1);
        QCOMPARE(settingsText(SettingsField::FtpServer), QStringLiteral("ftp.example.com"));
    }
};

QTEST_MAIN(TestSettingsPrompt)
#include "tst_settingsprompt.moc"
