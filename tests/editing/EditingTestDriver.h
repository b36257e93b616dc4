#pragma once

// Drives the real main window: its list, its commands, the dialogs they open
// and the category files behind them.

#include "gui/mainwnd/BrowserState.h"
#include "gui/mainwnd/CWareloomDlg.h"
#include "gui/platform/ListBox.h"
#include "gui/platform/MessageBox.h"
#include "gui/res/CommandIds.h"
#include "gui/res/DialogControlIds.h"
#include "gui/res/MainDialogResource.h"
#include "core/store/RecordTable.h"

#include "DialogTestDriver.h"
#include "TempDataDirectory.h"
#include "TestFiles.h"

#include <QAction>
#include <QLineEdit>
#include <QTest>

namespace wareloom::test {

// Every test starts as the program does: category view asked for, nothing open.
inline void resetBrowser()
{
    browserState() = BrowserState{};
    recordTable() = RecordTable{};
}

// A field as stored: the text, a NUL when shorter, then filler standing for
// whatever the bytes held before.
inline QByteArray fieldBytes(const QByteArray& text, int width, char filler = '\0')
{
    QByteArray bytes = text.left(width);
    if (bytes.size() < width)
        bytes += '\0';
    return bytes.leftJustified(width, filler);
}

// A 90-byte record, fields in file order: name (60), code, price, qty (10 each).
inline QByteArray recordBytes(const QByteArray& name, const QByteArray& code,
                              const QByteArray& price, const QByteArray& qty, char filler = '\0')
{
    return fieldBytes(name, 60, filler) + fieldBytes(code, 10, filler) +
           fieldBytes(price, 10, filler) + fieldBytes(qty, 10, filler);
}

inline QByteArray numberedRecords(int count)
{
    QByteArray bytes;
    for (int i = 1; i <= count; ++i) {
        const QByteArray n = QByteArray::number(i);
        bytes += recordBytes("Item " + n, "C" + n, "9.99", "1");
    }
    return bytes;
}

inline QStringList listLines(const CWareloomDlg& dlg)
{
    QStringList lines;
    for (int i = 0; i < dlg.listCount(IDC_LIST); ++i)
        lines << dlg.listText(IDC_LIST, i);
    return lines;
}

// The category view's line of a category whose name is no other's prefix.
inline int categoryLineOf(const CWareloomDlg& dlg, const QString& category)
{
    const QStringList lines = listLines(dlg);
    for (int i = 0; i < lines.size(); ++i) {
        if (lines[i].startsWith(QStringLiteral("CATEGORY - ") + category + QLatin1Char(' ')))
            return i;
    }
    return -1;
}

inline void clickListLine(CWareloomDlg& dlg, int row)
{
    auto* list = dlg.controlAs<ListBox>(IDC_LIST);
    QVERIFY(list->item(row));
    list->scrollToItem(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(row)).center());
}

// Waits for the category view to list the category, clicks it and waits for
// its item view.
inline void openCategory(CWareloomDlg& dlg, const QString& category)
{
    QTRY_VERIFY(!browserState().refresh && browserState().categoryView &&
                categoryLineOf(dlg, category) >= 0);
    clickListLine(dlg, categoryLineOf(dlg, category));
    QTRY_VERIFY(!browserState().refresh && !browserState().categoryView);
    QCOMPARE(dlg.controlText(IDC_HEADING), category);
}

// Types over a box's text key by key; characters beyond ASCII come as key
// events carrying just their text.
inline void typeText(QWidget* box, const QString& text)
{
    auto* line = qobject_cast<QLineEdit*>(box);
    QVERIFY(line);
    line->selectAll();
    QTest::keyClick(line, Qt::Key_Delete);
    for (const QChar c : text) {
        if (c.unicode() < 0x80)
            QTest::keyClick(line, c.toLatin1());
        else
            QTest::sendKeyEvent(QTest::Click, line, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
    QCOMPARE(line->text(), text);
}

using Files = QList<QPair<QString, QByteArray>>;

inline bool writeFiles(const TempDataDirectory& data, const Files& files)
{
    bool written = true;
    for (const auto& [name, bytes] : files)
        written = data.writeFile(name, bytes) && written;
    return written;
}

// A data directory holding a category (and more files), and the main window
// shown on it. Check written before relying on the files.
struct CategoryOnScreen
{
    CategoryOnScreen(const QString& category, int items)
        : CategoryOnScreen(category, numberedRecords(items))
    {}
    CategoryOnScreen(const QString& category, const QByteArray& records, const Files& more = {})
        : path(data.filePath(category + QStringLiteral(".dat"))), bytes(records),
          written(writeFiles(data, Files{{category + QStringLiteral(".dat"), records}} + more))
    {
        main.show();
    }

    TempDataDirectory data;
    QString path;     // the category's file
    QByteArray bytes; // what it was written with
    bool written;
    CWareloomDlg main;
};

// Runs action in the T dialog that open() opens. True when it opened and is
// closed again.
template <class T> bool onDialog(const std::function<void()>& open, std::function<void(T&)> action)
{
    auto opened = whenDialogOpens([action](QDialog* shown) {
        auto* dialog = qobject_cast<T*>(shown);
        QVERIFY(dialog);
        action(*dialog);
    });
    open();
    return *opened && !topDialog<T>();
}

// Gives a menu or toolbar command as the user would.
inline void giveCommand(CWareloomDlg& dlg, int commandId)
{
    QAction* action = dlg.commandAction(commandId);
    QVERIFY(action);
    action->trigger();
}

template <class T>
bool onCommandDialog(CWareloomDlg& dlg, int commandId, std::function<void(T&)> action)
{
    return onDialog<T>([&] { giveCommand(dlg, commandId); }, std::move(action));
}

// A box saying text (any text when text is null) under the caption, with the
// buttons and no icon, owned by owner.
inline void checkBox(const ShownMessageBox& box, const QString& text, const QString& caption,
                     MessageButtons buttons, const QWidget* owner)
{
    if (text.isNull())
        QVERIFY(!box.text.isEmpty());
    else
        QCOMPARE(box.text.section("\n\n", 0, 0), text); // "FTP Error!" comes with its reason
    QCOMPARE(box.caption, caption);
    QCOMPARE(box.buttons, buttons);
    QCOMPARE(box.icon, MessageIcon::None);
    QCOMPARE(box.owner.data(), owner);
}

} // namespace wareloom::test
