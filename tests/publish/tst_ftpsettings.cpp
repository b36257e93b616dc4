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

using namespace wareloom;
using wareloom::test::readFile;

namespace {

const QStringList Boxes{"userName", "password", "ftpServer", "uploadPath", "httpServer"};

QByteArray field(const QByteArray& text)
{
    return text.leftJustified(200, '\0');
}

template <class T = QLineEdit> T* child(QDialog& dialog, const QString& name)
{
    return dialog.findChild<T*>(name);
}

QStringList shownTexts()
{
    FtpSettingsDialog dialog;
    QStringList texts;
    for (const QString& name : Boxes)
        texts << child(dialog, name)->displayText();
    return texts;
}

} // namespace

// The FTP Settings dialog, driven by objectName, against hand-written files.
class TestFtpSettings : public QObject
{
    Q_OBJECT

    test::TempDataDirectory m_data;
    const QString m_path = m_data.filePath("FTPServer.ftp");

private Q_SLOTS:
    void init() { QFile::remove(m_path); }

    // Its texts and tab order as always; Enter presses OK; each box keeps
    // its first 199 characters, and a shorter text leaves the rest of its
    // field as it was; the password shows in clear.
    void okStoresEveryBoxInItsField()
    {
        QVERIFY(test::writeSettingsFile({{}, {}, {}, "abcdef", {}}));
        FtpSettingsDialog dialog;
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Wareloom - FTP Settings"));
        QStringList texts;
        for (const char* name : {"userNameLabel", "passwordLabel", "ftpServerLabel",
                                 "uploadPathLabel", "httpServerLabel", "ftpServerHint",
                                 "uploadPathHint", "httpServerHint", "okButton", "cancelButton"})
            texts << child<QWidget>(dialog, name)->property("text").toString();
        QCOMPARE(texts, QStringList({"Username:", "Password:", "FTP Server:", "Upload Path:",
                                     "HTTP Server:", "eg: ftp.example.com", "eg:  /htdocs/",
                                     "eg. http://www.example.com/inventory.htm", "OK", "Cancel"}));
        QStringList order;
        for (QWidget* w = child<QPushButton>(dialog, "okButton"); order.size() < 7;
             w = w->nextInFocusChain())
            if (w->focusPolicy() & Qt::TabFocus)
                order << w->objectName();
        QCOMPARE(order, QStringList({"okButton", "cancelButton"}) + Boxes);
        QVERIFY(child<QPushButton>(dialog, "okButton")->isDefault());
        QCOMPARE(child(dialog, "password")->echoMode(), QLineEdit::Normal);

        const QStringList typed{"seller", "pa ss", "ftp.example.com:2121", "ab", QString(250, 'h')};
        auto opened = test::whenDialogOpens([&](QDialog* shown) {
            for (int i = 0; i < 5; ++i) {
                child(*shown, Boxes[i])->selectAll();
                QTest::keyClicks(child(*shown, Boxes[i]), typed[i]);
            }
            QTest::keyClick(child(*shown, "httpServer"), Qt::Key_Return);
        });
        QCOMPARE(dialog.exec(), int(QDialog::Accepted));
        QVERIFY(*opened);
        QCOMPARE(readFile(m_path),
                 field("seller") + field("pa ss") + field("ftp.example.com:2121") +
                     field(QByteArray("ab\0def", 6)) + field(QByteArray(199, 'h')));
        QCOMPARE(shownTexts(), QStringList(typed.mid(0, 4)) << QString(199, 'h'));
    }

    // Cancel, Esc and the close box store nothing; the first opening still
    // leaves a file of five empty fields.
    void dismissingStoresNothing_data()
    {
        QTest::addColumn<int>("how");
        QTest::addColumn<bool>("existing");
        for (int how = 0; how < 3; ++how)
            for (bool existing : {false, true})
                QTest::addRow("%s, %s", std::array{"Cancel", "Esc", "close box"}[how],
                              existing ? "file there" : "first opening")
                    << how << existing;
    }
    void dismissingStoresNothing()
    {
        QFETCH(int, how);
        QFETCH(bool, existing);
        if (existing)
            QVERIFY(test::writeSettingsFile({"me", "pw", "ftp.example.com", {}, {}}));
        MessageBoxHook boxes;
        FtpSettingsDialog dialog;
        QCOMPARE(child(dialog, "userName")->text(), existing ? "me" : "");
        auto opened = test::whenDialogOpens([&](QDialog* shown) {
            QTest::keyClicks(child(*shown, "ftpServer"), "elsewhere");
            if (how == 0)
                QTest::mouseClick(child<QPushButton>(*shown, "cancelButton"), Qt::LeftButton);
            else if (how == 1)
                QTest::keyClick(shown, Qt::Key_Escape);
            else
                shown->close();
        });
        QCOMPARE(dialog.exec(), int(QDialog::Rejected));
        QVERIFY(*opened && boxes.shown().isEmpty());
        QCOMPARE(readFile(m_path), existing ? field("me") + field("pw") + field("ftp.example.com") +
                                                  QByteArray(400, '\0')
                                            : QByteArray(1000, '\0'));
    }

    // Told with the file's name; the dialog stays with what was typed, the
    // old file whole. A file that cannot be made is told as well.
    void failedWriteIsTold()
    {
        QVERIFY(test::writeSettingsFile({"kept", {}, {}, {}, {}}));
        const QByteArray before = readFile(m_path);
        MessageBoxHook boxes;
        FtpSettingsDialog dialog;
        dialog.show();
        child(dialog, "userName")->setText("lost?");
        test::ReadOnlyDirectory readOnly(m_data.path());
        QVERIFY(readOnly.ok());
        QTest::mouseClick(child<QPushButton>(dialog, "okButton"), Qt::LeftButton);
        QVERIFY(dialog.isVisible());
        QCOMPARE(child(dialog, "userName")->text(), QStringLiteral("lost?"));
        QCOMPARE(readFile(m_path), before);
        QCOMPARE(boxes.shown().size(), 1);
        QVERIFY2(boxes.shown()[0].text.contains("FTPServer.ftp"),
                 qPrintable(boxes.shown()[0].text));
        QCOMPARE(boxes.shown()[0].caption, QStringLiteral("Wareloom"));
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
