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

template <class T = QLabel> T* child(QDialog& dialog, const char* name)
{
    return dialog.findChild<T*>(QLatin1String(name));
}

// The pages the dialog lists as not sent.
QStringList notSentShown(QDialog& dialog)
{
    QStringList pages;
    for (const QString& line : child<QPlainTextEdit>(dialog, "notSent")->toPlainText().split('\n'))
        if (line.contains(": "))
            pages << line.section(": ", 0, 0);
    return pages;
}

} // namespace

// The publish dialog, its run on the worker thread, against real servers.
class TestPublishDialog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QVERIFY(startSockets()); }
    void init() { qputenv("WARELOOM_FTP_TIMEOUT", "2"); }

    // Starts a second after it opens (not at all when closed before), closes
    // itself at the end with a full bar and no box.
    void publishesAndClosesItself()
    {
        PublishSetup setup;
        QVERIFY2(setup.start({"A", "B", "C"}).isEmpty(), qPrintable(setup.error));
        PublishDialog closedAtOnce(3);
        closedAtOnce.show();
        closedAtOnce.reject();
        MessageBoxHook boxes;
        PublishDialog dialog(3);
        QCOMPARE(dialog.windowTitle() + child(dialog, "statusCaption")->text() +
                     child(dialog, "status")->text(),
                 QStringLiteral("Wareloom - FTP UploadStatus:Creating HTML"));
        QVERIFY(child<QPushButton>(dialog, "okButton")->isDefault());
        dialog.show();
        QTest::qWait(700);
        QVERIFY(!setup.server.received({"USER"}) && !QFile::exists(setup.data.filePath("A.htm")));
        QTRY_VERIFY_WITH_TIMEOUT(!dialog.isVisible(), 15000);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(child(dialog, "status")->text(), QStringLiteral("Done"));
        const QProgressBar* bar = child<QProgressBar>(dialog, "progress");
        QCOMPARE(QList<int>({bar->minimum(), bar->value(), bar->maximum()}), QList<int>({1, 4, 4}));
        QVERIFY(boxes.shown().isEmpty());
        QVERIFY(setup.published(listedPages()));
        QCOMPARE(setup.server.commands().filter("USER ").size(), 1); // one run
    }

    // The box, then the pages not sent with why; the dialog stays open.
    // Without settings the long text is the caption and nothing is written.
    void failedRunStaysOpen_data()
    {
        QTest::addColumn<QString>("password"); // empty: no settings file
        QTest::addColumn<QStringList>("fault");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QStringList>("notSent"); // {"*"}: every page
        const QString ftpError =
            "FTP Error: Check your FTP settings and internet connection.|FTP Error";
        QTest::newRow("wrong password") << "wrong" << QStringList() << ftpError << QStringList{"*"};
        QTest::newRow("one page refused") << "secret" << QStringList{"--stor-reply", "553:A.htm"}
                                          << ftpError << QStringList{"A.htm"};
        QTest::newRow("no settings")
            << QString() << QStringList() << "Error|Error: No FTP setrtings!" << QStringList();
    }
    void failedRunStaysOpen()
    {
        QFETCH(QString, password);
        QFETCH(QStringList, fault);
        QFETCH(QString, box);
        QFETCH(QStringList, notSent);
        PublishSetup setup(fault);
        QVERIFY(password.isEmpty() ? writeCategories(setup.data, {"A", "B"})
                                   : setup.start({"A", "B"}, "/htdocs/", password).isEmpty());
        MessageBoxHook boxes;
        PublishDialog dialog(2);
        dialog.show();
        QTRY_VERIFY_WITH_TIMEOUT(child<QPushButton>(dialog, "okButton")->isEnabled(), 15000);
        QVERIFY(dialog.isVisible());
        QCOMPARE(boxes.shown().size(), 1);
        QCOMPARE(boxes.shown()[0].text + '|' + boxes.shown()[0].caption, box);
        QCOMPARE(boxes.shown()[0].icon, MessageIcon::None);
        QCOMPARE(boxes.shown()[0].owner.data(), &dialog);
        QCOMPARE(notSentShown(dialog), notSent == QStringList{"*"} ? listedPages() : notSent);
        QCOMPARE(child(dialog, "status")->text() == "Creating HTML", password.isEmpty());
        QVERIFY(password.isEmpty() != QFile::exists(setup.data.filePath("inventory.htm")));
        QTest::mouseClick(child<QPushButton>(dialog, "okButton"), Qt::LeftButton);
        QVERIFY(!dialog.isVisible());
    }

    // A host that takes the connection and never says a word, with the real
    // half-minute time-outs: the event loop keeps answering, and the run
    // ends within 2 s of the user's word, naming every page not sent.
    void silentHostIsCancelled_data()
    {
        QTest::addColumn<QString>("ending");
        for (const char* ending : {"Cancel", "Esc", "close box"})
            QTest::newRow(ending) << ending;
    }
    void silentHostIsCancelled()
    {
        QFETCH(QString, ending);
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
        if (ending == "Cancel") {
            QTest::mouseClick(child<QPushButton>(dialog, "cancelButton"), Qt::LeftButton);
            QTRY_VERIFY_WITH_TIMEOUT(child<QPushButton>(dialog, "okButton")->isEnabled(), 2000);
            QVERIFY(dialog.isVisible());
            QCOMPARE(child(dialog, "status")->text(), QStringLiteral("Cancelled"));
            QCOMPARE(notSentShown(dialog), listedPages());
        } else {
            if (ending == "Esc")
                QTest::keyClick(&dialog, Qt::Key_Escape);
            else
                dialog.close();
            QVERIFY(!dialog.isVisible()); // returns once the run has ended
        }
        QVERIFY2(sinceAsked.elapsed() < 2000, qPrintable(QString::number(sinceAsked.elapsed())));
        QVERIFY2(longestWait < 100, qPrintable(QString::number(longestWait)));
        QVERIFY(boxes.shown().isEmpty() && !setup.server.received({"USER"}));
    }
};

QTEST_MAIN(TestPublishDialog)
#include "tst_publishdialog.moc"
