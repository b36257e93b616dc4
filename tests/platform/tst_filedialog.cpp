#include "gui/platform/FileDialog.h"

#include "DialogTestDriver.h"

#include <QFileDialog>
#include <QTemporaryDir>
#include <QTest>

using namespace wareloom;
using wareloom::test::whenDialogOpens;

class TestFileDialog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void hookAnswersInTurnThenCancels()
    {
        FileDialogHook hook;
        hook.queueChoice("/tmp/photo.png");
        hook.queueCancel();
        QCOMPARE(openFileDialog(), std::optional<QString>("/tmp/photo.png"));
        QCOMPARE(openFileDialog(), std::nullopt);
        QCOMPARE(openFileDialog(), std::nullopt);
        QCOMPARE(hook.shownCount(), 3);
    }

    // A typed name of a missing file is taken as it is.
    void realDialog_data()
    {
        QTest::addColumn<bool>("accept");
        QTest::newRow("typed name of a missing file") << true;
        QTest::newRow("cancelled") << false;
    }
    void realDialog()
    {
        QFETCH(bool, accept);
        QTemporaryDir dir;
        const QString missing = dir.filePath("not-there.gif");
        auto opened = whenDialogOpens([&](QDialog* dialog) {
            auto* files = qobject_cast<QFileDialog*>(dialog);
            QVERIFY(files);
            QCOMPARE(files->acceptMode(), QFileDialog::AcceptOpen);
            QVERIFY(files->nameFilters().join(QString()).contains('*'));
            files->selectFile(missing);
            accept ? dialog->accept() : dialog->reject();
        });
        QCOMPARE(openFileDialog(), accept ? std::optional<QString>(missing) : std::nullopt);
        QVERIFY(*opened);
    }
};

QTEST_MAIN(TestFileDialog)
#include "tst_filedialog.moc"
