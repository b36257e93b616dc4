#pragma once

// Drives the real main window for the editing tests: its list, its commands,
// the message boxes they show and the category files behind them.

#include "mainwnd/BrowserState.h"
#include "mainwnd/CWareloomDlg.h"
#include "platform/ListBox.h"
#include "platform/MessageBox.h"
#include "store/RecordTable.h"

#include "TempDataDirectory.h"

#include <QAction>
#include <QFile>
#include <QTest>

namespace wareloom::test {

constexpr int MainList = 1000;
constexpr int MainHeading = 1009;
constexpr int MainNumber = 1010;

// Every test starts as the program does: category view asked for, nothing open.
inline void resetBrowser()
{
    browserState() = BrowserState{};
    recordTable() = RecordTable{};
}

// One field of a record file as written: the text, then NULs up to its width.
inline QByteArray fieldBytes(const QByteArray& text, int width)
{
    return text.left(width) + QByteArray(qMax(0, width - int(text.size())), '\0');
}

// One 90-byte record: name (60), code (10), price (10), qty (10).
inline QByteArray recordBytes(const QByteArray& name, const QByteArray& price,
                              const QByteArray& qty, const QByteArray& code)
{
    return fieldBytes(name, 60) + fieldBytes(code, 10) + fieldBytes(price, 10) +
           fieldBytes(qty, 10);
}

inline QByteArray numberedRecords(int count)
{
    QByteArray bytes;
    for (int i = 1; i <= count; ++i)
        bytes +=
            recordBytes("Item " + QByteArray::number(i), "9.99", "1", "C" + QByteArray::number(i));
    return bytes;
}

inline QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A field's stored text: up to its first NUL or to the field's end.
inline QByteArray storedField(const QByteArray& record, int offset, int width)
{
    const QByteArray field = record.mid(offset, width);
    const qsizetype end = field.indexOf('\0');
    return end < 0 ? field : field.left(end);
}

inline QStringList listLines(const CWareloomDlg& dlg)
{
    QStringList lines;
    for (int i = 0; i < dlg.listCount(MainList); ++i)
        lines << dlg.listText(MainList, i);
    return lines;
}

// The line of the category view that lists the category.
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
    auto* list = dlg.controlAs<ListBox>(MainList);
    QVERIFY(list->item(row));
    list->scrollToItem(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(row)).center());
}

// Waits for the category view to list the category, then opens it as the
// user would and waits for its item view.
inline void openCategory(CWareloomDlg& dlg, const QString& category)
{
    QTRY_VERIFY(!browserState().refresh && browserState().categoryView &&
                categoryLineOf(dlg, category) >= 0);
    clickListLine(dlg, categoryLineOf(dlg, category));
    QTRY_VERIFY(!browserState().refresh && !browserState().categoryView);
    QCOMPARE(dlg.controlText(MainHeading), category);
}

// Types text into a box key by key; characters beyond ASCII
// come as key events carrying just their text.
inline void typeText(QWidget* box, const QString& text)
{
    for (const QChar c : text) {
        if (c.unicode() < 0x80)
            QTest::keyClick(box, c.toLatin1());
        else
            QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

// A data directory holding one category of numbered items, and the main
// window shown on it. Check written before relying on the file.
struct CategoryOnScreen
{
    CategoryOnScreen(const QString& category, int items)
        : path(data.filePath(category + QStringLiteral(".dat"))), bytes(numberedRecords(items)),
          written(data.writeFile(category + QStringLiteral(".dat"), bytes))
    {
        main.show();
    }

    TempDataDirectory data;
    QString path;     // the category's file
    QByteArray bytes; // what it was written with
    bool written;
    CWareloomDlg main;
};

// Gives a menu or toolbar command as the user would.
inline void giveCommand(CWareloomDlg& dlg, int commandId)
{
    QAction* action = dlg.commandAction(commandId);
    QVERIFY(action);
    action->trigger();
}

// A box saying text (any text when text is null) under the caption, with the
// buttons, owned by owner.
inline void checkBox(const ShownMessageBox& box, const QString& text, const QString& caption,
                     MessageButtons buttons, const QWidget* owner)
{
    if (text.isNull())
        QVERIFY(!box.text.isEmpty());
    else
        QCOMPARE(box.text, text);
    QCOMPARE(box.caption, caption);
    QCOMPARE(box.buttons, buttons);
    QCOMPARE(box.owner.data(), owner);
}

} // namespace wareloom::test
