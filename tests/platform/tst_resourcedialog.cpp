#include "platform/ListBox.h"
#include "platform/ResourceDialog.h"

#include "DialogTestDriver.h"

#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QToolBar>

using namespace wareloom;
using wareloom::test::whenDialogOpens;

namespace {

const DialogTemplate& probeTemplate()
{
    static const DialogTemplate dialog{
        "Probe",
        "Courier New",
        10,
        {375, 194},
        {
            defPushButton(IDOK, "Cancel", {40, 150, 86, 30}),
            label(IDC_STATIC, "Item:", {18, 36, 30, 12}),
            editText(1001, {59, 35, 295, 12}),
            pushButton(1005, "Save", {229, 150, 85, 30}),
            borderedStatic(1008, "Static", {59, 15, 297, 11}),
            listBox(1000, {172, 54, 182, 85}),
            progressBar(1012, {7, 60, 100, 10}),
        },
    };
    return dialog;
}

class ProbeDialog : public ResourceDialog
{
public:
    explicit ProbeDialog(const DialogTemplate& dialog = probeTemplate())
        : ResourceDialog(dialog, commandTable())
    {}

    QStringList calls;
    bool endDuringInit = false;
    bool modalOnSelect = false; // the selection opens a dialog, as an item line does

protected:
    void OnInitDialog() override
    {
        calls << QStringLiteral("init visible=%1").arg(isVisible());
        ResourceDialog::OnInitDialog();
        if (endDuringInit)
            EndDialog(IDCANCEL);
    }
    void DoDataExchange() override { calls << "DoDataExchange"; }
    void OnOK() override
    {
        calls << "OnOK";
        ResourceDialog::OnOK();
    }
    void OnCancel() override
    {
        calls << "OnCancel";
        ResourceDialog::OnCancel();
    }

private:
    void OnSave() { calls << "OnSave"; }
    void OnDeleteItem() { calls << "OnDeleteItem"; }
    void OnSelchangeList()
    {
        calls << QStringLiteral("sel %1").arg(listCurrentSelection(1000));
        if (modalOnSelect) {
            ResourceDialog inner(probeTemplate());
            inner.DoModal();
        }
    }

    static std::span<const Command> commandTable()
    {
        static const Command table[] = {
            onCommand(1005, &ProbeDialog::OnSave),
            onCommand(32780, &ProbeDialog::OnDeleteItem),
            onSelectionChange(1000, &ProbeDialog::OnSelchangeList),
        };
        return table;
    }
};

const DialogTemplate& buttonlessTemplate()
{
    static const DialogTemplate dialog{
        "List only", "Courier New", 14, {100, 80}, {listBox(1000, {7, 16, 86, 60})}};
    return dialog;
}

const MenuTemplate probeMenu{{"&Item", {{"&Delete Item", 32780}}}};

void pressKey(QWidget* widget, Qt::Key key)
{
    QTest::keyClick(widget, key);
}

} // namespace

class TestResourceDialog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void courierNewIsLiberationMono()
    {
        ProbeDialog dialog;
        QCOMPARE(QFontInfo(dialog.font()).family(), QStringLiteral("Liberation Mono"));
        QCOMPARE(QFontInfo(dialog.control(1001)->font()).family(),
                 QStringLiteral("Liberation Mono"));
        QCOMPARE(dialog.font().pointSize(), 10);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Probe"));
    }

    void baseUnitsOfAFixedPitchFont()
    {
        // In a fixed-pitch font every letter is as wide as the average letter.
        ProbeDialog dialog;
        const QFontMetrics metrics(dialog.font());
        QCOMPARE(dialog.dialogUnits().baseX, metrics.horizontalAdvance(QLatin1Char('m')));
        QCOMPARE(dialog.dialogUnits().baseY, metrics.height());
    }

    void controlsPlacedInDialogUnits_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<QRect>("units");
        QTest::newRow("default button") << int(IDOK) << QRect(40, 150, 86, 30);
        QTest::newRow("edit") << 1001 << QRect(59, 35, 295, 12);
        QTest::newRow("save") << 1005 << QRect(229, 150, 85, 30);
        QTest::newRow("bordered static") << 1008 << QRect(59, 15, 297, 11);
        QTest::newRow("list") << 1000 << QRect(172, 54, 182, 85);
    }
    void controlsPlacedInDialogUnits()
    {
        QFETCH(int, id);
        QFETCH(QRect, units);
        ProbeDialog dialog;
        const int bx = dialog.dialogUnits().baseX;
        const int by = dialog.dialogUnits().baseY;
        // Each edge: units * base / 4 (x) or / 8 (y), rounded.
        auto px = [](int u, int base, int div) { return int(std::lround(double(u) * base / div)); };
        const QRect expected(QPoint(px(units.x(), bx, 4), px(units.y(), by, 8)),
                             QPoint(px(units.x() + units.width(), bx, 4) - 1,
                                    px(units.y() + units.height(), by, 8) - 1));
        QCOMPARE(dialog.control(id)->geometry(), expected);
        QCOMPARE(dialog.control(id)->parentWidget(), dialog.clientArea());
    }

    void clientAreaIsTheTemplateSize()
    {
        ProbeDialog dialog;
        dialog.show();
        const DialogUnits& u = dialog.dialogUnits();
        const QSize client(int(std::lround(375.0 * u.baseX / 4)),
                           int(std::lround(194.0 * u.baseY / 8)));
        QCOMPARE(dialog.clientArea()->size(), client);
        QCOMPARE(dialog.clientArea()->pos(), QPoint(0, 0));
        QCOMPARE(dialog.size(), client);
    }

    void controlsFoundById()
    {
        ProbeDialog dialog;
        QVERIFY(dialog.controlAs<QPushButton>(IDOK));
        QVERIFY(dialog.controlAs<QPushButton>(IDOK)->isDefault());
        QVERIFY(!dialog.controlAs<QPushButton>(1005)->isDefault());
        QVERIFY(dialog.controlAs<QLineEdit>(1001));
        QVERIFY(dialog.controlAs<QLabel>(1008));
        QVERIFY(dialog.controlAs<ListBox>(1000));
        QVERIFY(dialog.controlAs<QProgressBar>(1012));
        QCOMPARE(dialog.control(IDC_STATIC), nullptr);
        QCOMPARE(dialog.control(4242), nullptr);

        QCOMPARE(dialog.controlText(IDOK), QStringLiteral("Cancel"));
        QCOMPARE(dialog.controlText(1008), QStringLiteral("Static"));
        dialog.setControlText(1008, QStringLiteral("Tools & Parts"));
        QCOMPARE(dialog.controlText(1008), QStringLiteral("Tools & Parts"));
        dialog.setControlText(1001, QStringLiteral("Mug"));
        QCOMPARE(dialog.controlText(1001), QStringLiteral("Mug"));
        QCOMPARE(dialog.controlText(4242), QString());
    }

    void tabOrderIsTemplateOrder()
    {
        ProbeDialog dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        dialog.control(IDOK)->setFocus();
        for (int next : {1001, 1005, 1000, int(IDOK)}) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), dialog.control(next));
        }
    }

    void commandTableDispatch()
    {
        ProbeDialog dialog;
        dialog.setMenu(probeMenu);
        dialog.show();
        QTest::mouseClick(dialog.control(1005), Qt::LeftButton);
        QCOMPARE(dialog.calls.mid(2), QStringList{"OnSave"});
        dialog.commandAction(32780)->trigger();
        QCOMPARE(dialog.calls.last(), QStringLiteral("OnDeleteItem"));
        QVERIFY(dialog.isVisible());

        QVERIFY(!dialog.sendCommand(4242));
        QVERIFY(dialog.handlesCommand(1005));
        QVERIFY(dialog.handlesCommand(32780));
        QVERIFY(!dialog.handlesCommand(1000));
        QVERIFY(dialog.handlesCommand(1000, ResourceDialog::Notification::SelectionChange));

        QTest::mouseClick(dialog.control(IDOK), Qt::LeftButton);
        QCOMPARE(dialog.calls.last(), QStringLiteral("OnOK"));
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(IDOK));
    }

    void menuBarAboveTheClientArea_data()
    {
        QTest::addColumn<bool>("afterShow");
        QTest::newRow("set before the dialog shows") << false;
        QTest::newRow("set once it shows") << true;
    }
    void menuBarAboveTheClientArea()
    {
        QFETCH(bool, afterShow);
        ProbeDialog dialog;
        if (!afterShow)
            dialog.setMenu(probeMenu);
        dialog.show();
        if (afterShow)
            dialog.setMenu(probeMenu);
        QMenuBar* bar = dialog.menu();
        QVERIFY(bar);
        QCOMPARE(bar->actions().size(), 1);
        QCOMPARE(bar->actions().first()->text(), QStringLiteral("&Item"));
        QCOMPARE(bar->actions().first()->menu()->actions().first()->text(),
                 QStringLiteral("&Delete Item"));
        QVERIFY(bar->height() > 0);
        QCOMPARE(dialog.clientArea()->y(), bar->height());
        QCOMPARE(dialog.height(), bar->height() + dialog.clientArea()->height());
    }

    void toolbarAboveTheControls()
    {
        ProbeDialog dialog;
        QImage strip(40, 20, QImage::Format_ARGB32);
        strip.fill(Qt::red);
        QToolBar* bar = dialog.createToolBar({strip, {20, 20}, {32780, 1005, 32780}});
        QVERIFY(!bar); // three buttons do not fit in a strip of two images
        bar = dialog.createToolBar({strip, {20, 20}, {32780, 1005}});
        QVERIFY(bar);
        dialog.show();
        QCOMPARE(bar->actions().size(), 2);
        QCOMPARE(bar->iconSize(), QSize(20, 20));
        QCOMPARE(dialog.clientArea()->y(), bar->height());
        QCOMPARE(dialog.height(), bar->height() + dialog.clientArea()->height());
        QVERIFY(bar->height() >= 20);

        bar->actions().at(1)->trigger();
        QCOMPARE(dialog.calls.last(), QStringLiteral("OnSave"));
        QCOMPARE(dialog.commandAction(32780), bar->actions().at(0));
    }

    void enterPressesTheDefaultButton_data()
    {
        QTest::addColumn<bool>("visitSaveFirst");
        QTest::newRow("straight") << false;
        QTest::newRow("after the focus was on Save") << true;
    }
    void enterPressesTheDefaultButton()
    {
        QFETCH(bool, visitSaveFirst);
        ProbeDialog dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        if (visitSaveFirst) {
            dialog.control(1005)->setFocus();
            QTRY_VERIFY(dialog.control(1005)->hasFocus());
        }
        dialog.control(1001)->setFocus();
        QTRY_VERIFY(dialog.control(1001)->hasFocus());
        QTest::keyClicks(dialog.control(1001), QStringLiteral("Mug"));
        pressKey(dialog.control(1001), Qt::Key_Return);
        QVERIFY(!dialog.calls.contains("OnSave"));
        QCOMPARE(dialog.calls.last(), QStringLiteral("OnOK"));
        QCOMPARE(dialog.result(), int(IDOK));
        QVERIFY(!dialog.isVisible());
    }

    void enterOnAFocusedButtonPressesIt()
    {
        ProbeDialog dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        dialog.control(1005)->setFocus();
        QTRY_VERIFY(dialog.control(1005)->hasFocus());
        pressKey(dialog.control(1005), Qt::Key_Return);
        QCOMPARE(dialog.calls.last(), QStringLiteral("OnSave"));
        QVERIFY(dialog.isVisible());
    }

    void enterWithoutButtonsIsOK()
    {
        ProbeDialog dialog(buttonlessTemplate());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        pressKey(dialog.control(1000), Qt::Key_Enter);
        QCOMPARE(dialog.calls.last(), QStringLiteral("OnOK"));
        QCOMPARE(dialog.result(), int(IDOK));
    }

    void escapeAndCloseBoxCancel_data()
    {
        QTest::addColumn<bool>("closeBox");
        QTest::newRow("Esc") << false;
        QTest::newRow("close box") << true;
    }
    void escapeAndCloseBoxCancel()
    {
        QFETCH(bool, closeBox);
        ProbeDialog dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        if (closeBox)
            dialog.close();
        else
            pressKey(dialog.control(1001), Qt::Key_Escape);
        QCOMPARE(dialog.calls.last(), QStringLiteral("OnCancel"));
        QCOMPARE(dialog.result(), int(IDCANCEL));
        QVERIFY(!dialog.isVisible());
    }

    void initRunsOnceBeforeTheDialogShows()
    {
        ProbeDialog dialog;
        auto opened =
            whenDialogOpens([](QDialog* shown) { QTest::keyClick(shown, Qt::Key_Escape); });
        QCOMPARE(dialog.DoModal(), int(IDCANCEL));
        QVERIFY(*opened);
        QCOMPARE(dialog.calls, (QStringList{"init visible=0", "DoDataExchange", "OnCancel"}));
    }

    void endedDuringInitNeverRuns()
    {
        ProbeDialog dialog;
        dialog.endDuringInit = true;
        QCOMPARE(dialog.DoModal(), int(IDCANCEL));
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.calls.size(), 2);
    }

    void listChangesByTheProgramAreNotNotified()
    {
        ProbeDialog dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        for (const char* line : {"one", "two", "three"})
            dialog.listAddString(1000, QString::fromLatin1(line));
        QCOMPARE(dialog.listCount(1000), 3);
        QCOMPARE(dialog.listText(1000, 2), QStringLiteral("three"));
        QCOMPARE(dialog.listText(1000, 3), QString());
        QCOMPARE(dialog.listCurrentSelection(1000), -1);
        dialog.control(1000)->setFocus();
        QTRY_VERIFY(dialog.control(1000)->hasFocus());
        QCOMPARE(dialog.listCurrentSelection(1000), -1);
        dialog.listResetContent(1000);
        QCOMPARE(dialog.listCount(1000), 0);
        QVERIFY(!dialog.calls.join(' ').contains("sel"));
    }

    void aDialogRunFromAClickLeavesTheListWorking()
    {
        ProbeDialog dialog;
        dialog.modalOnSelect = true;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        for (const char* line : {"one", "two", "three"})
            dialog.listAddString(1000, QString::fromLatin1(line));
        auto* list = dialog.controlAs<ListBox>(1000);
        for (int row : {1, 2, 2, 0}) {
            auto opened = whenDialogOpens([](QDialog* inner) { inner->reject(); });
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                              list->visualItemRect(list->item(row)).center());
            QVERIFY(*opened);
            QCOMPARE(dialog.calls.last(), QStringLiteral("sel %1").arg(row));
        }
        QCOMPARE(dialog.calls.filter("sel").size(), 4);
    }

    void listSelectionByUserIsNotified()
    {
        ProbeDialog dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        for (const char* line : {"one", "two", "three"})
            dialog.listAddString(1000, QString::fromLatin1(line));
        auto* list = dialog.controlAs<ListBox>(1000);
        const QPoint second = list->visualItemRect(list->item(1)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, second);
        QCOMPARE(dialog.calls.last(), QStringLiteral("sel 1"));
        // The same line again asks again.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, second);
        QCOMPARE(dialog.calls.filter("sel").size(), 2);
        QTest::keyClick(list, Qt::Key_Down);
        QCOMPARE(dialog.calls.last(), QStringLiteral("sel 2"));
        QTest::keyClick(list, Qt::Key_Down); // already at the end: nothing changes
        QCOMPARE(dialog.calls.filter("sel").size(), 3);
    }
};

QTEST_MAIN(TestResourceDialog)
#include "tst_resourcedialog.moc"
