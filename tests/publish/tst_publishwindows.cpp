#include "PublishTestSupport.h"
#include "core/transfer/HostConnection.h"
#include "core/transfer/Networking.h"
#include "gui/platform/FileDialog.h"
#include "gui/platform/MessageBox.h"
#include "gui/publish/FtpSettingsDialog.h"
#include "gui/publish/PublishDialog.h"
#include "gui/publish/WebHost.h"

#include <QCryptographicHash>
#include <QElapsedTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace wareloom;
using namespace wareloom::test;

const QStringList Boxes{"userName", "password", "ftpServer", "uploadPath", "httpServer"};

// The publishing windows, driven offscreen by objectName, against real FTP
// servers and hand-written settings files.
class TestPublishWindows : public QObject
{
    Q_OBJECT

    TempDataDirectory m_data; // for the settings dialog; the other tests make their own
    const QString m_path = m_data.filePath("FTPServer.ftp");
    const QByteArray m_picture = QByteArray("\xff\xd8\xff\xe0 JPEG, not a GIF\r\n\0", 23);
    QTemporaryDir m_chosen; // where the user's files lie, outside the data directory
    QWidget m_owner;

    template <class T = QWidget> static T* child(QWidget* w, const QString& name)
    {
        return w->findChild<T*>(name);
    }
    static QByteArray field(const QByteArray& text) { return text.leftJustified(200, '\0'); }
    static void endWith(QDialog& dialog, const QString& ending) // "Cancel" or "close box"
    {
        ending == "Cancel"
            ? QTest::mouseClick(child<QPushButton>(&dialog, "cancelButton"), Qt::LeftButton)
            : void(dialog.close());
    }
    static QStringList notSentShown(QDialog& dialog)
    {
        const QString text = child<QPlainTextEdit>(&dialog, "notSent")->toPlainText();
        return text.split('\n').filter(": ").replaceInStrings(QRegularExpression(": .*"), "");
    }
    // Answers the next box with OK, noting the window's title while it was up.
    static std::shared_ptr<QString> titleWhenBoxOpens(MessageBoxHook& boxes, const QWidget& window)
    {
        auto title = std::make_shared<QString>();
        boxes.queueAnswer([title, &window](const ShownMessageBox&) {
            return *title = window.windowTitle(), MessageAnswer::Ok;
        });
        return title;
    }

    // Box texts, checked for caption and owner; "FTP Error!" needs a reason.
    QStringList texts(const MessageBoxHook& boxes)
    {
        QStringList texts;
        for (const ShownMessageBox& box : boxes.shown())
            texts << (box.caption != "Wareloom" || box.owner != &m_owner              ? "wrong box"
                      : box.text.startsWith("FTP Error!\n\n") && box.text.size() > 14 ? "FTP Error!"
                                                                                      : box.text);
        return texts;
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(startNetworking());
        m_owner.setWindowTitle("Wareloom");
        m_owner.show();
        const QString deep = m_chosen.filePath(QString(120, 'd'));
        QVERIFY(writeFile(m_chosen.filePath("Logo.JPG"), m_picture) && QDir().mkpath(deep) &&
                writeFile(deep + '/' + QString(80, 'b'), m_picture));
    }
    void init()
    {
        HostConnection::setUniformTimeout(std::chrono::seconds(5)); // the silent rows unset it
        QFile::remove(m_path);
    }

    // The run starts about a second after opening. All sent: closes, no box.
    // Otherwise the box and the pages not sent. A silent host, with the real
    // time-outs: the event loop answers, the run ends within 2 s of the word.
    void runEnds_data()
    {
        QTest::addColumn<QString>("password"); // empty: no settings file
        QTest::addColumn<QStringList>("fault");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QStringList>("notSent"); // {"*"}: every page
        const QString ftpError =
            "FTP Error: Check your FTP settings and internet connection.|FTP Error";
        QTest::newRow("published") << "secret" << QStringList() << "" << QStringList();
        QTest::newRow("wrong password") << "wrong" << QStringList() << ftpError << QStringList{"*"};
        QTest::newRow("one page refused") << "secret" << QStringList{"--stor-reply", "553:A.htm"}
                                          << ftpError << QStringList{"A.htm"};
        QTest::newRow("no settings")
            << QString() << QStringList() << "Error|Error: No FTP setrtings!" << QStringList();
        for (const char* ending : {"Cancel", "close box"})
            QTest::newRow(ending) << "secret" << QStringList{"--silent"} << ending
                                  << QStringList{"*"};
    }
    void runEnds()
    {
        QFETCH(QString, password);
        QFETCH(QStringList, fault);
        QFETCH(QString, box);
        QFETCH(QStringList, notSent);
        const bool silent = fault == QStringList{"--silent"};
        if (silent)
            HostConnection::setUniformTimeout(std::chrono::seconds(0));
        PublishSetup setup(fault);
        QVERIFY(password.isEmpty() ? writeCategories(setup.data, {"A", "B"})
                                   : setup.start({"A", "B"}, "/htdocs/", password));
        PublishDialog closedAtOnce(setup.data.store(), 2);
        closedAtOnce.show();
        closedAtOnce.reject();
        MessageBoxHook boxes;
        PublishDialog dialog(setup.data.store(), 2);
        QCOMPARE(dialog.windowTitle() + child<QLabel>(&dialog, "statusCaption")->text() +
                     child<QLabel>(&dialog, "status")->text(),
                 QStringLiteral("Wareloom - FTP UploadStatus:Creating HTML"));
        QVERIFY(child<QPushButton>(&dialog, "okButton")->isDefault());
        QElapsedTimer sinceTick, sinceAsked;
        qint64 longestWait = 0;
        QTimer tick;
        tick.callOnTimeout([&] { longestWait = std::max(longestWait, sinceTick.restart()); });
        sinceTick.start();
        tick.start(10);
        dialog.show();
        QTest::qWait(700);
        QVERIFY(!setup.server.received({"USER"}) && !QFile::exists(setup.data.filePath("A.htm")));
        if (silent) {
            QTRY_VERIFY_WITH_TIMEOUT(setup.server.received({"(silent connection)"}), 5000);
            QTest::qWait(1500); // held up by the host
            sinceAsked.start();
            endWith(dialog, box); // the close box returns once the run has ended
            QTRY_VERIFY_WITH_TIMEOUT(
                !dialog.isVisible() || child<QPushButton>(&dialog, "okButton")->isEnabled(), 2000);
            QVERIFY2(sinceAsked.elapsed() < 2000 && longestWait < 100,
                     qPrintable(QString::number(sinceAsked.elapsed())));
            QCOMPARE(dialog.isVisible(), box == "Cancel");
            QVERIFY(boxes.shown().isEmpty() && !setup.server.received({"USER"}));
            if (box == "Cancel")
                QVERIFY(child<QLabel>(&dialog, "status")->text() == "Cancelled" &&
                        notSentShown(dialog) == listedPages(setup.data));
            return;
        }
        QTRY_VERIFY_WITH_TIMEOUT(child<QPushButton>(&dialog, "okButton")->isEnabled(), 15000);
        QTRY_COMPARE(dialog.isVisible(), !box.isEmpty());
        QCOMPARE(boxes.shown().size(), box.isEmpty() ? 0 : 1);
        for (const ShownMessageBox& shown : boxes.shown())
            QVERIFY(shown.text + '|' + shown.caption == box && shown.icon == MessageIcon::None &&
                    shown.owner == &dialog);
        QCOMPARE(notSentShown(dialog),
                 notSent == QStringList{"*"} ? listedPages(setup.data) : notSent);
        const QString status = child<QLabel>(&dialog, "status")->text();
        const QProgressBar* bar = child<QProgressBar>(&dialog, "progress");
        QCOMPARE(QPair(bar->minimum(), bar->maximum()), QPair(1, 3));
        if (box.isEmpty())
            QVERIFY(status == "Done" && bar->value() == 3);
        else
            QCOMPARE(status == "Creating HTML", password.isEmpty()); // never "Done"

        QVERIFY(password.isEmpty() != QFile::exists(setup.data.filePath("inventory.htm")));
        // One run, one login, every page whole.
        QVERIFY(!box.isEmpty() ||
                (setup.published(listedPages(setup.data)) &&
                 setup.server.commands().filter(QRegularExpression("^(USER|login) ")).size() == 1));
        QTest::mouseClick(child<QPushButton>(&dialog, "okButton"), Qt::LeftButton);
        QVERIFY(!dialog.isVisible());
    }

    // Cancelled midway, the record names exactly what the host has whole;
    // the pages of categories gone are offered once per run, Yes deletes them.
    void keepsTheRecordTrue()
    {
        PublishSetup setup({"--stor-delay", "2:B.htm"});
        QVERIFY(setup.start({"A", "B", "C"}));
        const QStringList before =
            listedPages(setup.data).mid(0, listedPages(setup.data).indexOf("B.htm"));
        const auto recorded = [&] {
            return QJsonDocument::fromJson(
                       readFile(setup.data.filePath("Published.json")))["destinations"][0]["files"]
                .toObject();
        };
        {
            PublishDialog dialog(setup.data.store(), 3);
            dialog.show();
            QTRY_COMPARE_WITH_TIMEOUT(child<QLabel>(&dialog, "status")->text(),
                                      QString("Upload -> B.htm"), 15000);
            endWith(dialog, "Cancel");
            QTRY_VERIFY(child<QPushButton>(&dialog, "okButton")->isEnabled());
        }
        QCOMPARE(recorded().keys(), before);
        for (const QString& page : before) {
            const QByteArray onHost = readFile(setup.server.localPath("/htdocs/" + page));
            QCOMPARE(recorded()[page].toObject()[QString("sha256")].toString().toLatin1(),
                     QCryptographicHash::hash(onHost, QCryptographicHash::Sha256).toHex());
        }

        MessageBoxHook boxes;
        bool deleted = false;
        for (const MessageAnswer answer :
             {MessageAnswer::Ok, MessageAnswer::No, MessageAnswer::Yes, MessageAnswer::Ok}) {
            if (answer != MessageAnswer::Ok)
                boxes.queueAnswer(answer);
            PublishDialog dialog(setup.data.store(), 3);
            dialog.show();
            QTRY_VERIFY_WITH_TIMEOUT(!dialog.isVisible(), 20000);
            // Once every page is out, C's category goes.
            QVERIFY(answer != MessageAnswer::Ok || deleted ||
                    QFile::remove(setup.data.filePath("C.dat")));
            deleted = deleted || answer == MessageAnswer::Yes;
            QCOMPARE(QFile::exists(setup.server.localPath("/htdocs/C.htm")), !deleted);
        }
        QVERIFY(setup.published(listedPages(setup.data)));
    }

    // Enter presses OK: each box keeps 199 characters, shown again next time.
    // Cancel stores nothing; an opening still leaves a file.
    void storesOnOkOnly_data()
    {
        QTest::addColumn<QString>("ending");
        for (const char* ending : {"Enter", "Enter, not saved", "Cancel"})
            QTest::newRow(ending) << ending;
    }
    void storesOnOkOnly()
    {
        QFETCH(QString, ending);
        MessageBoxHook boxes;
        boxes.queueAnswer(ending == "Enter" ? MessageAnswer::Yes
                                            : MessageAnswer::No); // "ab" ends without "/"
        FtpSettingsDialog dialog(m_data.store());
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Wareloom - FTP Settings"));
        QStringList hints;
        for (const char* name : {"ftpServerHint", "uploadPathHint", "httpServerHint"})
            hints << child<QLabel>(&dialog, name)->text();
        QCOMPARE(hints, QStringList({"eg: ftp.example.com", "eg:  /htdocs/",
                                     "eg. http://www.example.com/inventory.htm"}));
        QVERIFY(child<QPushButton>(&dialog, "okButton")->isDefault());
        QCOMPARE(child<QLineEdit>(&dialog, "password")->echoMode(), QLineEdit::Normal); // in clear

        const QStringList typed{"seller", "pa ss", "ftp.example.com:2121", "ab", QString(250, 'h')};
        dialog.show();
        for (int i = 0; i < 5; ++i) {
            child<QLineEdit>(&dialog, Boxes[i])->selectAll();
            QTest::keyClicks(child<QLineEdit>(&dialog, Boxes[i]), typed[i]);
        }
        if (ending.startsWith("Enter"))
            QTest::keyClick(child<QLineEdit>(&dialog, "httpServer"), Qt::Key_Return);
        else
            endWith(dialog, ending);
        QCOMPARE(dialog.isVisible(), ending == "Enter, not saved");
        QCOMPARE(boxes.shown().size(), ending.startsWith("Enter") ? 1 : 0);
        for (const ShownMessageBox& shown : boxes.shown())
            QVERIFY(shown.text == "Files will go to abinventory.htm. Save anyway?" &&
                    shown.owner == &dialog && shown.buttons == MessageButtons::YesNo);
        QCOMPARE(dialog.result() == QDialog::Accepted, ending == "Enter");
        QCOMPARE(readFile(m_path), ending != "Enter"
                                       ? QByteArray(1000, '\0')
                                       : field("seller") + field("pa ss") +
                                             field("ftp.example.com:2121") + field("ab") +
                                             field(QByteArray(199, 'h')));
        FtpSettingsDialog again(m_data.store());
        QCOMPARE(child<QLineEdit>(&again, "httpServer")->text(),
                 ending == "Enter" ? QString(199, 'h') : "");
    }

    // The chosen file goes up unchanged as banner.gif, titled so meanwhile.
    void uploadsTheChosenFileAsBannerGif_data()
    {
        QTest::addColumn<QString>("settings"); // "server" or "none"
        QTest::addColumn<QString>("chosen");   // empty: the file dialog is cancelled
        QTest::addColumn<QString>("box");      // empty: none
        const auto row = [](const char* name, QString settings, QString chosen, QString box) {
            QTest::newRow(name) << settings << chosen << box;
        };
        row("uploaded", "server", "Logo.JPG", "Banner Uploaded!");
        row("path over 199", "server", QString(120, 'd') + '/' + QString(80, 'b'), "FTP Error!");
        row("file dialog cancelled", "server", "", "");
        row("no settings, no file dialog", "none", "", "No FTP/HTTP settings!");
    }
    void uploadsTheChosenFileAsBannerGif()
    {
        QFETCH(QString, settings);
        QFETCH(QString, chosen);
        QFETCH(QString, box);
        TempDataDirectory data;
        TestFtpServer server;
        QVERIFY(settings == "none" ||
                (server.start() && writeSettingsFile(data.store(), server.settings())));
        FileDialogHook files;
        if (!chosen.isEmpty())
            files.queueChoice(m_chosen.filePath(chosen));
        MessageBoxHook boxes;
        const auto titleWhileBoxOpen = titleWhenBoxOpens(boxes, m_owner);
        WebHost(&m_owner, data.store()).uploadBanner();

        QCOMPARE(files.shownCount(), settings == "none" ? 0 : 1);
        QCOMPARE(texts(boxes), box.isEmpty() ? QStringList() : QStringList{box});
        QCOMPARE(*titleWhileBoxOpen, box.isEmpty()        ? ""
                                     : settings == "none" ? "Wareloom"
                                                          : "-> Banner.gif");
        QCOMPARE(m_owner.windowTitle(), QStringLiteral("Wareloom"));
        const bool sent = box == "Banner Uploaded!";
        QCOMPARE(server.fileContents("/htdocs/banner.gif"), sent ? m_picture : QByteArray());
        QCOMPARE(server.commands().contains("STOR /htdocs/banner.gif TYPE=I"), sent);
        QVERIFY(!QFile::exists(data.filePath("banner.gif")));
    }

    // A new SFTP key is asked about: No sends nothing, Yes stores the
    // KnownHosts line and sends. A changed key is refused, both keys named.
    void uploadsAPictureAndDeletesIt()
    {
        TempDataDirectory data;
        TestFtpServer server({"sftp"});
        QVERIFY(server.start() && writeSettingsFile(data.store(), server.settings()));
        const QString key = server.knownHostsLine().section(' ', 1),
                      old = "SHA256:47DEQpj8HBSa+/TI";
        MessageBoxHook boxes;
        const auto title = titleWhenBoxOpens(boxes, m_owner);
        for (const MessageAnswer answer : {MessageAnswer::No, MessageAnswer::Yes}) {
            boxes.queueAnswer(answer);
            WebHost(&m_owner, data.store()).uploadPicture(m_chosen.filePath("Logo.JPG"), "A1.jpg");
            QCOMPARE(server.received({"login"}), answer == MessageAnswer::Yes);
        }
        QCOMPARE(*title, QStringLiteral("A1.jpg"));
        QCOMPARE(readFile(data.filePath("KnownHosts")), server.knownHostsLine().toUtf8() + '\n');
        QCOMPARE(server.fileContents("/htdocs/A1.jpg"), m_picture);
        WebHost(&m_owner, data.store()).deleteFile("A1.jpg");
        QVERIFY(!QFile::exists(server.localPath("/htdocs/A1.jpg")));
        QVERIFY(
            writeFile(data.filePath("KnownHosts"),
                      server.knownHostsLine().section(' ', 0, 0).toUtf8() + ' ' + old.toUtf8()));
        WebHost(&m_owner, data.store()).deleteFile("A1.jpg");
        QVERIFY(writeSettingsFile(data.store(), {}));
        WebHost(&m_owner, data.store()).openWebsite();
        QStringList shown = texts(boxes); // the key questions: buttons, and the keys they name
        for (qsizetype i = 0; i < shown.size(); ++i)
            if (shown[i].contains(key))
                shown[i] = QString::number(int(boxes.shown()[i].buttons)) +
                           (shown[i].contains(old) ? " old and new key" : " key");
        QCOMPARE(shown, QStringList({"2 key", "FTP Error!", "2 key", "Image Uploaded!",
                                     "0 old and new key", "FTP Error!",
                                     "No web browser could be started for \"\"."}));
        QCOMPARE(m_owner.windowTitle(), QStringLiteral("Wareloom"));
    }
};

QTEST_MAIN(TestPublishWindows)
#include "tst_publishwindows.moc"
