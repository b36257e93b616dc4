#pragma once

// Drives the real main window on a data directory of the test's own: its
// list, its actions, the dialogs they open and the files behind them.

#include "DialogTestDriver.h"
#include "TempDataDirectory.h"
#include "TestFiles.h"
#include "core/store/Inventory.h"
#include "gui/MainWindow.h"
#include "gui/platform/MessageBox.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>

namespace wareloom::test {

inline QByteArray numberedRecords(int count)
{
    QByteArray bytes;
    for (int i = 1; i <= count; ++i) {
        const QByteArray n = QByteArray::number(i);
        bytes += recordBytes("Item " + n, "C" + n, "9.99", "1");
    }
    return bytes;
}

// The main window shown on a data directory holding the given files.
struct WindowOnData
{
    using Files = QList<QPair<QString, QByteArray>>;

    explicit WindowOnData(const Files& files = {})
        : written(writeAll(files)), inventory(data.path()), window(inventory)
    {
        window.show();
    }

    bool writeAll(const Files& files)
    {
        bool ok = true;
        for (const auto& [name, bytes] : files)
            ok = data.writeFile(name, bytes) && ok;
        return ok;
    }

    QListWidget* list() const { return window.findChild<QListWidget*>(QStringLiteral("list")); }
    QString label(const char* name) const
    {
        return window.findChild<QLabel*>(QLatin1String(name))->text();
    }
    QStringList lines() const
    {
        QStringList texts;
        for (int i = 0; i < list()->count(); ++i)
            texts << list()->item(i)->text();
        return texts;
    }
    void clickLine(int row)
    {
        QListWidgetItem* item = list()->item(row);
        QVERIFY(item);
        list()->scrollToItem(item);
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {},
                          list()->visualItemRect(item).center());
    }
    // Clicks the category's line and waits for its item view.
    void openCategory(const QString& category)
    {
        const QStringList texts = lines();
        int row = 0;
        while (row < texts.size() &&
               !texts[row].startsWith(QStringLiteral("CATEGORY - ") + category + QLatin1Char(' ')))
            ++row;
        QVERIFY(row < texts.size());
        clickLine(row);
        QTRY_COMPARE(label("heading"), category);
    }
    void trigger(const char* action)
    {
        auto* a = window.findChild<QAction*>(QLatin1String(action));
        QVERIFY(a);
        a->trigger();
    }

    TempDataDirectory data;
    bool written;
    Inventory inventory;
    MainWindow window;
};

// Runs action in the T dialog that open() opens, at once or soon after. True
// when it opened and is closed again.
template <class T> bool onDialog(const std::function<void()>& open, std::function<void(T&)> action)
{
    auto opened = whenDialogOpens([action](QDialog* shown) {
        auto* dialog = qobject_cast<T*>(shown);
        QVERIFY(dialog);
        action(*dialog);
    });
    open();
    return QTest::qWaitFor([&] { return *opened && !topDialog<T>(); }, 5000);
}

template <class T = QWidget> T* child(const QWidget& parent, const char* name)
{
    T* found = parent.findChild<T*>(QLatin1String(name));
    if (!found)
        qWarning("no %s", name);
    return found;
}

// Types over a box's text key by key; characters beyond ASCII come as key
// events carrying just their text.
inline void typeText(QLineEdit* line, const QString& text)
{
    QVERIFY(line);
    line->selectAll();
    QTest::keyClick(line, Qt::Key_Delete);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.unicode() < 0x80) {
            QTest::keyClick(line, c.toLatin1());
            continue;
        }
        const qsizetype length = c.isHighSurrogate() ? 2 : 1; // one character, one key
        QTest::sendKeyEvent(QTest::Click, line, Qt::Key_unknown, text.mid(i, length),
                            Qt::NoModifier);
        i += length - 1;
    }
    QCOMPARE(line->text(), text);
}

} // namespace wareloom::test
