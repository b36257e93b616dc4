#include "DialogTestDriver.h"
#include "ReadOnlyDirectory.h"
#include "TempDataDirectory.h"
#include "TestFiles.h"
#include "TestFtpServer.h"
#include "gui/platform/MessageBox.h"
#include "gui/publish/FtpSettingsDialog.h"

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

template <class T = QLineEdit> T* child(QDialog* dialog, const QString& name)
{
    return dialog->findChild<T*>(name);
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

    // Texts and tab order as always. Enter presses OK: each box keeps its
    // first 199 characters, a shorter text leaves the rest of its field as
    // it was, and the next opening shows what was stored. Cancel, Esc and
    // the close box store nothing; a first opening still leaves a file.
    void storesOnOkOnly_data()
    {
        QTest::addColumn<QString>("ending");
        QTest::addColumn<bool>("existing");
        for (const char* ending : {"Enter", "Cancel", "Esc", "close box"})
            for (bool existing : {false, true})
                QTest::addRow("%s, %s", ending, existing ? "file there" : "none")
                    << ending << existing;
    }
    void storesOnOkOnly()
    {
        QFETCH(QString, ending);
        QFETCH(bool, existing);
        if (existing)
            QVERIFY(test::writeSettingsFile({"me", {}, {}, "abcdef", {}}));
        MessageBoxHook boxes;
        FtpSettingsDialog dialog;
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Wareloom - FTP Settings"));
        QStringList texts;
        for (const char* name : {"userNameLabel", "passwordLabel", "ftpServerLabel",
                                 "uploadPathLabel", "httpServerLabel", "ftpServerHint",
                                 "uploadPathHint", "httpServerHint", "okButton", "cancelButton"})
            texts << child<QWidget>(&dialog, name)->property("text").toString();
        QCOMPARE(texts, QStringList({"Username:", "Password:", "FTP Server:", "Upload Path:",
                                     "HTTP Server:", "eg: ftp.example.com", "eg:  /htdocs/",
                                     "eg. http://www.example.com/inventory.htm", "OK", "Cancel"}));
        QStringList order;
        for (QWidget* w = child<QPushButton>(&dialog, "okButton"); order.size() < 7;
             w = w->nextInFocusChain())
            if (w->focusPolicy() & Qt::TabFocus)
                order << w->objectName();
        QCOMPARE(order, QStringList({"okButton", "cancelButton"}) + Boxes);
        QVERIFY(child<QPushButton>(&dialog, "okButton")->isDefault());
        QCOMPARE(child(&dialog, "password")->echoMode(), QLineEdit::Normal); // in clear
        QCOMPARE(child(&dialog, "userName")->text(), existing ? "me" : "");

        const QStringList typed{"seller", "pa ss", "ftp.example.com:2121", "ab", QString(250, 'h')};
        auto opened = test::whenDialogOpens([&](QDialog* shown) {
            for (int i = 0; i < 5; ++i) {
                child(shown, Boxes[i])->selectAll();
                QTest::keyClicks(child(shown, Boxes[i]), typed[i]);
            }
            if (ending == "Enter")
                QTest::keyClick(child(shown, "httpServer"), Qt::Key_Return);
            else if (ending == "Cancel")
                QTest::mouseClick(child<QPushButton>(shown, "cancelButton"), Qt::LeftButton);
            else if (ending == "Esc")
                QTest::keyClick(shown, Qt::Key_Escape);
            else
                shown->close();
        });
        QCOMPARE(dialog.exec() == QDialog::Accepted, ending == "Enter");
        QVERIFY(*opened && boxes.shown().isEmpty());
        const QByteArray path = existing ? QByteArray("ab\0def", 6) : QByteArray("ab");
        QCOMPARE(readFile(m_path),
                 ending == "Enter"
                     ? field("seller") + field("pa ss") + field("ftp.example.com:2121") +
                           field(path) + field(QByteArray(199, 'h'))
                 : existing ? field("me") + field({}) + field({}) + field("abcdef") + field({})
                            : QByteArray(1000, '\0'));
        FtpSettingsDialog again;
        QCOMPARE(child(&again, "httpServer")->text(), ending == "Enter" ? QString(199, 'h') : "");
    }

    // Told with the file's name; the dialog stays with what was typed and the
    // old file stays whole.
    void failedWriteIsTold()
    {
        QVERIFY(test::writeSettingsFile({"kept", {}, {}, {}, {}}));
        const QByteArray before = readFile(m_path);
        MessageBoxHook boxes;
        FtpSettingsDialog dialog;
        dialog.show();
        child(&dialog, "userName")->setText("lost?");
        test::ReadOnlyDirectory readOnly(m_data.path());
        QVERIFY(readOnly.ok());
        QTest::mouseClick(child<QPushButton>(&dialog, "okButton"), Qt::LeftButton);
        QVERIFY(dialog.isVisible());
        QCOMPARE(child(&dialog, "userName")->text(), QStringLiteral("lost?"));
        QCOMPARE(readFile(m_path), before);
        QCOMPARE(boxes.shown().size(), 1);
        QVERIFY2(boxes.shown()[0].text.contains("FTPServer.ftp"),
                 qPrintable(boxes.shown()[0].text));
        QCOMPARE(boxes.shown()[0].caption, QStringLiteral("Wareloom"));
    }
};

QTEST_MAIN(TestFtpSettings)
#include "tst_ftpsettings.moc"
