#pragma once

// Drives the real main window on a data directory of the test's own.

#include "DialogTestDriver.h"
#include "TempDataDirectory.h"
#include "TestFiles.h"
#include "core/store/Inventory.h"
#include "gui/MainWindow.h"
#include "gui/platform/MessageBox.h"

#include <QAction>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QRegularExpression>
#include <QTest>

#include <algorithm>

namespace wareloom::test {

template <class T = QWidget> T* child(const QWidget& parent, const char* name)
{
    return parent.findChild<T*>(QLatin1String(name));
}

// Each box shown, as "caption: text".
inline QStringList texts(const MessageBoxHook& boxes)
{
    QStringList shown;
    for (const ShownMessageBox& box : boxes.shown())
        shown << box.caption + ": " + box.text;
    return shown;
}

// The main window shown on a data directory holding the given files.
struct WindowOnData
{
    explicit WindowOnData(const QList<QPair<QString, QByteArray>>& files = {})
        : written(std::all_of(files.begin(), files.end(),
                              [this](const auto& f) { return data.writeFile(f.first, f.second); })),
          inventory(data.store()), window(inventory)
    {
        window.show();
    }

    QListWidget* list() const { return window.findChild<QListWidget*>(QStringLiteral("list")); }
    QString label(const char* name) const { return child<QLabel>(window, name)->text(); }
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
        const int row = lines().indexOf(
            QRegularExpression("CATEGORY - " + QRegularExpression::escape(category) + " .*"));
        QVERIFY(row >= 0);
        clickLine(row);
        QTRY_COMPARE(label("heading"), category);
    }
    void trigger(const char* action)
    {
        QVERIFY(window.findChild<QAction*>(QLatin1String(action)));
        window.findChild<QAction*>(QLatin1String(action))->trigger();
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
    return QTest::qWaitFor(
        [&] { return *opened && !qobject_cast<T*>(QApplication::activeModalWidget()); }, 5000);
}

// Types over a box's text key by key; characters beyond ASCII come as key
// events carrying just their text.
inline void typeText(QLineEdit* line, const QString& text)
{
    QVERIFY(line);
    line->selectAll();
    QTest::keyClick(line, Qt::Key_Delete);
    for (qsizetype i = 0, length = 1; i < text.size(); i += length) {
        length = text[i].isHighSurrogate() ? 2 : 1; // one character, one key
        if (text[i].unicode() < 0x80)
            QTest::keyClick(line, text[i].toLatin1());
        else
            QTest::sendKeyEvent(QTest::Click, line, Qt::Key_unknown, text.mid(i, length), {});
    }
    QCOMPARE(line->text(), text);
}

// Drags the file over the widget's middle and drops it there, through its
// window as a file manager's drop arrives. True when the drop was taken.
inline bool dropFile(QWidget* target, const QString& path)
{
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    QWindow* window = target->window()->windowHandle();
    const QPointF at = target->mapTo(target->window(), target->rect().center());
    QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(window, &enter);
    if (!enter.isAccepted())
        return false;
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(window, &drop);
    return drop.isAccepted();
}

} // namespace wareloom::test
