#include "PublishTestSupport.h"
#include "core/transfer/Sockets.h"
#include "gui/platform/MessageBox.h"
#include "gui/publish/PublishDialog.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace wareloom;
using namespace wareloom::test;

namespace {

enum class Ending { CancelButton, Escape, CloseBox };

template <class T = QLabel> T* child(QDialog& dialog, const char* name)
{
    return dialog.findChild<T*>(QLatin1String(name));
}

} // namespace

Q_DECLARE_METATYPE(Ending)

// The publish dialog, its run on the worker thread, against real servers.
class TestPublishDialog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QVERIFY(startSockets()); }
    void init() { qputenv("WARELOOM_FTP_TIMEOUT", "2"); }

    // Shows the run, closes itself at the end, full bar, no box.
    void publishesAndClosesItself()
    {
        PublishSetup setup;
        QVERIFY2(setup.start({"A", "B", "C"}).isEmpty(), qPrintable(setup.error));
        MessageBoxHook boxes;
        PublishDialog dialog(3);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Wareloom - FTP Upload"));
        QCOMPARE(child(dialog, "statusCaption")->text() + child(dialog, "status")->text(),
                 QStringLiteral("Status:Creating HTML"));
        QVERIFY(child<QPushButton>(dialog, "okButton")->isDefault());
        dialog.show();
        QTRY_VERIFY_WITH_TIMEOUT(!dialog.isVisible(), 15000);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(child(dialog, "status")->text(), QStringLiteral("Done"));
        const QProgressBar* bar = child<QProgressBar>(dialog, "progress");
        QCOMPARE(QList<int>({bar->minimum(), bar->value(), bar->maximum()}), QList<int>({1, 4, 4}));
        QVERIFY(boxes.shown().isEmpty());
        QCOMPARE(setup.pageNotPublished(listedPages()), QString());
    }

    // The box, then the pages not sent with why; the dialog stays open.
    // Without settings: the long text is the caption, and nothing is written.
    void failedRunStaysOpen_data()
    {
        QTest::addColumn<QString>("password"); // null: no settings file
        QTest::addColumn<QStringList>("fault");
        QTest::addColumn<QStringList>("notSent"); // {"all"}: every page
        QTest::newRow("wrong password") << "wrong" << QStringList() << QStringList{"all"};
        QTest::newRow("one page refused")
            << "secret" << QStringList{"--stor-reply", "553:A.htm"} << QStringList{"A.htm"};
        QTest::newRow("no settings") << QString() << QStringList() << QStringList();
    }
    void failedRunStaysOpen()
    {
        QFETCH(QString, password);
        QFETCH(QStringList, fault);
        QFETCH(QStringList, notSent);
        PublishSetup setup(fault);
        if (password.isNull())
            QVERIFY(writeCategories(setup.data, {"A", "B"}));
        else
            QVERIFY2(setup.start({"A", "B"}, "/htdocs/", password).isEmpty(),
                     qPrintable(setup.error));
        if (notSent == QStringList{"all"})
            notSent = listedPages();
        MessageBoxHook boxes;
        PublishDialog dialog(2);
        dialog.show();
        QTRY_VERIFY_WITH_TIMEOUT(child<QPushButton>(dialog, "okButton")->isEnabled(), 15000);
        QVERIFY(dialog.isVisible());
        QCOMPARE(boxes.shown().size(), 1);
        const ShownMessageBox& box = boxes.shown()[0];
        if (password.isNull()) {
            QCOMPARE(box.text + '|' + box.caption,
                     QStringLiteral("Error|Error: No FTP setrtings!"));
            QCOMPARE(child(dialog, "status")->text(), QStringLiteral("Creating HTML"));
            QCOMPARE(QDir(setup.data.path()).entryList(QDir::Files),
                     QStringList({"A.dat", "B.dat"}));
        } else {
            QCOMPARE(box.text + '|' + box.caption,
                     "FTP Error: Check your FTP settings and internet connection.|FTP Error");
            QVERIFY(child(dialog, "status")->text() != QStringLiteral("Done"));
        }
        QCOMPARE(box.icon, MessageIcon::None);
        QCOMPARE(box.owner.data(), &dialog);
        const QString list = child<QPlainTextEdit>(dialog, "notSent")->toPlainText();
        QStringList named;
        for (const QString& line : list.split('\n').mid(1))
            named << line.section(": STOR /htdocs/", 0, 0);
        QCOMPARE(named, notSent);
        QTest::mouseClick(child<QPushButton>(dialog, "okButton"), Qt::LeftButton);
        QVERIFY(!dialog.isVisible());
    }

    void closedBeforeItsStartPublishesNothing()
    {
        PublishSetup setup;
        QVERIFY2(setup.start({"A"}).isEmpty(), qPrintable(setup.error));
        PublishDialog dialog(1);
        dialog.show();
        dialog.reject();
        QTest::qWait(1500);
        QVERIFY(!setup.server.received({"USER"}));
        QVERIFY(!QFile::exists(setup.data.filePath("inventory.htm")));
    }

    // A host that takes the connection and never says a word, with the real
    // half-minute time-outs: the event loop keeps answering, and the run
    // ends within 2 s of the user's word, naming every page not sent.
    void silentHostIsCancelled_data()
    {
        QTest::addColumn<Ending>("ending");
        QTest::newRow("Cancel") << Ending::CancelButton;
        QTest::newRow("Esc") << Ending::Escape;
        QTest::newRow("close box") << Ending::CloseBox;
    }
    void silentHostIsCancelled()
    {
        QFETCH(Ending, ending);
        qunsetenv("WARELOOM_FTP_TIMEOUT");
        PublishSetup setup({"--silent"});
        QVERIFY2(setup.start({"A", "B"}).isEmpty(), qPrintable(setup.error));
        MessageBoxHook boxes;
        PublishDialog dialog(2);
        QElapsedTimer sinceTick;
        qint64 longestWait = 0;
        QTimer tick;
        tick.callOnTimeout([&] { longestWait = std::max(longestWait, sinceTick.restart()); });
        sinceTick.start();
        tick.start(10);
        dialog.show();
        QTRY_VERIFY_WITH_TIMEOUT(setup.server.received({"(silent connection)"}), 5000);
        QTest::qWait(1500); // held up by the host

        QElapsedTimer sinceAsked;
        sinceAsked.start();
        if (ending == Ending::CancelButton) {
            QTest::mouseClick(child<QPushButton>(dialog, "cancelButton"), Qt::LeftButton);
            QTRY_VERIFY_WITH_TIMEOUT(child<QPushButton>(dialog, "okButton")->isEnabled(), 2000);
            QVERIFY(dialog.isVisible());
            QCOMPARE(child(dialog, "status")->text(), QStringLiteral("Cancelled"));
            const QString list = child<QPlainTextEdit>(dialog, "notSent")->toPlainText();
            for (const QString& page : listedPages())
                QVERIFY2(list.contains('\n' + page + ": "), qPrintable(list));
        } else {
            if (ending == Ending::Escape)
                QTest::keyClick(&dialog, Qt::Key_Escape);
            else
                dialog.close();
            QVERIFY(!dialog.isVisible()); // returns once the run has ended
        }
        QVERIFY2(sinceAsked.elapsed() < 2000, qPrintable(QString::number(sinceAsked.elapsed())));
        QVERIFY2(longestWait < 100, qPrintable(QString::number(longestWait)));
        QVERIFY(boxes.shown().isEmpty());
        QVERIFY(!setup.server.received({"USER"}));
    }
};

QTEST_MAIN(TestPublishDialog)
#include "tst_publishdialog.moc"
