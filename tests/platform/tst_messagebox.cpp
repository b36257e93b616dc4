#include "platform/MessageBox.h"

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
    void hookRecordsEveryBoxAndAnswersInTurn()
    {
        QWidget owner;
        MessageBoxHook hook;
        hook.queueAnswer(IDYES);
        hook.queueAnswer(IDNO);
        QCOMPARE(messageBox(&owner, "Delete?", "Warloom", MessageButtons::YesNo), int(IDYES));
        QCOMPARE(messageBox(nullptr, "Sure?", "Wareloom", MessageButtons::YesNo), int(IDNO));
        QCOMPARE(
            messageBox(nullptr, "FTP Error!", "Wareloom", MessageButtons::Ok, MessageIcon::Warning),
            int(IDOK));
        QCOMPARE(hook.pendingAnswers(), 0);

        const QList<ShownMessageBox>& shown = hook.shown();
        QCOMPARE(shown.size(), 3);
        QCOMPARE(shown[0].owner.data(), &owner);
        QCOMPARE(shown[0].text, QStringLiteral("Delete?"));
        QCOMPARE(shown[0].caption, QStringLiteral("Warloom"));
        QCOMPARE(shown[0].buttons, MessageButtons::YesNo);
        QCOMPARE(shown[0].icon, MessageIcon::None);
        QCOMPARE(shown[0].answer, int(IDYES));
        QCOMPARE(shown[1].owner.data(), nullptr);
        QCOMPARE(shown[1].answer, int(IDNO));
        QCOMPARE(shown[2].buttons, MessageButtons::Ok);
        QCOMPARE(shown[2].icon, MessageIcon::Warning);

        hook.clear();
        QVERIFY(hook.shown().isEmpty());
    }

    void unansweredBoxesGetTheHarmlessAnswer()
    {
        MessageBoxHook hook;
        QCOMPARE(messageBox(nullptr, "Quit?", "Quit Program", MessageButtons::YesNo), int(IDNO));
        QCOMPARE(messageBox(nullptr, "Done", "Wareloom"), int(IDOK));
        QCOMPARE(hook.shown().size(), 2);
    }

    void answererSeesTheBoxWhileItIsUp()
    {
        MessageBoxHook hook;
        QString seen;
        hook.queueAnswer([&](const ShownMessageBox& box) {
            seen = box.caption + '|' + box.text;
            // A box opened while answering is recorded too.
            messageBox(nullptr, "inner", "Inner");
            return int(IDYES);
        });
        QCOMPARE(messageBox(nullptr, "outer", "Outer", MessageButtons::YesNo), int(IDYES));
        QCOMPARE(seen, QStringLiteral("Outer|outer"));
        QCOMPARE(hook.shown().size(), 2);
        QCOMPARE(hook.shown()[0].answer, int(IDYES));
        QCOMPARE(hook.shown()[1].text, QStringLiteral("inner"));
    }

    void realBoxShowsWhatItWasGiven_data()
    {
        QTest::addColumn<int>("buttons");
        QTest::addColumn<int>("icon");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("expected");
        QTest::newRow("yes/no, No clicked")
            << int(MessageButtons::YesNo) << int(MessageIcon::None) << 0 << int(IDNO);
        QTest::newRow("yes/no, Enter") << int(MessageButtons::YesNo) << int(MessageIcon::None)
                                       << int(Qt::Key_Return) << int(IDYES);
        QTest::newRow("yes/no, Esc") << int(MessageButtons::YesNo) << int(MessageIcon::Question)
                                     << int(Qt::Key_Escape) << int(IDNO);
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
            const auto standard = buttons == int(MessageButtons::YesNo)
                                      ? QMessageBox::Yes | QMessageBox::No
                                      : QMessageBox::StandardButtons(QMessageBox::Ok);
            QCOMPARE(box->standardButtons(), standard);
            if (key)
                QTest::keyClick(box, Qt::Key(key));
            else
                box->button(QMessageBox::No)->click();
        });
        const int answer = messageBox(nullptr, "Quit program.  Are you sure?", "Quit Program",
                                      MessageButtons(buttons), MessageIcon(icon));
        QVERIFY(*opened);
        QCOMPARE(answer, expected);
    }
};

QTEST_MAIN(TestMessageBox)
#include "tst_messagebox.moc"
