#include "WindowDriver.h"

#include "core/util/Translations.h"
#include "gui/dialogs/ItemDialog.h"

#include <QAbstractButton>
#include <QMenuBar>
#include <QMessageBox>
#include <QProcess>
#include <QSignalSpy>
#include <QStatusBar>
#include <QToolBar>

#include <fcntl.h>
#include <unistd.h>

using namespace wareloom;
using namespace wareloom::test;

class TestMainWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Counts come from the file sizes; the lines are padded with spaces for
    // the fixed-pitch font.
    void categoryAndItemLines()
    {
        WindowOnData shown({{"Books.dat", QByteArray(12 * 90, 'b')},
                            {"Empty.dat", QByteArray()},
                            {"Part.DAT", QByteArray(185, 'p')},
                            {"Kitchen.dat", recordBytes("Mug", "M1", "4.50", "3")},
                            {"inventory.htm", "x"}});
        QVERIFY(shown.written);
        QStringList lines = shown.lines();
        lines.sort();
        QCOMPARE(lines, QStringList({"CATEGORY - Books" + QString(64, ' ') + "  12",
                                     "CATEGORY - Empty" + QString(64, ' ') + "   0",
                                     "CATEGORY - Kitchen" + QString(62, ' ') + "   1",
                                     "CATEGORY - Part" + QString(65, ' ') + "   2"}));
        QCOMPARE(shown.label("number"), QStringLiteral("15"));

        shown.openCategory(QStringLiteral("Kitchen"));
        QCOMPARE(shown.lines(),
                 QStringList({"<-Back", "Mug" + QString(58, ' ') + "  " + QString(9, ' ') + "3 " +
                                            QString(6, ' ') + "4.50 " + QString(8, ' ') + "M1"}));
        QCOMPARE(shown.label("number"), QStringLiteral("1"));
    }

    // The line opens its own file whatever the name, and back returns.
    void selectingACategoryAndGoingBack_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::newRow("75 characters") << QString(75, 'L') + ".dat";
        QTest::newRow("ending in spaces") << "Shoes   .dat";
        QTest::newRow("upper-case extension") << "Tools.DAT";
    }
    void selectingACategoryAndGoingBack()
    {
        QFETCH(QString, fileName);
        WindowOnData shown({{fileName, recordBytes("Only")}, {"Other.dat", QByteArray()}});
        shown.openCategory(fileName.chopped(4));
        QCOMPARE(shown.lines().size(), 2);
        QVERIFY(shown.lines().at(1).startsWith(QStringLiteral("Only ")));
        shown.clickLine(0);
        QTRY_COMPARE(shown.label("heading"), QStringLiteral("Category List"));
        QCOMPARE(shown.lines().size(), 2);
    }

    // From the keyboard, just after each rebuild, Home opens the only category
    // and End the last item; a click opens the Edit dialog on its record, even
    // one named like the back entry.
    void itemLinesOpenTheEditDialog()
    {
        WindowOnData shown({{"Bags.dat", recordBytes("<-Backpack", "B1") + recordBytes("Item 2") +
                                             recordBytes("Item 3") + recordBytes("Item 4")}});
        QTest::keyClick(shown.list(), Qt::Key_Home);
        QTRY_COMPARE(shown.label("heading"), QStringLiteral("Bags"));
        auto opens = [&](const std::function<void()>& select, const QString& name) {
            return onDialog<ItemDialog>(select, [&](ItemDialog& dialog) {
                QCOMPARE(dialog.windowTitle(), QStringLiteral("Wareloom - Edit"));
                QCOMPARE(child<QLineEdit>(dialog, "name")->text(), name);
                dialog.reject();
            });
        };
        QVERIFY(opens([&] { QTest::keyClick(shown.list(), Qt::Key_End); }, "Item 4"));
        QVERIFY(opens([&] { shown.clickLine(1); }, "<-Backpack"));
        QCOMPARE(shown.label("heading"), QStringLiteral("Bags"));
    }

    // What another program writes shows within a second, in either view.
    void changesByAnotherProgramShow()
    {
        WindowOnData shown({{"Tools.dat", recordBytes("Saw")}});
        auto append = [&](const char* file) {
            const QString path = shown.data.filePath(QLatin1String(file));
            QCOMPARE(QProcess::execute("/bin/sh", {"-c", "printf '%090d' 0 >> \"$0\"", path}), 0);
        };
        append("Garden.dat");
        QTRY_COMPARE_WITH_TIMEOUT(shown.lines().size(), 2, 1000);
        QTRY_COMPARE_WITH_TIMEOUT(shown.label("number"), QStringLiteral("2"), 1000);
        // A file name that is not UTF-8 cannot be opened by name: it is named instead.
        const QByteArray latin1 = QFile::encodeName(shown.data.path()) + "/Caf\xE9.dat";
        QCOMPARE(::close(::creat(latin1.constData(), 0644)), 0);
        QTRY_VERIFY_WITH_TIMEOUT(
            shown.window.statusBar()->currentMessage().contains("Caf\\xE9.dat"), 1000);
        QCOMPARE(shown.lines().size(), 2);
        shown.openCategory(QStringLiteral("Tools"));
        append("Tools.dat");
        QTRY_COMPARE_WITH_TIMEOUT(shown.lines().size(), 3, 1000);
    }

    // Typing narrows the items; in the category view it finds them everywhere.
    void findingItems()
    {
        WindowOnData shown(
            {{"Kitchen.dat", recordBytes("Cr\xE8me jug", "J1") + recordBytes("Mug", "M1")},
             {"Garden.dat", recordBytes("Rake", "CREME-2")}});
        shown.window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&shown.window));
        QTest::keySequence(&shown.window, QKeySequence::Find);
        auto* filter = child<QLineEdit>(shown.window, "filter");
        QCOMPARE(QApplication::focusWidget(), filter);
        QTest::keyClicks(filter, "creme");
        QStringList found = shown.lines();
        found.sort();
        QCOMPARE(found.size(), 2);
        QVERIFY(found[0].startsWith("Cr\u00E8me jug") && found[0].endsWith("  Kitchen"));
        QVERIFY(found[1].startsWith("Rake") && found[1].endsWith("  Garden"));
        const int row = shown.lines().indexOf(found[1]);
        auto check = [&](ItemDialog& dialog) {
            QCOMPARE(child<QLineEdit>(dialog, "code")->text(), QStringLiteral("CREME-2"));
            dialog.reject();
        };
        QVERIFY(onDialog<ItemDialog>([&] { shown.clickLine(row); }, check));
        QCOMPARE(shown.label("heading"), QStringLiteral("Garden"));
        QVERIFY(filter->text().isEmpty());

        shown.clickLine(0);
        QTRY_COMPARE(shown.label("heading"), QStringLiteral("Category List"));
        shown.openCategory(QStringLiteral("Kitchen"));
        QTest::keyClicks(filter, "m1");
        QCOMPARE(shown.lines().size(), 2);
        QVERIFY(shown.lines()[1].startsWith("Mug "));
    }

    // The keys go to the list at start and after every dialog; in the find box Enter
    // opens the first item found, Down goes to the list, Esc empties it (twice: ends).
    void keyboard_data()
    {
        // Keys, commands or text; the item or dialog opened; the focus at the end (none: ended).
        QTest::addColumn<QStringList>("row");
        QTest::newRow("Down at start") << QStringList{"Down Down", "Mug", "list"};
        QTest::newRow("Enter in the box") << QStringList{"Ctrl+F jug Enter", "Jug", "list"};
        QTest::newRow("Enter, nothing found") << QStringList{"Ctrl+F zz Enter", "", "filter"};
        QTest::newRow("Down from the box") << QStringList{"Ctrl+F m Down", "", "list"};
        QTest::newRow("Esc") << QStringList{"Ctrl+F m Esc", "", "filter"};
        QTest::newRow("Esc, Esc") << QStringList{"Ctrl+F m Esc Esc", "", ""};
        QTest::newRow("after New Category")
            << QStringList{"Ctrl+F actionNewCategory", "wareloom::CategoryDialog", "list"};
    }
    void keyboard()
    {
        QFETCH(QStringList, row);
        const QString &steps = row[0], &opened = row[1], &focus = row[2];
        WindowOnData shown({{"Kitchen.dat", recordBytes("Mug", "M1") + recordBytes("Jug")}});
        shown.window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&shown.window));
        QCOMPARE(QApplication::focusWidget(), shown.list());
        QSignalSpy finished(&shown.window, &MainWindow::finished);
        QString seen;
        std::shared_ptr<bool> dialogs;
        if (!opened.isEmpty()) { // a watch for a dialog would outlive a row without one
            dialogs = whenDialogOpens([&](QDialog* dialog) {
                auto* item = qobject_cast<ItemDialog*>(dialog);
                seen = item ? child<QLineEdit>(*item, "name")->text()
                            : dialog->metaObject()->className();
                dialog->reject();
            });
        }
        const QMap<QString, int> keys{
            {"Down", Qt::Key_Down}, {"Enter", Qt::Key_Return}, {"Esc", Qt::Key_Escape}};
        for (const QString& step : steps.split(' ')) {
            if (step == "Ctrl+F")
                QTest::keySequence(&shown.window, QKeySequence::Find);
            else if (keys.contains(step))
                QTest::keyClick(shown.window.focusWidget(), Qt::Key(keys[step]));
            else if (step.startsWith("action"))
                shown.trigger(step.toLatin1());
            else
                QTest::keyClicks(shown.window.focusWidget(), step);
            QCoreApplication::processEvents(); // what a key started, as between keystrokes
        }
        QTRY_COMPARE(seen, opened);
        QTRY_VERIFY(!QApplication::activeModalWidget());
        QCOMPARE(finished.size(), focus.isEmpty() ? 1 : 0);
        if (!focus.isEmpty())
            QTRY_COMPARE(shown.window.focusWidget()->objectName(), focus);
    }

    void moreThan999ItemsAreRefused()
    {
        WindowOnData shown({{"Huge.dat", QByteArray(1000 * 90, 'h')}});
        MessageBoxHook boxes;
        shown.openCategory(QStringLiteral("Huge"));
        QCOMPARE(shown.lines(), QStringList{"<-Back"});
        QCOMPARE(boxes.shown().size(), 1);
        QVERIFY(boxes.shown()[0].text.contains(QStringLiteral("999")));
    }

    // Every way of ending ends the program, but No to the Quit question; held
    // by an automation client, ending only hides.
    void ending_data()
    {
        QTest::addColumn<int>("key");              // 0: the close box, -1: Quit Program
        QTest::addColumn<MessageAnswer>("answer"); // to the Quit question
        QTest::addColumn<bool>("held");
        QTest::newRow("Quit, No") << -1 << MessageAnswer::No << false;
        QTest::newRow("Quit, Yes") << -1 << MessageAnswer::Yes << false;
        QTest::newRow("Enter") << int(Qt::Key_Return) << MessageAnswer::Yes << false;
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << MessageAnswer::Yes << false;
        QTest::newRow("Esc") << int(Qt::Key_Escape) << MessageAnswer::Yes << false;
        QTest::newRow("close box") << 0 << MessageAnswer::Yes << false;
        QTest::newRow("held, Esc") << int(Qt::Key_Escape) << MessageAnswer::Yes << true;
    }
    void ending()
    {
        QFETCH(int, key);
        QFETCH(MessageAnswer, answer);
        QFETCH(bool, held);
        WindowOnData shown;
        shown.window.setHeldByAutomation(held);
        QSignalSpy finished(&shown.window, &MainWindow::finished);
        MessageBoxHook boxes;
        boxes.queueAnswer(answer);
        if (key == -1)
            shown.trigger("actionQuitProgram");
        else if (key == 0)
            shown.window.close();
        else
            QTest::keyClick(shown.list(), Qt::Key(key));
        QCOMPARE(finished.size(), held || answer == MessageAnswer::No ? 0 : 1);
        QCOMPARE(texts(boxes), key == -1 ? QStringList{"Quit Program: Quit program.  Are you sure?"}
                                         : QStringList{});
        QCOMPARE(shown.window.isHidden(), held || answer != MessageAnswer::No);
    }

    // A first start on an empty data directory: texts, menus and toolbar; the
    // list follows the window's size; Item Add needs an open category.
    void firstStartOnAnEmptyDataDirectory()
    {
        WindowOnData shown;
        QCOMPARE(shown.window.windowTitle(), QStringLiteral("Wareloom"));
        QCOMPARE(shown.label("heading"), QStringLiteral("Category List"));
        QCOMPARE(shown.label("number"), QStringLiteral("0"));
        QVERIFY(shown.lines().isEmpty());
        shown.window.resize(1400, 900);
        QTRY_VERIFY(shown.list()->width() > 1300 && shown.list()->height() > 650);
        MessageBoxHook boxes;
        shown.trigger("actionItemAdd");
        QCOMPARE(texts(boxes), QStringList{"Wareloom: Error You have to select a category first!"});
        QCOMPARE(boxes.shown()[0].owner.data(), &shown.window);
        QStringList menus;
        for (QAction* menu : shown.window.menuBar()->actions()) {
            QStringList entries;
            for (QAction* entry : menu->menu()->actions())
                entries << entry->text();
            menus << menu->text() + ": " + entries.join(", ");
        }
        QCOMPARE(
            menus,
            QStringList({"&File: &Quit Program", "&Items: &Item Add, &Undo, &Redo",
                         "&Category: &New Category, &Delete Category, &Export to CSV..., "
                         "&Import from CSV..., &History...",
                         "&HTML: &FTP Settings, &FTP Upload, Upload &All Pages, &WebSite, W&ebSite "
                         "Banner Upload, &Check Website, Website &Settings...",
                         "&Help: &About"}));
        QStringList buttons;
        for (QAction* button : child<QToolBar>(shown.window, "toolBar")->actions())
            buttons << button->objectName();
        QCOMPARE(buttons, QStringList({"actionItemAdd", "actionFtpUpload", "actionWebSite"}));
    }

    // A CSV file dropped on the window offers to import it; no other file is taken.
    void droppedCsvOffersImport_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("offered");
        QTest::addColumn<MessageAnswer>("answer");
        QTest::addColumn<int>("imported"); // items in the category named after the file
        QTest::newRow("yes") << "tools.csv" << true << MessageAnswer::Yes << 2;
        QTest::newRow("no") << "Tools.CSV" << true << MessageAnswer::No << 0;
        QTest::newRow("not a CSV file") << "tools.txt" << false << MessageAnswer::Yes << 0;
    }
    void droppedCsvOffersImport()
    {
        QFETCH(QString, file);
        QFETCH(bool, offered);
        QFETCH(MessageAnswer, answer);
        QFETCH(int, imported);
        WindowOnData shown({{"Garden.dat", QByteArray()}});
        const QString path = shown.data.filePath(file);
        QVERIFY(writeFile(path, "Name;Price;Qty;Code\nRake;9;2;R1\nHoe;7;1;H1\n"));
        MessageBoxHook boxes;
        boxes.queueAnswer(answer);
        QCOMPARE(dropFile(shown.list(), path), offered);
        const QString category = QFileInfo(file).completeBaseName();
        const QStringList asked{"Import from CSV: Import the rows of " + file +
                                " into the category " + category + "?"};
        QTRY_COMPARE(texts(boxes).mid(0, 1), offered ? asked : QStringList());
        QTRY_COMPARE(shown.lines().size(), imported ? 2 : 1);
        QCOMPARE(QFileInfo(shown.data.filePath(category + ".dat")).size(), imported * 90);
    }

    // The window comes back where it was and as large, showing the category it
    // showed; a place on a monitor that has gone is moved onto the screen.
    void rememberedAfterARestart_data()
    {
        QTest::addColumn<QPoint>("place");
        QTest::addColumn<bool>("toolsOpen");
        QTest::newRow("on the screen, Tools open") << QPoint(40, 30) << true;
        QTest::newRow("on a monitor gone, the category list") << QPoint(5000, 3000) << false;
    }
    void rememberedAfterARestart()
    {
        QFETCH(QPoint, place);
        QFETCH(bool, toolsOpen);
        const QSize size(520, 310);
        TempDataDirectory data;
        QVERIFY(data.writeFile("Garden.dat", {}) && data.writeFile("Tools.dat", recordBytes("R")));
        {
            Inventory inventory(data.store());
            MainWindow before(inventory);
            before.show();
            before.setGeometry(QRect(place, size));
            if (toolsOpen) {
                auto* list = child<QListWidget>(before, "list");
                list->setCurrentItem(list->findItems("CATEGORY - Tools", Qt::MatchStartsWith)[0]);
                QTRY_COMPARE(child<QLabel>(before, "heading")->text(), "Tools");
            }
            before.close();
        }
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        Inventory inventory(data.store());
        MainWindow after(inventory);
        after.show();
        QCOMPARE(after.size(), size);
        if (screen.contains(QRect(place, size)))
            QCOMPARE(after.geometry().topLeft(), place);
        QVERIFY(screen.contains(after.geometry().topLeft()));
        QCOMPARE(child<QLabel>(after, "heading")->text(), toolsOpen ? "Tools" : "Category List");
    }

    // The menus in the locale's language, where one letter never stands for
    // two entries of a menu, with Qt's own buttons in the same language; the
    // English texts where there is no translation.
    void menusInTheUsersLanguage_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QStringList>("menus");
        QTest::addColumn<QString>("firstEntries");
        QTest::addColumn<QString>("yes");
        const QStringList english{"&File", "&Items", "&Category", "&HTML", "&Help"};
        const QString englishEntries = "&Quit Program|&Item Add|&New Category|&FTP Settings|&About";
        const QStringList french{"&Fichier", "A&rticles", "&Catégorie", "&HTML", "&Aide"};
        const QString frenchEntries = "&Quitter le programme|&Ajouter un article|&Nouvelle "
                                      "catégorie|Paramètres &FTP|À &propos de Wareloom";
        QTest::newRow("German") << "de_DE"
                                << QStringList{"&Datei", "&Artikel", "&Kategorie", "H&TML",
                                               "&Hilfe"}
                                << "Programm &beenden|Artikel &hinzufügen|&Neue Kategorie|"
                                   "&FTP-Einstellungen|Ü&ber Wareloom"
                                << "&Ja";
        QTest::newRow("French") << "fr_FR" << french << frenchEntries << "&Oui";
        QTest::newRow("Canadian French") << "fr_CA" << french << frenchEntries << "&Oui";
        QTest::newRow("C") << "C" << english << englishEntries << "&Yes";
        QTest::newRow("English") << "en_GB" << english << englishEntries << "&Yes";
        QTest::newRow("not translated") << "es_ES" << english << englishEntries << "&Yes";
    }
    void menusInTheUsersLanguage()
    {
        QFETCH(QString, locale);
        QFETCH(QStringList, menus);
        QFETCH(QString, firstEntries);
        QFETCH(QString, yes);
        const Translations translations{QLocale(locale)};
        WindowOnData shown;
        // The English texts stay as they always were, letters shared.
        const bool translated = yes != "&Yes";
        const auto checkKeys = [translated](const QList<QAction*>& actions) {
            QStringList keys;
            for (const QAction* action : actions) {
                const QString key = QKeySequence::mnemonic(action->text()).toString();
                QVERIFY2(!translated || (!key.isEmpty() && !keys.contains(key)),
                         qPrintable(action->text()));
                keys << key;
            }
        };
        QStringList titles, firsts;
        checkKeys(shown.window.menuBar()->actions());
        for (const QAction* menu : shown.window.menuBar()->actions()) {
            titles << menu->text();
            firsts << menu->menu()->actions().constFirst()->text();
            checkKeys(menu->menu()->actions());
        }
        QCOMPARE(titles, menus);
        QCOMPARE(firsts.join('|'), firstEntries);
        QMessageBox box(QMessageBox::Question, "", "", QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(box.button(QMessageBox::Yes)->text(), yes);
    }

    // The real box: its texts and buttons, and which answer each key gives.
    void realMessageBox_data()
    {
        QTest::addColumn<int>("buttons");
        QTest::addColumn<int>("key");
        QTest::addColumn<MessageAnswer>("expected");
        const int yesNo = int(MessageButtons::YesNo), enter = int(Qt::Key_Return);
        QTest::newRow("yes/no, Enter") << yesNo << enter << MessageAnswer::Yes;
        QTest::newRow("yes/no, Esc") << yesNo << int(Qt::Key_Escape) << MessageAnswer::No;
        QTest::newRow("No the default, Enter")
            << int(MessageButtons::YesNoDefaultNo) << enter << MessageAnswer::No;
        QTest::newRow("ok, Enter") << int(MessageButtons::Ok) << enter << MessageAnswer::Ok;
    }
    void realMessageBox()
    {
        QFETCH(int, buttons);
        QFETCH(int, key);
        QFETCH(MessageAnswer, expected);
        auto opened = whenDialogOpens([&](QDialog* dialog) {
            auto* box = qobject_cast<QMessageBox*>(dialog);
            QVERIFY(box);
            QCOMPARE(box->text() + '|' + box->windowTitle(), "Quit program.  Are you sure?|Quit");
            QCOMPARE(box->standardButtons(), buttons == int(MessageButtons::Ok)
                                                 ? QMessageBox::StandardButtons(QMessageBox::Ok)
                                                 : QMessageBox::Yes | QMessageBox::No);
            QTest::keyClick(box, Qt::Key(key));
        });
        QCOMPARE(
            messageBox(nullptr, "Quit program.  Are you sure?", "Quit", MessageButtons(buttons)),
            expected);
        QVERIFY(*opened);
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
