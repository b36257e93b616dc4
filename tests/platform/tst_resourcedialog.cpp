#include "gui/platform/ListBox.h"
#include "gui/platform/ResourceDialog.h"

#include "DialogTestDriver.h"

#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
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

} // namespace

class TestResourceDialog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Courier New is drawn as Liberation Mono, whose every letter is as wide as
    // the average one; each edge is units * base / 4 (x) or / 8 (y), rounded.
    void controlsPlacedInDialogUnits_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<QRect>("units");
        QTest::addColumn<QByteArray>("kind");
        QTest::addColumn<QString>("text"); // null: not checked
        QTest::newRow("default button")
            << int(IDOK) << QRect(40, 150, 86, 30) << QByteArray("QPushButton") << "Cancel";
        QTest::newRow("edit") << 1001 << QRect(59, 35, 295, 12) << QByteArray("QLineEdit") << "";
        QTest::newRow("save") << 1005 << QRect(229, 150, 85, 30) << QByteArray("QPushButton")
                              << "Save";
        QTest::newRow("bordered static")
            << 1008 << QRect(59, 15, 297, 11) << QByteArray("QLabel") << "Static";
        QTest::newRow("list") << 1000 << QRect(172, 54, 182, 85) << QByteArray("wareloom::ListBox")
                              << "";
        QTest::newRow("progress bar")
            << 1012 << QRect(7, 60, 100, 10) << QByteArray("QProgressBar") << QString();
    }
    void controlsPlacedInDialogUnits()
    {
        QFETCH(int, id);
        QFETCH(QRect, units);
        QFETCH(QByteArray, kind);
        QFETCH(QString, text);
        ProbeDialog dialog;
        dialog.show();
        QWidget* control = dialog.control(id);
        QVERIFY(control && control->inherits(kind));
        if (!text.isNull())
            QCOMPARE(dialog.controlText(id), text);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Probe"));
        QCOMPARE(QFontInfo(dialog.font()).family(), QStringLiteral("Liberation Mono"));
        QCOMPARE(QFontInfo(control->font()).family(), QStringLiteral("Liberation Mono"));
        QCOMPARE(dialog.font().pointSize(), 10);
        const QFontMetrics metrics(dialog.font());
        const int bx = dialog.dialogUnits().baseX;
        const int by = dialog.dialogUnits().baseY;
        QCOMPARE(bx, metrics.horizontalAdvance(QLatin1Char('m')));
        QCOMPARE(by, metrics.height());
        auto px = [](int u, int base, int div) { return int(std::lround(double(u) * base / div)); };
        const QRect expected(QPoint(px(units.x(), bx, 4), px(units.y(), by, 8)),
                             QPoint(px(units.x() + units.width(), bx, 4) - 1,
                                    px(units.y() + units.height(), by, 8) - 1));
        QCOMPARE(control->geometry(), expected);
        QCOMPARE(control->parentWidget(), dialog.clientArea());
        QCOMPARE(dialog.clientArea()->geometry(), QRect(0, 0, px(375, bx, 4), px(194, by, 8)));
        QCOMPARE(dialog.size(), dialog.clientArea()->size());
    }

    // Texts set by id; the template's order is the tab order.
    void controlsByIdInTemplateOrder()
    {
        ProbeDialog dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QVERIFY(dialog.controlAs<QPushButton>(IDOK)->isDefault());
        QVERIFY(!dialog.controlAs<QPushButton>(1005)->isDefault());
        QCOMPARE(dialog.control(IDC_STATIC), nullptr);
        QCOMPARE(dialog.control(4242), nullptr);
        QCOMPARE(dialog.controlText(4242), QString());
        dialog.setControlText(1008, QStringLiteral("Tools & Parts"));
        QCOMPARE(dialog.controlText(1008), QStringLiteral("Tools & Parts"));
        dialog.setControlText(1001, QStringLiteral("Mug"));
        QCOMPARE(dialog.controlText(1001), QStringLiteral("Mug"));
        dialog.control(IDOK)->setFocus();
        for (int next : {1001, 1005, 1000, int(IDOK)}) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), dialog.control(next));
        }
    }

    // The menu bar sits above the client area, set before or once the dialog shows.
    void commandTableDispatch_data()
    {
        QTest::addColumn<bool>("menuAfterShow");
        QTest::newRow("menu set before the dialog shows") << false;
        QTest::newRow("menu set once it shows") << true;
    }
    void commandTableDispatch()
    {
        QFETCH(bool, menuAfterShow);
        ProbeDialog dialog;
        if (!menuAfterShow)
            dialog.setMenu(probeMenu);
        dialog.show();
        if (menuAfterShow)
            dialog.setMenu(probeMenu);
        QMenuBar* bar = dialog.menu();
        QVERIFY(bar && bar->height() > 0);
        QCOMPARE(bar->actions().size(), 1);
        QCOMPARE(bar->actions().first()->text(), QStringLiteral("&Item"));
        QCOMPARE(bar->actions().first()->menu()->actions().first()->text(),
                 QStringLiteral("&Delete Item"));
        QCOMPARE(dialog.clientArea()->y(), bar->height());
        QCOMPARE(dialog.height(), bar->height() + dialog.clientArea()->height());

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

    void toolbarAboveTheControls()
    {
        ProbeDialog dialog;
        QImage strip(40, 20, QImage::Format_ARGB32);
        strip.fill(Qt::red);
        QVERIFY(!dialog.createToolBar({strip, {20, 20}, {32780, 1005, 32780}})); // strip too short
        QToolBar* bar = dialog.createToolBar({strip, {20, 20}, {32780, 1005}});
        QVERIFY(bar);
        dialog.show();
        QCOMPARE(bar->actions().size(), 2);
        QCOMPARE(bar->iconSize(), QSize(20, 20));
        QVERIFY(bar->height() >= 20);
        QCOMPARE(dialog.clientArea()->y(), bar->height());
        QCOMPARE(dialog.height(), bar->height() + dialog.clientArea()->height());
        bar->actions().at(1)->trigger();
        QCOMPARE(dialog.calls.last(), QStringLiteral("OnSave"));
        QCOMPARE(dialog.commandAction(32780), bar->actions().at(0));
    }

    // key 0: the close box.
    void keysEndOrPress_data()
    {
        QTest::addColumn<bool>("buttonless");
        QTest::addColumn<int>("focusFirst");
        QTest::addColumn<int>("focus");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("call");
        QTest::addColumn<int>("result"); // 0: still open
        const int enter = Qt::Key_Return;
        QTest::newRow("Enter in the edit") << false << 0 << 1001 << enter << "OnOK" << int(IDOK);
        QTest::newRow("Enter after Save had the focus")
            << false << 1005 << 1001 << enter << "OnOK" << int(IDOK);
        QTest::newRow("Enter on a focused button") << false << 0 << 1005 << enter << "OnSave" << 0;
        QTest::newRow("Enter without buttons")
            << true << 0 << 1000 << int(Qt::Key_Enter) << "OnOK" << int(IDOK);
        QTest::newRow("Esc") << false << 0 << 1001 << int(Qt::Key_Escape) << "OnCancel"
                             << int(IDCANCEL);
        QTest::newRow("close box") << false << 0 << 1001 << 0 << "OnCancel" << int(IDCANCEL);
    }
    void keysEndOrPress()
    {
        QFETCH(bool, buttonless);
        QFETCH(int, focusFirst);
        QFETCH(int, focus);
        QFETCH(int, key);
        QFETCH(QString, call);
        QFETCH(int, result);
        ProbeDialog dialog(buttonless ? buttonlessTemplate() : probeTemplate());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        for (int id : {focusFirst, focus}) {
            if (id) {
                dialog.control(id)->setFocus();
                QTRY_VERIFY(dialog.control(id)->hasFocus());
            }
        }
        if (focus == 1001)
            QTest::keyClicks(dialog.control(1001), QStringLiteral("Mug"));
        if (key)
            QTest::keyClick(dialog.control(focus), Qt::Key(key));
        else
            dialog.close();
        QCOMPARE(dialog.calls.last(), call);
        QCOMPARE(dialog.calls.filter(QRegularExpression("^On")).size(), 1);
        QCOMPARE(dialog.isVisible(), result == 0);
        if (result)
            QCOMPARE(dialog.result(), result);
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

    // Changes the program makes are not notified; a user's selection is, even
    // of the same line again, and it may open a dialog as an item line does.
    void listSelectionByUserIsNotified_data()
    {
        QTest::addColumn<bool>("modalOnSelect");
        QTest::newRow("plain") << false;
        QTest::newRow("opening a dialog") << true;
    }
    void listSelectionByUserIsNotified()
    {
        QFETCH(bool, modalOnSelect);
        ProbeDialog dialog;
        dialog.modalOnSelect = modalOnSelect;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        for (const char* line : {"one", "two", "three"})
            dialog.listAddString(1000, QString::fromLatin1(line));
        QCOMPARE(dialog.listCount(1000), 3);
        QCOMPARE(dialog.listText(1000, 2), QStringLiteral("three"));
        QCOMPARE(dialog.listText(1000, 3), QString());
        auto* list = dialog.controlAs<ListBox>(1000);
        list->setFocus();
        QTRY_VERIFY(list->hasFocus());
        QCOMPARE(dialog.listCurrentSelection(1000), -1);
        for (int row : {2, 2, 1}) {
            auto opened = modalOnSelect ? whenDialogOpens([](QDialog* inner) { inner->reject(); })
                                        : std::make_shared<bool>(false);
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                              list->visualItemRect(list->item(row)).center());
            QCOMPARE(*opened, modalOnSelect);
            QCOMPARE(dialog.calls.last(), QStringLiteral("sel %1").arg(row));
        }
        QCOMPARE(dialog.calls.filter("sel").size(), 3);
        if (!modalOnSelect) {
            QTest::keyClick(list, Qt::Key_Down);
            QCOMPARE(dialog.calls.last(), QStringLiteral("sel 2"));
            QTest::keyClick(list, Qt::Key_Down); // already at the end: nothing changes
        }
        dialog.listResetContent(1000);
        QCOMPARE(dialog.listCount(1000), 0);
        QCOMPARE(dialog.calls.filter("sel").size(), modalOnSelect ? 3 : 4);
    }
};

QTEST_MAIN(TestResourceDialog)
#include "tst_resourcedialog.moc"
