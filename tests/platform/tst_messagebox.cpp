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
    // Queued answers in turn, then the harmless answer: IDNO to yes/no, IDOK to OK.
    void hookRecordsEveryBoxAndAnswers()
    {
        QWidget owner;
        MessageBoxHook hook;
        hook.queueAnswer(IDYES);
        QString seen;
        hook.queueAnswer([&](const ShownMessageBox& box) {
            seen = box.caption + '|' + box.text;
            messageBox(nullptr, "inner", "Inner"); // a box opened while answering
            return int(IDYES);
        });
        QCOMPARE(messageBox(&owner, "Delete?", "Warloom", MessageButtons::YesNo), int(IDYES));
        QCOMPARE(messageBox(nullptr, "outer", "Outer", MessageButtons::YesNo), int(IDYES));
        QCOMPARE(seen, QStringLiteral("Outer|outer"));
        QCOMPARE(hook.pendingAnswers(), 0);
        QCOMPARE(messageBox(nullptr, "Quit?", "Quit", MessageButtons::YesNo), int(IDNO));
        QCOMPARE(
            messageBox(nullptr, "FTP Error!", "Wareloom", MessageButtons::Ok, MessageIcon::Warning),
            int(IDOK));

        const QList<ShownMessageBox>& shown = hook.shown();
        QCOMPARE(shown.size(), 5);
        QCOMPARE(shown[0].owner.data(), &owner);
        QCOMPARE(shown[0].text, QStringLiteral("Delete?"));
        QCOMPARE(shown[0].caption, QStringLiteral("Warloom"));
        QCOMPARE(shown[0].buttons, MessageButtons::YesNo);
        QCOMPARE(shown[0].icon, MessageIcon::None);
        QCOMPARE(shown[0].answer, int(IDYES));
        QCOMPARE(shown[1].owner.data(), nullptr);
        QCOMPARE(shown[2].text, QStringLiteral("inner"));
        QCOMPARE(shown[3].answer, int(IDNO));
        QCOMPARE(shown[4].buttons, MessageButtons::Ok);
        QCOMPARE(shown[4].icon, MessageIcon::Warning);
        hook.clear();
        QVERIFY(hook.shown().isEmpty());
    }

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
            QCOMPARE(box->standardButtons(), buttons == int(MessageButtons::YesNo)
                                                 ? QMessageBox::Yes | QMessageBox::No
                                                 : QMessageBox::StandardButtons(QMessageBox::Ok));
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
