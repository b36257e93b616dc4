#include "TempDataDirectory.h"
#include "TestFtpServer.h"
#include "gui/mainwnd/CWareloomDlg.h"
#include "gui/platform/MessageBox.h"
#include "gui/res/CommandIds.h"

#include <QDesktopServices>
#include <QTest>
#include <QUrl>

using namespace wareloom;

namespace {

// Stands in for the desktop: records what "open" was given.
class OpenedUrls : public QObject
{
    Q_OBJECT

public:
    OpenedUrls()
    {
        for (const QString& scheme : Schemes)
            QDesktopServices::setUrlHandler(scheme, this, "open");
    }
    ~OpenedUrls() override
    {
        for (const QString& scheme : Schemes)
            QDesktopServices::unsetUrlHandler(scheme);
    }

    const QStringList Schemes{QString(), "http", "https"};
    QStringList opened;

public Q_SLOTS:
    void open(const QUrl& url) { opened << url.toString(); }
};

} // namespace

class TestWebSite : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The HTTP server text goes to "open" as stored, even empty; no settings: a box.
    void opensTheHttpServerText_data()
    {
        QTest::addColumn<int>("command");
        QTest::addColumn<QString>("httpServer"); // null: no settings file
        QTest::newRow("menu, all fields empty") << int(ID_HTML_WEBSITE) << "";
        QTest::newRow("toolbar, all fields empty") << int(ID_BUTTON_WEBSITE) << "";
        QTest::newRow("main page address")
            << int(ID_HTML_WEBSITE) << "http://www.example.com/shop/inventory.htm";
        QTest::newRow("no scheme added") << int(ID_BUTTON_WEBSITE) << "www.example.com";
        QTest::newRow("no settings") << int(ID_HTML_WEBSITE) << QString();
    }
    void opensTheHttpServerText()
    {
        QFETCH(int, command);
        QFETCH(QString, httpServer);
        test::TempDataDirectory data;
        if (!httpServer.isNull())
            QVERIFY(test::writeSettingsFile({{}, {}, {}, {}, httpServer}));
        CWareloomDlg dlg;
        dlg.show();
        OpenedUrls desktop;
        MessageBoxHook boxes;

        QVERIFY(dlg.sendCommand(command));

        QCOMPARE(desktop.opened, httpServer.isNull() ? QStringList() : QStringList{httpServer});
        QCOMPARE(boxes.shown().size(), httpServer.isNull() ? 1 : 0);
        if (httpServer.isNull()) {
            QCOMPARE(boxes.shown().first().text, QStringLiteral("No FTP/HTTP settings!"));
            QCOMPARE(boxes.shown().first().caption, QStringLiteral("Wareloom"));
            QCOMPARE(boxes.shown().first().owner.data(), &dlg);
        }
    }
};

QTEST_MAIN(TestWebSite)
#include "tst_website.moc"
