#include "DialogTestDriver.h"
#include "ReadOnlyDirectory.h"
#include "TempDataDirectory.h"
#include "TestFiles.h"
#include "TestFtpServer.h"
#include "gui/platform/MessageBox.h"
#include "gui/publish/FtpSettingsDialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <sys/stat.h>

using namespace wareloom;
using wareloom::test::readFile;

namespace {

const char* const Boxes[] = {"userName", "password", "ftpServer", "uploadPath", "httpServer"};

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

QLineEdit* box(QDialog& dialog, const char* name)
{
    return dialog.findChild<QLineEdit*>(QLatin1String(name));
}

QPushButton* button(QDialog& dialog, const char* name)
{
    return dialog.findChild<QPushButton*>(QLatin1String(name));
}

QStringList shownTexts()
{
    FtpSettingsDialog dialog;
    QStringList texts;
    for (const char* name : Boxes)
        texts << box(dialog, name)->displayText();
    return texts;
}

enum class Dismissal { CancelButton, Escape, CloseBox };

} // namespace

Q_DECLARE_METATYPE(Dismissal)

class TestFtpSettings : public QObject
{
    Q_OBJECT

    test::TempDataDirectory m_data;
    const QString m_path = m_data.filePath("FTPServer.ftp");

private Q_SLOTS:
    void init() { QFile::remove(m_path); }

    // Labels, hints and tab order as the settings have always had them.
    void looksAsItAlwaysHas()
    {
        FtpSettingsDialog dialog;
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Wareloom - FTP Settings"));
        QStringList labels;
        for (const char* name :
             {"userNameLabel", "passwordLabel", "ftpServerLabel", "uploadPathLabel",
              "httpServerLabel", "ftpServerHint", "uploadPathHint", "httpServerHint"})
            labels << dialog.findChild<QLabel*>(QLatin1String(name))->text();
        QCOMPARE(labels, QStringList({"Username:", "Password:", "FTP Server:", "Upload Path:",
                                      "HTTP Server:", "eg: ftp.example.com", "eg:  /htdocs/",
                                      "eg. http://www.example.com/inventory.htm"}));
        QCOMPARE(button(dialog, "okButton")->text(), QStringLiteral("OK"));
        QVERIFY(button(dialog, "okButton")->isDefault());
        QCOMPARE(button(dialog, "cancelButton")->text(), QStringLiteral("Cancel"));
        QCOMPARE(box(dialog, "password")->echoMode(), QLineEdit::Normal); // in clear
        QStringList order;
        for (QWidget* w = button(dialog, "okButton"); order.size() < 7; w = w->nextInFocusChain())
            if (w->focusPolicy() & Qt::TabFocus)
                order << w->objectName();
        QCOMPARE(order, QStringList({"okButton", "cancelButton", "userName", "password",
                                     "ftpServer", "uploadPath", "httpServer"}));
    }

    // The first opening makes the file with empty fields, even when dismissed.
    void dismissingWritesNothing_data()
    {
        QTest::addColumn<Dismissal>("how");
        QTest::addColumn<bool>("existing");
        for (auto [how, name] : {std::pair{Dismissal::CancelButton, "Cancel"},
                                 {Dismissal::Escape, "Esc"},
                                 {Dismissal::CloseBox, "close box"}})
            for (bool existing : {false, true})
                QTest::addRow("%s, %s", name, existing ? "file there" : "first opening")
                    << how << existing;
    }
    void dismissingWritesNothing()
    {
        QFETCH(Dismissal, how);
        QFETCH(bool, existing);
        if (existing)
            QVERIFY(test::writeSettingsFile({"me", "pw", "ftp.example.com", {}, {}}));
        const ino_t inode = fileStat(m_path).st_ino; // saving would make a new one
        MessageBoxHook boxes;
        FtpSettingsDialog dialog;
        QCOMPARE(box(dialog, "userName")->text(), existing ? "me" : "");
        auto opened = test::whenDialogOpens([&](QDialog* shown) {
            QTest::keyClicks(box(*shown, "ftpServer"), "elsewhere");
            if (how == Dismissal::CancelButton)
                QTest::mouseClick(button(*shown, "cancelButton"), Qt::LeftButton);
            else if (how == Dismissal::Escape)
                QTest::keyClick(shown, Qt::Key_Escape);
            else
                shown->close();
        });
        QCOMPARE(dialog.exec(), int(QDialog::Rejected));
        QVERIFY(*opened);
        QVERIFY(boxes.shown().isEmpty());
        if (existing) {
            QCOMPARE(readFile(m_path),
                     field("me") + field("pw") + field("ftp.example.com") + field({}) + field({}));
            QCOMPARE(fileStat(m_path).st_ino, inode);
        } else {
            QCOMPARE(readFile(m_path), QByteArray(1000, '\0'));
            QCOMPARE(fileStat(m_path).st_mode & 0777, 0600u);
        }
    }

    // Enter presses OK; each box keeps its first 199 characters, and a
    // shorter text leaves the rest of its field as it was.
    void okStoresEveryBoxInItsField()
    {
        QVERIFY(test::writeSettingsFile({{}, {}, {}, "abcdef", {}}));
        const QString long250 = QString(199, 'h') + QString(51, 'x');
        FtpSettingsDialog dialog;
        auto opened = test::whenDialogOpens([&](QDialog* shown) {
            const QStringList typed{"seller", "pa ss", "ftp.example.com:2121", "ab", long250};
            for (int i = 0; i < 5; ++i) {
                box(*shown, Boxes[i])->selectAll();
                QTest::keyClicks(box(*shown, Boxes[i]), typed[i]);
            }
            QTest::keyClick(box(*shown, "httpServer"), Qt::Key_Return);
        });
        QCOMPARE(dialog.exec(), int(QDialog::Accepted));
        QVERIFY(*opened);
        QCOMPARE(readFile(m_path),
                 field("seller") + field("pa ss") + field("ftp.example.com:2121") +
                     field(QByteArray("ab\0def", 6)) + field(QByteArray(199, 'h')));
        QCOMPARE(fileStat(m_path).st_mode & 0777, 0600u);
        QCOMPARE(shownTexts(),
                 QStringList({"seller", "pa ss", "ftp.example.com:2121", "ab", QString(199, 'h')}));
    }

    // Told, and the dialog stays with what was typed; the old file stays whole.
    void failedWriteIsTold()
    {
        QVERIFY(test::writeSettingsFile({"kept", {}, {}, {}, {}}));
        const QByteArray before = readFile(m_path);
        MessageBoxHook boxes;
        FtpSettingsDialog dialog;
        dialog.show();
        box(dialog, "userName")->setText("lost?");
        {
            test::ReadOnlyDirectory readOnly(m_data.path());
            QVERIFY(readOnly.ok());
            QTest::mouseClick(button(dialog, "okButton"), Qt::LeftButton);
        }
        QVERIFY(dialog.isVisible());
        QCOMPARE(box(dialog, "userName")->text(), QStringLiteral("lost?"));
        QCOMPARE(boxes.shown().size(), 1);
        QVERIFY2(boxes.shown()[0].text.contains("FTPServer.ftp"),
                 qPrintable(boxes.shown()[0].text));
        QCOMPARE(boxes.shown()[0].caption, QStringLiteral("Wareloom"));
        QCOMPARE(readFile(m_path), before);
    }

    void fileThatCannotBeMadeIsTold()
    {
        MessageBoxHook boxes;
        test::ReadOnlyDirectory readOnly(m_data.path());
        QVERIFY(readOnly.ok());
        QCOMPARE(shownTexts(), QStringList(5, QString()));
        QCOMPARE(boxes.shown().size(), 1);
        QCOMPARE(boxes.shown()[0].caption, QStringLiteral("Wareloom"));
        QVERIFY(!QFile::exists(m_path));
    }
};

QTEST_MAIN(TestFtpSettings)
#include "tst_ftpsettings.moc"
