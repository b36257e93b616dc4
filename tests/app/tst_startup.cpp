#include "app/CAboutDlg.h"
#include "app/CWareloomApp.h"
#include "mainwnd/CWareloomDlg.h"
#include "platform/MessageBox.h"

#include "DialogTestDriver.h"
#include "TempDataDirectory.h"

#include <QDir>
#include <QFontInfo>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace wareloom;
using wareloom::test::TempDataDirectory;
using wareloom::test::whenDialogOpens;

class TestStartup : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void runsTheMainDialogAndEndsWithIt()
    {
        TempDataDirectory data(false);
        // An ordinary start registers the automation server: not in the
        // real home.
        QTemporaryDir dataHome;
        qputenv("XDG_DATA_HOME", QFile::encodeName(dataHome.path()));
        MessageBoxHook boxes;
        CWareloomApp app;
        app.m_arguments = QStringList{"wareloom"};
        QCOMPARE(CWareloomApp::instance(), &app);
        bool sawMainWindow = false;
        auto opened = whenDialogOpens([&](QDialog* dialog) {
            sawMainWindow = qobject_cast<CWareloomDlg*>(dialog) && app.m_pMainWnd == dialog;
            QTest::keyClick(dialog, Qt::Key_Escape);
        });
        QCOMPARE(app.InitInstance(), false);
        QVERIFY(*opened);
        QVERIFY(sawMainWindow);
        QCOMPARE(app.m_pMainWnd, nullptr);
        QVERIFY(QDir(data.path()).exists());
        QCOMPARE(boxes.shown().size(), 0);
    }

    void aboutBox()
    {
        CAboutDlg about;
        QCOMPARE(about.windowTitle(), QStringLiteral("About Wareloom"));
        QCOMPARE(QFontInfo(about.font()).family(), QStringLiteral("Liberation Mono"));
        QCOMPARE(about.font().pointSize(), 10);
        const DialogUnits& u = about.dialogUnits();
        QCOMPARE(about.clientArea()->size(), QSize(u.toPixelsX(235), u.toPixelsY(127)));

        QStringList texts;
        bool hasIcon = false;
        for (QLabel* label : about.findChildren<QLabel*>()) {
            texts << label->text();
            hasIcon = hasIcon || !label->pixmap().isNull();
        }
        QVERIFY(hasIcon);
        QVERIFY(texts.contains("Wareloom Version 1.0"));
        QCOMPARE(texts.filter("@").size(), 1);
        QCOMPARE(texts.filter("http").size(), 1);
        auto* ok = about.controlAs<QPushButton>(IDOK);
        QVERIFY(ok);
        QCOMPARE(ok->text(), QStringLiteral("OK"));
        QVERIFY(ok->isDefault());
    }

    void aboutBoxCloses_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("result");
        QTest::newRow("OK") << 0 << int(IDOK);
        QTest::newRow("Enter") << int(Qt::Key_Return) << int(IDOK);
        QTest::newRow("Esc") << int(Qt::Key_Escape) << int(IDCANCEL);
    }
    void aboutBoxCloses()
    {
        QFETCH(int, key);
        QFETCH(int, result);
        CAboutDlg about;
        auto opened = whenDialogOpens([&](QDialog*) {
            if (key)
                QTest::keyClick(&about, Qt::Key(key));
            else
                QTest::mouseClick(about.control(IDOK), Qt::LeftButton);
        });
        QCOMPARE(about.DoModal(), result);
        QVERIFY(*opened);
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
