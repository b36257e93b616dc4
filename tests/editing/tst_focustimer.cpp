#include "editing/FocusTimer.h"
#include "platform/ResourceDialog.h"

#include "DialogTestDriver.h"

#include <QTest>

using namespace wareloom;
using wareloom::test::whenDialogOpens;

namespace {

// The shape of the dialogs that take the focus on opening: the default
// button first in the tab order, the name box after it.
const DialogTemplate& nameDialog()
{
    static const DialogTemplate dialog{"Name",
                                       "Courier New",
                                       10,
                                       {186, 95},
                                       {defPushButton(IDOK, "Cancel", {14, 74, 73, 14}),
                                        editText(1001, {14, 34, 157, 14}),
                                        pushButton(1005, "Save", {98, 72, 74, 16})}};
    return dialog;
}

} // namespace

class TestFocusTimer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void nameBoxGetsTheFocusOnce_data()
    {
        QTest::addColumn<bool>("itemAdd");
        QTest::newRow("Add Item") << true;
        QTest::newRow("New Category") << false;
    }
    void nameBoxGetsTheFocusOnce()
    {
        QFETCH(bool, itemAdd);
        bool& once = itemAdd ? itemAddFocusOnce() : newCategoryFocusOnce();
        bool& other = itemAdd ? newCategoryFocusOnce() : itemAddFocusOnce();
        once = true;
        other = true;
        ResourceDialog dialog(nameDialog());
        bool startedOnButton = false;
        auto opened = whenDialogOpens([&](QDialog*) {
            startedOnButton = QApplication::focusWidget() == dialog.control(IDOK);
            QTRY_VERIFY(dialog.control(1001)->hasFocus());
            QVERIFY(once);
            // Later the user moves on; the timer does not pull the focus back.
            dialog.control(1005)->setFocus();
            QTest::qWait(300);
            QVERIFY(dialog.control(1005)->hasFocus());
            dialog.reject();
        });
        armFocusTimer(once);
        QVERIFY(!once);
        dialog.DoModal();
        QVERIFY(*opened);
        QVERIFY(startedOnButton);
        QVERIFY(other); // the other dialog's flag is its own
    }

    void aSetFlagLeavesTheFocusAlone()
    {
        bool once = true;
        ResourceDialog dialog(nameDialog());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        dialog.control(IDOK)->setFocus();
        FocusTimerProc(once);
        QVERIFY(dialog.control(IDOK)->hasFocus());
        once = false;
        FocusTimerProc(once);
        QVERIFY(dialog.control(1001)->hasFocus());
        QVERIFY(once);
    }
};

QTEST_MAIN(TestFocusTimer)
#include "tst_focustimer.moc"
