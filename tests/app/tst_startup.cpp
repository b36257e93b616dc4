#include "gui/app/CAboutDlg.h"
#include "gui/platform/MessageBox.h"

#include "DialogTestDriver.h"

#include <QFontInfo>
#include <QLabel>
#include <QPushButton>
#include <QTest>

using namespace wareloom;
using wareloom::test::whenDialogOpens;

class TestStartup : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void aboutBox_data()
    {
        QTest::addColumn<int>("key"); // 0: a click on OK
        QTest::addColumn<int>("result");
        QTest::newRow("OK") << 0 << int(IDOK);
        QTest::newRow("Enter") << int(Qt::Key_Return) << int(IDOK);
        QTest::newRow("Esc") << int(Qt::Key_Escape) << int(IDCANCEL);
    }
    void aboutBox()
    {
        QFETCH(int, key);
        QFETCH(int, result);
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
        QVERIFY(ok && ok->isDefault());
        QCOMPARE(ok->text(), QStringLiteral("OK"));

        auto opened = whenDialogOpens([&](QDialog*) {
            if (key)
                QTest::keyClick(&about, Qt::Key(key));
            else
                QTest::mouseClick(ok, Qt::LeftButton);
        });
        QCOMPARE(about.DoModal(), result);
        QVERIFY(*opened);
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
