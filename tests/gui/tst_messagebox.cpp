#include "gui/platform/MessageBox.h"

#include "DialogTestDriver.h"

#include <QMessageBox>
#include <QPushButton>
#include <QTest>

using namespace wareloom;
using wareloom::test::whenDialogOpens;

class TestMessageBox : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The real box: its texts, icon and buttons, and which answer each key gives.
    void realBoxShowsWhatItWasGiven_data()
    {
        QTest::addColumn<int>("buttons");
        QTest::addColumn<int>("icon");
        QTest::addColumn<int>("key"); // 0: No clicked
        QTest::addColumn<int>("expected");
        const int yesNo = int(MessageButtons::YesNo);
        QTest::newRow("yes/no, No clicked") << yesNo << int(MessageIcon::None) << 0 << int(IDNO);
        QTest::newRow("yes/no, Enter")
            << yesNo << int(MessageIcon::None) << int(Qt::Key_Return) << int(IDYES);
        QTest::newRow("yes/no, Esc")
            << yesNo << int(MessageIcon::Question) << int(Qt::Key_Escape) << int(IDNO);
        QTest::newRow("yes/no, No the default: Enter")
            << int(MessageButtons::YesNoDefaultNo) << int(MessageIcon::None) << int(Qt::Key_Return)
            << int(IDNO);
        QTest::newRow("ok, Enter") << int(MessageButtons::Ok) << int(MessageIcon::Error)
                                   << int(Qt::Key_Return) << int(IDOK);
    }
    void realBoxShowsWhatItWasGiven()
    {
        QFETCH(int, buttons);
        QFETCH(int, icon);
        QFETCH(int, key);
        QFETCH(int, expected);
        const QMessageBox::Icon qtIcons[] = {QMessageBox::NoIcon, QMessageBox::Information,
                                             QMessageBox::Warning, QMessageBox::Critical,
                                             QMessageBox::Question};
        auto opened = whenDialogOpens([&](QDialog* dialog) {
            auto* box = qobject_cast<QMessageBox*>(dialog);
            QVERIFY(box);
            QCOMPARE(box->text(), QStringLiteral("Quit program.  Are you sure?"));
            QCOMPARE(box->windowTitle(), QStringLiteral("Quit Program"));
            QCOMPARE(box->icon(), qtIcons[icon]);
            QCOMPARE(box->standardButtons(), buttons == int(MessageButtons::Ok)
                                                 ? QMessageBox::StandardButtons(QMessageBox::Ok)
                                                 : QMessageBox::Yes | QMessageBox::No);
            if (key)
                QTest::keyClick(box, Qt::Key(key));
            else
                box->button(QMessageBox::No)->click();
        });
        QCOMPARE(messageBox(nullptr, "Quit program.  Are you sure?", "Quit Program",
                            MessageButtons(buttons), MessageIcon(icon)),
                 expected);
        QVERIFY(*opened);
    }
};

QTEST_MAIN(TestMessageBox)
#include "tst_messagebox.moc"
