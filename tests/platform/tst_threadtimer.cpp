#include "platform/ResourceDialog.h"
#include "platform/ThreadTimer.h"

#include <QTest>

using namespace wareloom;

namespace {

const DialogTemplate emptyDialog{"Timer", "Courier New", 10, {100, 50}, {}};

} // namespace

class TestThreadTimer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void onceRunsOnce()
    {
        int runs = 0;
        const int id = setThreadTimer(
            10, [&] { ++runs; }, TimerRepeat::Once);
        QVERIFY(id != 0);
        QTRY_COMPARE(runs, 1);
        QTest::qWait(60);
        QCOMPARE(runs, 1);
        QVERIFY(!killThreadTimer(id));
    }

    void repeatingRunsUntilKilled()
    {
        int runs = 0;
        const int id = setThreadTimer(5, [&] { ++runs; });
        QTRY_VERIFY(runs >= 3);
        QVERIFY(killThreadTimer(id));
        const int atKill = runs;
        QTest::qWait(40);
        QCOMPARE(runs, atKill);
        QVERIFY(!killThreadTimer(id));
    }

    void ticksInsideAModalDialogSeeItActive()
    {
        ResourceDialog dialog(emptyDialog);
        QWidget* seen = nullptr;
        setThreadTimer(
            30,
            [&] {
                seen = activeWindow();
                if (seen == &dialog)
                    dialog.EndDialog(IDOK);
            },
            TimerRepeat::Once);
        QCOMPARE(dialog.DoModal(), int(IDOK));
        QCOMPARE(seen, &dialog);
    }
};

QTEST_MAIN(TestThreadTimer)
#include "tst_threadtimer.moc"
