#include "gui/platform/ResourceDialog.h"
#include "gui/platform/ThreadTimer.h"

#include <QTest>

using namespace wareloom;

namespace {
const DialogTemplate emptyDialog{"Timer", "Courier New", 10, {100, 50}, {}};
}

class TestThreadTimer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void onceRunsOnceRepeatingUntilKilled()
    {
        int once = 0;
        int repeated = 0;
        const int onceId = setThreadTimer(
            10, [&] { ++once; }, TimerRepeat::Once);
        const int repeatingId = setThreadTimer(5, [&] { ++repeated; });
        QVERIFY(onceId != 0 && repeatingId != onceId);
        QTRY_VERIFY(once == 1 && repeated >= 3);
        QVERIFY(killThreadTimer(repeatingId));
        const int atKill = repeated;
        QTest::qWait(60);
        QCOMPARE(once, 1);
        QCOMPARE(repeated, atKill);
        QVERIFY(!killThreadTimer(onceId));
        QVERIFY(!killThreadTimer(repeatingId));
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
