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

using namespace wareloom;
using namespace wareloom::test;

namespace {

enum class Ending { CancelButton, Escape, CloseBox };

template <class T> T* child(QDialog& dialog, const char* name)
{
    return dialog.findChild<T*>(QLatin1String(name));
}

QString shown(QDialog& dialog, const char* name)
{
    return child<QLabel>(dialog, name)->text();
}

// The longest the event loop went without running a 10 ms timer.
class LoopWatch : public QObject
{
public:
    LoopWatch()
    {
        m_clock.start();
        m_timer.callOnTimeout([this] { longest = std::max(longest, m_clock.restart()); });
        m_timer.start(10);
    }
    qint64 longest = 0;

private:
    QElapsedTimer m_clock;
    QTimer m_timer;
};

} // namespace

Q_DECLARE_METATYPE(Ending)

// The publish dialog with the run on its worker thread, against real servers.
class TestPublishDialog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QVERIFY(startSockets()); }
    void init() { qputenv("WARELOOM_FTP_TIMEOUT", "2"); }

    void publishesAndClosesItself()
    {
        PublishSetup setup;
        QVERIFY2(setup.start({"A", "B", "C"}).isEmpty(), qPrintable(setup.error));
        MessageBoxHook boxes;
        PublishDialog dialog(3);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Wareloom - FTP Upload"));
        QCOMPARE(shown(dialog, "statusCaption"), QStringLiteral("Status:"));
        QCOMPARE(shown(dialog, "status"), QStringLiteral("Creating HTML"));
        QVERIFY(child<QPushButton>(dialog, "okButton")->isDefault());
        dialog.show();
        QTRY_VERIFY_WITH_TIMEOUT(!dialog.isVisible(), 15000);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(shown(dialog, "status"), QStringLiteral("Done"));
        const QProgressBar* bar = child<QProgressBar>(dialog, "progress");
        QCOMPARE(QPair(bar->minimum(), bar->maximum()), QPair(1, 4));
        QCOMPARE(bar->value(), 4);
        QVERIFY(boxes.shown().isEmpty());
        QCOMPARE(setup.pageNotPublished({"inventory.htm", "A.htm", "B.htm", "C.htm"}), QString());
    }

    // The Part's box, then the pages not sent; the dialog stays open.
    void failedRunStaysOpen_data()
    {
        QTest::addColumn<QStringList>("fault");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QStringList>("notSent");
        QTest::newRow("wrong password") << QStringList{} << "wrong" << QStringList{}; // every page
        QTest::newRow("one page refused")
            << QStringList{"--stor-reply", "553:A.htm"} << QString() << QStringList{"A.htm"};
    }
    void failedRunStaysOpen()
    {
        QFETCH(QStringList, fault);
        QFETCH(QString, password);
        QFETCH(QStringList, notSent);
        PublishSetup setup(fault);
        QVERIFY2(setup.start({"A", "B"}, "/htdocs/", password).isEmpty(), qPrintable(setup.error));
        if (notSent.isEmpty())
            notSent = listedPages();
        MessageBoxHook boxes;
        PublishDialog dialog(2);
        dialog.show();
        QTRY_VERIFY_WITH_TIMEOUT(child<QPushButton>(dialog, "okButton")->isEnabled(), 15000);
        QVERIFY(dialog.isVisible());
        QCOMPARE(boxes.shown().size(), 1);
        QCOMPARE(boxes.shown()[0].text,
                 QStringLiteral("FTP Error: Check your FTP settings and internet connection."));
        QCOMPARE(boxes.shown()[0].caption, QStringLiteral("FTP Error"));
        QCOMPARE(boxes.shown()[0].icon, MessageIcon::None);
        QVERIFY(shown(dialog, "status") != QStringLiteral("Done"));
        const QStringList lines =
            child<QPlainTextEdit>(dialog, "notSent")->toPlainText().split('\n').mid(1);
        QCOMPARE(lines.size(), notSent.size());
        for (int i = 0; i < lines.size(); ++i)
            QVERIFY2(lines[i].startsWith(notSent[i] + ": ") &&
                         lines[i].size() > notSent[i].size() + 4,
                     qPrintable(lines[i]));
        QTest::mouseClick(child<QPushButton>(dialog, "okButton"), Qt::LeftButton);
        QVERIFY(!dialog.isVisible());
    }

    // The long text is the box's caption; nothing is written, and the dialog stays.
    void noSettingsStaysOpen()
    {
        TempDataDirectory data;
        QVERIFY(writeCategories(data, {"A"}));
        MessageBoxHook boxes;
        PublishDialog dialog(1);
        dialog.show();
        QTRY_COMPARE_WITH_TIMEOUT(boxes.shown().size(), 1, 5000);
        QCOMPARE(boxes.shown()[0].text, QStringLiteral("Error"));
        QCOMPARE(boxes.shown()[0].caption, QStringLiteral("Error: No FTP setrtings!"));
        QVERIFY(dialog.isVisible());
        QCOMPARE(shown(dialog, "status"), QStringLiteral("Creating HTML"));
        QCOMPARE(QDir(data.path()).entryList(QDir::Files), QStringList{"A.dat"});
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
    // half-minute time-outs: the window keeps answering, and the run ends
    // within 2 s of the user's word, naming every page not sent.
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
        LoopWatch watch;
        dialog.show();
        QTRY_VERIFY_WITH_TIMEOUT(setup.server.received({"(silent connection)"}), 5000);
        QTest::qWait(1500); // held up by the host, as long as a user might wait

        QElapsedTimer sinceAsked;
        sinceAsked.start();
        if (ending == Ending::CancelButton) {
            QTest::mouseClick(child<QPushButton>(dialog, "cancelButton"), Qt::LeftButton);
            QTRY_VERIFY_WITH_TIMEOUT(child<QPushButton>(dialog, "okButton")->isEnabled(), 2000);
            QVERIFY(dialog.isVisible());
            QCOMPARE(shown(dialog, "status"), QStringLiteral("Cancelled"));
            QString list = child<QPlainTextEdit>(dialog, "notSent")->toPlainText();
            for (const char* page : {"inventory.htm", "A.htm", "B.htm"})
                QVERIFY2(list.contains(QStringLiteral("\n%1: ").arg(page)), qPrintable(list));
        } else {
            if (ending == Ending::Escape)
                QTest::keyClick(&dialog, Qt::Key_Escape);
            else
                dialog.close();
            QVERIFY(!dialog.isVisible()); // only once the run has ended
        }
        QVERIFY2(sinceAsked.elapsed() < 2000, qPrintable(QString::number(sinceAsked.elapsed())));
        QVERIFY2(watch.longest < 100, qPrintable(QString::number(watch.longest)));
        QVERIFY(boxes.shown().isEmpty());
        QVERIFY(!setup.server.received({"USER"}));
    }
};

QTEST_MAIN(TestPublishDialog)
#include "tst_publishdialog.moc"
