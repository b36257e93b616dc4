#include "gui/mainwnd/CWareloomDlg.h"
#include "gui/platform/MessageBox.h"
#include "gui/publish/FTPSettings.h"
#include "core/transfer/SettingsFile.h"
#include "gui/res/CommandIds.h"

#include "DialogTestDriver.h"
#include "ReadOnlyDirectory.h"
#include "TempDataDirectory.h"
#include "TestFiles.h"
#include "TestFtpServer.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <sys/stat.h>

using namespace wareloom;
using wareloom::test::readFile;
using wareloom::test::TempDataDirectory;
using wareloom::test::whenDialogOpens;

namespace {

constexpr int UserNameBox = 1001;
constexpr int PasswordBox = 1002;
constexpr int FtpServerBox = 1003;
constexpr int UploadPathBox = 1004;
constexpr int HttpServerBox = 1007;

// A field as written from the rules: the text, then zeros.
QByteArray field(const QByteArray& text)
{
    return text + QByteArray(200 - text.size(), '\0');
}

struct stat fileStat(const QString& path)
{
    struct stat info = {};
    ::stat(QFile::encodeName(path).constData(), &info);
    return info;
}

QLineEdit* box(QDialog* dialog, int id)
{
    return static_cast<FTPSettings*>(dialog)->controlAs<QLineEdit>(id);
}

void clickOk(QDialog* dialog)
{
    static_cast<FTPSettings*>(dialog)->controlAs<QPushButton>(IDOK)->click();
}

// Replaces a box's text as typing would.
void typeInto(QDialog* dialog, int id, const QString& text)
{
    box(dialog, id)->selectAll();
    QTest::keyClicks(box(dialog, id), text);
}

// Opens the dialog, hands it to action and runs it to its end; the result.
int runDialog(const std::function<void(QDialog*)>& action)
{
    FTPSettings dialog;
    auto opened = whenDialogOpens(action);
    const int result = dialog.DoModal();
    if (!*opened)
        qWarning("the FTP Settings dialog did not open");
    return result;
}

// What the five boxes show when the dialog opens; the dialog then cancelled.
QStringList shownTexts()
{
    QStringList texts;
    runDialog([&](QDialog* dialog) {
        for (int id : {UserNameBox, PasswordBox, FtpServerBox, UploadPathBox, HttpServerBox})
            texts << box(dialog, id)->displayText();
        dialog->reject();
    });
    return texts;
}

enum class Dismissal { CancelButton, Escape, CloseBox };

} // namespace

Q_DECLARE_METATYPE(Dismissal)

class TestFtpSettings : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The first opening creates the file with empty fields, even when cancelled.
    void dismissingWritesNothing_data()
    {
        QTest::addColumn<Dismissal>("how");
        QTest::addColumn<bool>("existing");
        for (auto [how, name] : {std::pair{Dismissal::CancelButton, "Cancel"},
                                 {Dismissal::Escape, "Esc"},
                                 {Dismissal::CloseBox, "close box"}}) {
            for (bool existing : {false, true})
                QTest::addRow("%s, %s", name, existing ? "file there" : "first opening")
                    << how << existing;
        }
    }
    void dismissingWritesNothing()
    {
        QFETCH(Dismissal, how);
        QFETCH(bool, existing);
        TempDataDirectory data;
        if (existing)
            QVERIFY(test::writeSettingsFile({"me", "pw", "ftp.example.com", {}, {}}));
        const QByteArray before = readFile(settingsFilePath());
        const ino_t inode = fileStat(settingsFilePath()).st_ino; // saving would make a new one
        MessageBoxHook boxes;
        QString shown;
        const int result = runDialog([&](QDialog* dialog) {
            shown = box(dialog, UserNameBox)->text();
            typeInto(dialog, UserNameBox, "typed but not kept");
            typeInto(dialog, FtpServerBox, "elsewhere");
            if (how == Dismissal::CancelButton)
                QTest::mouseClick(
                    static_cast<FTPSettings*>(dialog)->controlAs<QPushButton>(IDCANCEL),
                    Qt::LeftButton);
            else if (how == Dismissal::Escape)
                QTest::keyClick(dialog, Qt::Key_Escape);
            else
                dialog->close();
        });
        QCOMPARE(result, int(IDCANCEL));
        QVERIFY(boxes.shown().isEmpty());
        QCOMPARE(shown, existing ? "me" : "");
        if (existing) {
            QCOMPARE(readFile(settingsFilePath()), before);
            QCOMPARE(fileStat(settingsFilePath()).st_ino, inode);
            return;
        }
        const QByteArray bytes = readFile(settingsFilePath());
        QCOMPARE(bytes.size(), 1000);
        for (int i = 0; i < 5; ++i)
            QCOMPARE(bytes.at(i * 200), '\0');
        QCOMPARE(fileStat(settingsFilePath()).st_mode & 0777, 0600u);
    }

    // Enter presses OK, the default button.
    void okStoresEveryBoxInItsField()
    {
        TempDataDirectory data;
        const int result = runDialog([](QDialog* dialog) {
            typeInto(dialog, UserNameBox, "seller");
            typeInto(dialog, PasswordBox, "pa ss");
            typeInto(dialog, FtpServerBox, "ftp.example.com:2121");
            typeInto(dialog, UploadPathBox, "/htdocs/");
            typeInto(dialog, HttpServerBox, "http://www.example.com/inventory.htm");
            QTest::keyClick(box(dialog, HttpServerBox), Qt::Key_Return);
        });
        QCOMPARE(result, int(IDOK));
        QCOMPARE(readFile(settingsFilePath()),
                 field("seller") + field("pa ss") + field("ftp.example.com:2121") +
                     field("/htdocs/") + field("http://www.example.com/inventory.htm"));
        QCOMPARE(fileStat(settingsFilePath()).st_mode & 0777, 0600u);
    }

    // A shorter text leaves the rest of the field as it was.
    void storesTheFirst199Characters_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("entered");
        QTest::addColumn<QByteArray>("stored");
        QString alphabet;
        for (int i = 0; i < 250; ++i)
            alphabet += QChar(u'a' + i % 26);
        const QByteArray kept = alphabet.left(199).toLatin1();
        QTest::newRow("199") << "" << alphabet.left(199) << field(kept);
        QTest::newRow("200") << "" << alphabet.left(200) << field(kept);
        QTest::newRow("250") << "" << alphabet << field(kept);
        QTest::newRow("ab over abcdef") << "abcdef"
                                        << "ab" << field(QByteArray("ab\0def", 6));
    }
    void storesTheFirst199Characters()
    {
        QFETCH(QString, before);
        QFETCH(QString, entered);
        QFETCH(QByteArray, stored);
        TempDataDirectory data;
        QVERIFY(test::writeSettingsFile({{}, {}, {}, before, {}}));
        runDialog([&](QDialog* dialog) {
            box(dialog, UploadPathBox)->setText(entered);
            clickOk(dialog);
        });
        QCOMPARE(readFile(settingsFilePath()).mid(600, 200), stored);
        QCOMPARE(shownTexts().at(3), entered.left(199));
    }

    // The password is shown in clear.
    void eachOpeningReadsTheFileAgain()
    {
        TempDataDirectory data;
        QVERIFY(test::writeSettingsFile({"first", {}, {}, {}, {}}));
        QCOMPARE(shownTexts().first(), QStringLiteral("first"));
        QVERIFY(test::writeSettingsFile(
            {"second", "s3cret!", "host", "/p/", "http://h/inventory.htm"}));
        QCOMPARE(shownTexts(),
                 QStringList({"second", "s3cret!", "host", "/p/", "http://h/inventory.htm"}));
    }

    void failedWriteIsToldAndTheDialogStaysOpen()
    {
        TempDataDirectory data;
        QVERIFY(test::writeSettingsFile({"kept", {}, {}, {}, {}}));
        const QByteArray before = readFile(settingsFilePath());
        MessageBoxHook boxes;
        bool stillOpen = false;
        const int result = runDialog([&](QDialog* dialog) {
            typeInto(dialog, UserNameBox, "lost?");
            {
                test::ReadOnlyDirectory readOnly(data.path());
                QVERIFY(readOnly.ok());
                clickOk(dialog);
                stillOpen = dialog->isVisible();
            }
            QCOMPARE(box(dialog, UserNameBox)->text(), QStringLiteral("lost?"));
            dialog->reject();
        });
        QVERIFY(stillOpen);
        QCOMPARE(result, int(IDCANCEL));
        QCOMPARE(boxes.shown().size(), 1);
        QVERIFY2(boxes.shown().first().text.contains("FTPServer.ftp"),
                 qPrintable(boxes.shown().first().text));
        QCOMPARE(readFile(settingsFilePath()), before);
    }

    void settingsFileThatCannotBeMadeIsTold()
    {
        TempDataDirectory data;
        MessageBoxHook boxes;
        test::ReadOnlyDirectory readOnly(data.path());
        QVERIFY(readOnly.ok());
        QCOMPARE(shownTexts().first(), QString());
        QCOMPARE(boxes.shown().size(), 1);
        QCOMPARE(boxes.shown().first().caption, QStringLiteral("Wareloom"));
        QVERIFY(!QFile::exists(settingsFilePath()));
    }

    void mainWindowCommandOpensTheDialog()
    {
        TempDataDirectory data;
        CWareloomDlg mainWindow;
        QString title;
        auto opened = whenDialogOpens([&](QDialog* dialog) {
            if (qobject_cast<FTPSettings*>(dialog))
                title = dialog->windowTitle();
            dialog->reject();
        });
        QVERIFY(mainWindow.sendCommand(ID_HTML_FTPSETTINGS));
        QVERIFY(*opened);
        QCOMPARE(title, QStringLiteral("Wareloom - FTP Settings"));
    }
};

QTEST_MAIN(TestFtpSettings)
#include "tst_ftpsettings.moc"
