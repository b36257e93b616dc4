#include "mainwnd/CWareloomDlg.h"
#include "platform/MessageBox.h"
#include "publish/FTPSettings.h"
#include "res/CommandIds.h"

#include "DialogTestDriver.h"
#include "ReadOnlyDirectory.h"
#include "TempDataDirectory.h"
#include "TestFtpServer.h"

#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <sys/stat.h>

using namespace wareloom;
using wareloom::test::TempDataDirectory;
using wareloom::test::whenDialogOpens;

namespace {

constexpr int UserNameBox = 1001;
constexpr int PasswordBox = 1002;
constexpr int FtpServerBox = 1003;
constexpr int UploadPathBox = 1004;
constexpr int HttpServerBox = 1007;
constexpr int FieldSize = 200;

const QString SettingsFileName = QStringLiteral("FTPServer.ftp");

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray fieldBytes(const QByteArray& file, int index)
{
    return file.mid(index * FieldSize, FieldSize);
}

// A field as written from the rules: the text, a zero, then zeros.
QByteArray field(const QByteArray& text)
{
    return text + QByteArray(FieldSize - text.size(), '\0');
}

int fileMode(const QString& path)
{
    struct stat info
    {
    };
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? int(info.st_mode & 0777) : -1;
}

// Replacing the file (as saving does) gives it a new inode.
ino_t fileInode(const QString& path)
{
    struct stat info
    {
    };
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_ino : 0;
}

QLineEdit* box(QDialog* dialog, int id)
{
    return static_cast<FTPSettings*>(dialog)->controlAs<QLineEdit>(id);
}

// Replaces a box's text as typing would.
void typeInto(QDialog* dialog, int id, const QString& text)
{
    QLineEdit* edit = box(dialog, id);
    edit->selectAll();
    QTest::keyClicks(edit, text);
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

// The texts of the five boxes when the dialog opens, the dialog then cancelled.
QStringList shownTexts()
{
    QStringList texts;
    runDialog([&](QDialog* dialog) {
        for (int id : {UserNameBox, PasswordBox, FtpServerBox, UploadPathBox, HttpServerBox})
            texts << box(dialog, id)->text();
        dialog->reject();
    });
    return texts;
}

enum class Dismissal { CancelButton, Escape, CloseBox };

void dismiss(QDialog* dialog, Dismissal how)
{
    switch (how) {
    case Dismissal::CancelButton:
        QTest::mouseClick(static_cast<FTPSettings*>(dialog)->controlAs<QPushButton>(IDCANCEL),
                          Qt::LeftButton);
        break;
    case Dismissal::Escape:
        QTest::keyClick(dialog, Qt::Key_Escape);
        break;
    case Dismissal::CloseBox:
        dialog->close();
        break;
    }
}

} // namespace

Q_DECLARE_METATYPE(Dismissal)

class TestFtpSettings : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void firstOpeningCreatesEmptyFieldsEvenWhenCancelled_data()
    {
        QTest::addColumn<Dismissal>("how");
        QTest::newRow("Cancel") << Dismissal::CancelButton;
        QTest::newRow("Esc") << Dismissal::Escape;
        QTest::newRow("close box") << Dismissal::CloseBox;
    }

    void firstOpeningCreatesEmptyFieldsEvenWhenCancelled()
    {
        QFETCH(Dismissal, how);
        TempDataDirectory data;
        MessageBoxHook boxes;
        QStringList shown;
        const int result = runDialog([&](QDialog* dialog) {
            shown << box(dialog, UserNameBox)->text() << box(dialog, HttpServerBox)->text();
            typeInto(dialog, UserNameBox, QStringLiteral("typed but not kept"));
            dismiss(dialog, how);
        });
        QCOMPARE(result, int(IDCANCEL));
        QCOMPARE(shown, QStringList({QString(), QString()}));
        const QByteArray bytes = fileBytes(data.filePath(SettingsFileName));
        QCOMPARE(bytes.size(), 1000);
        for (int i = 0; i < 5; ++i)
            QCOMPARE(bytes.at(i * FieldSize), '\0');
        QCOMPARE(fileMode(data.filePath(SettingsFileName)), 0600);
        QVERIFY(boxes.shown().isEmpty());
    }

    void okStoresEveryBoxInItsField()
    {
        TempDataDirectory data;
        const int result = runDialog([](QDialog* dialog) {
            typeInto(dialog, UserNameBox, QStringLiteral("seller"));
            typeInto(dialog, PasswordBox, QStringLiteral("pa ss"));
            typeInto(dialog, FtpServerBox, QStringLiteral("ftp.example.com:2121"));
            typeInto(dialog, UploadPathBox, QStringLiteral("/htdocs/"));
            typeInto(dialog, HttpServerBox, QStringLiteral("http://www.example.com/inventory.htm"));
            // Enter presses OK, the default button.
            QTest::keyClick(box(dialog, HttpServerBox), Qt::Key_Return);
        });
        QCOMPARE(result, int(IDOK));
        const QByteArray bytes = fileBytes(data.filePath(SettingsFileName));
        QCOMPARE(bytes, field("seller") + field("pa ss") + field("ftp.example.com:2121") +
                            field("/htdocs/") + field("http://www.example.com/inventory.htm"));
        QCOMPARE(fileMode(data.filePath(SettingsFileName)), 0600);
    }

    void longEntriesKeepTheirFirst199Characters_data()
    {
        QTest::addColumn<int>("typed");
        QTest::addColumn<int>("kept");
        QTest::newRow("199") << 199 << 199;
        QTest::newRow("200") << 200 << 199;
        QTest::newRow("250") << 250 << 199;
    }

    void longEntriesKeepTheirFirst199Characters()
    {
        QFETCH(int, typed);
        QFETCH(int, kept);
        TempDataDirectory data;
        QString entry;
        for (int i = 0; i < typed; ++i)
            entry += QChar(u'a' + i % 26);
        runDialog([&](QDialog* dialog) {
            box(dialog, UserNameBox)->setText(entry);
            static_cast<FTPSettings*>(dialog)->controlAs<QPushButton>(IDOK)->click();
        });
        const QByteArray bytes = fileBytes(data.filePath(SettingsFileName));
        QCOMPARE(fieldBytes(bytes, 0), field(entry.left(kept).toLatin1()));
        QCOMPARE(shownTexts().first(), entry.left(kept));
    }

    void shorterTextLeavesTheRestOfTheField()
    {
        TempDataDirectory data;
        QVERIFY(test::writeSettingsFile({{}, {}, {}, QStringLiteral("abcdef"), {}}));
        runDialog([](QDialog* dialog) {
            typeInto(dialog, UploadPathBox, QStringLiteral("ab"));
            static_cast<FTPSettings*>(dialog)->controlAs<QPushButton>(IDOK)->click();
        });
        const QByteArray stored = fieldBytes(fileBytes(data.filePath(SettingsFileName)), 3);
        QCOMPARE(stored.left(7), QByteArray("ab\0def\0", 7));
        QCOMPARE(shownTexts().at(3), QStringLiteral("ab"));
    }

    void passwordIsShownInClear()
    {
        TempDataDirectory data;
        QVERIFY(
            test::writeSettingsFile({QStringLiteral("me"), QStringLiteral("s3cret!"), {}, {}, {}}));
        runDialog([](QDialog* dialog) {
            QLineEdit* password = box(dialog, PasswordBox);
            QCOMPARE(password->text(), QStringLiteral("s3cret!"));
            QCOMPARE(password->echoMode(), QLineEdit::Normal);
            QCOMPARE(password->displayText(), QStringLiteral("s3cret!"));
            dialog->reject();
        });
    }

    void dismissingWritesNothing_data() { firstOpeningCreatesEmptyFieldsEvenWhenCancelled_data(); }

    void dismissingWritesNothing()
    {
        QFETCH(Dismissal, how);
        TempDataDirectory data;
        QVERIFY(test::writeSettingsFile({QStringLiteral("me"),
                                         QStringLiteral("pw"),
                                         QStringLiteral("ftp.example.com"),
                                         {},
                                         {}}));
        const QString path = data.filePath(SettingsFileName);
        const QByteArray before = fileBytes(path);
        const ino_t inode = fileInode(path);
        runDialog([&](QDialog* dialog) {
            typeInto(dialog, UserNameBox, QStringLiteral("other"));
            typeInto(dialog, FtpServerBox, QStringLiteral("elsewhere"));
            dismiss(dialog, how);
        });
        QCOMPARE(fileBytes(path), before);
        QCOMPARE(fileInode(path), inode);
    }

    void eachOpeningReadsTheFileAgain()
    {
        TempDataDirectory data;
        QVERIFY(test::writeSettingsFile({QStringLiteral("first"), {}, {}, {}, {}}));
        QCOMPARE(shownTexts().first(), QStringLiteral("first"));
        QVERIFY(test::writeSettingsFile({QStringLiteral("second"), QStringLiteral("pw"),
                                         QStringLiteral("host"), QStringLiteral("/p/"),
                                         QStringLiteral("http://h/inventory.htm")}));
        QCOMPARE(shownTexts(),
                 QStringList({"second", "pw", "host", "/p/", "http://h/inventory.htm"}));
    }

    void failedWriteIsToldAndTheDialogStaysOpen()
    {
        TempDataDirectory data;
        QVERIFY(test::writeSettingsFile({QStringLiteral("kept"), {}, {}, {}, {}}));
        const QString path = data.filePath(SettingsFileName);
        const QByteArray before = fileBytes(path);
        MessageBoxHook boxes;
        bool stillOpen = false;
        const int result = runDialog([&](QDialog* dialog) {
            typeInto(dialog, UserNameBox, QStringLiteral("lost?"));
            {
                test::ReadOnlyDirectory readOnly(data.path());
                QVERIFY(readOnly.ok());
                static_cast<FTPSettings*>(dialog)->controlAs<QPushButton>(IDOK)->click();
                stillOpen = dialog->isVisible();
            }
            QCOMPARE(box(dialog, UserNameBox)->text(), QStringLiteral("lost?"));
            dialog->reject();
        });
        QVERIFY(stillOpen);
        QCOMPARE(result, int(IDCANCEL));
        QCOMPARE(boxes.shown().size(), 1);
        QVERIFY2(boxes.shown().first().text.contains(QStringLiteral("FTPServer.ftp")),
                 qPrintable(boxes.shown().first().text));
        QCOMPARE(fileBytes(path), before);
    }

    void settingsFileThatCannotBeMadeIsTold()
    {
        TempDataDirectory data;
        MessageBoxHook boxes;
        test::ReadOnlyDirectory readOnly(data.path());
        QVERIFY(readOnly.ok());
        QStringList shown;
        runDialog([&](QDialog* dialog) {
            shown << box(dialog, UserNameBox)->text();
            dialog->reject();
        });
        QCOMPARE(shown, QStringList({QString()}));
        QCOMPARE(boxes.shown().size(), 1);
        QCOMPARE(boxes.shown().first().caption, QStringLiteral("Wareloom"));
        QVERIFY(!QFile::exists(data.filePath(SettingsFileName)));
    }

    void mainWindowCommandOpensTheDialog()
    {
        TempDataDirectory data;
        CWareloomDlg mainWindow;
        bool isSettingsDialog = false;
        auto opened = whenDialogOpens([&](QDialog* dialog) {
            isSettingsDialog = qobject_cast<FTPSettings*>(dialog) != nullptr;
            QCOMPARE(dialog->windowTitle(), QStringLiteral("Wareloom - FTP Settings"));
            dialog->reject();
        });
        QVERIFY(mainWindow.sendCommand(ID_HTML_FTPSETTINGS));
        QVERIFY(*opened);
        QVERIFY(isSettingsDialog);
    }
};

QTEST_MAIN(TestFtpSettings)
#include "tst_ftpsettings.moc"
