#include "TempDataDirectory.h"
#include "TestFtpServer.h"
#include "mainwnd/CWareloomDlg.h"
#include "platform/MessageBox.h"
#include "res/CommandIds.h"

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
    explicit OpenedUrls(const QStringList& schemes) : m_schemes(schemes)
    {
        for (const QString& scheme : m_schemes)
            QDesktopServices::setUrlHandler(scheme, this, "open");
    }
    ~OpenedUrls() override
    {
        for (const QString& scheme : m_schemes)
            QDesktopServices::unsetUrlHandler(scheme);
    }

    QList<QUrl> opened;

public Q_SLOTS:
    void open(const QUrl& url) { opened << url; }

private:
    QStringList m_schemes;
};

const QStringList AnyScheme{QString(), QStringLiteral("http"), QStringLiteral("https")};

} // namespace

class TestWebSite : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void opensTheHttpServerTextAsStored_data()
    {
        QTest::addColumn<int>("command");
        QTest::addColumn<QString>("httpServer");
        QTest::newRow("menu, all fields empty") << int(ID_HTML_WEBSITE) << QString();
        QTest::newRow("toolbar, all fields empty") << int(ID_BUTTON_WEBSITE) << QString();
        QTest::newRow("menu, main page address")
            << int(ID_HTML_WEBSITE) << QStringLiteral("http://www.example.com/shop/inventory.htm");
        QTest::newRow("no scheme added")
            << int(ID_BUTTON_WEBSITE) << QStringLiteral("www.example.com");
    }

    void opensTheHttpServerTextAsStored()
    {
        QFETCH(int, command);
        QFETCH(QString, httpServer);
        test::TempDataDirectory data;
        test::SettingsFields fields;
        fields.httpServer = httpServer;
        QVERIFY(test::writeSettingsFile(fields));
        CWareloomDlg dlg;
        dlg.show();
        OpenedUrls desktop(AnyScheme);
        MessageBoxHook boxes;

        QVERIFY(dlg.sendCommand(command));

        QCOMPARE(desktop.opened.size(), 1);
        QCOMPARE(desktop.opened.first().toString(), httpServer);
        QVERIFY(boxes.shown().isEmpty());
    }

    void withoutSettingsTellsAndOpensNothing()
    {
        test::TempDataDirectory data;
        CWareloomDlg dlg;
        dlg.show();
        OpenedUrls desktop(AnyScheme);
        MessageBoxHook boxes;

        QVERIFY(dlg.sendCommand(ID_HTML_WEBSITE));

        QVERIFY(desktop.opened.isEmpty());
        QCOMPARE(boxes.shown().size(), 1);
        QCOMPARE(boxes.shown().first().text, QStringLiteral("No FTP/HTTP settings!"));
        QCOMPARE(boxes.shown().first().caption, QStringLiteral("Wareloom"));
        QCOMPARE(boxes.shown().first().owner.data(), &dlg);
    }
};

QTEST_MAIN(TestWebSite)
#include "tst_website.moc"
