#pragma once

#include <QMainWindow>

#include <vector>

class QAction;
class QLabel;
class QLineEdit;
class QListWidget;

namespace wareloom {

class Inventory;

// The program's window: the menus and toolbar, and the list that shows either
// every category with its number of items or the items of the open category
// under a back entry. Selecting a line acts at once: a category opens, the
// back entry returns to the categories, an item opens its Edit dialog.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(Inventory& inventory, QWidget* parent = nullptr);

    // While an automation client holds the program, ending the window only
    // hides it.
    void setHeldByAutomation(bool held) { m_held = held; }

Q_SIGNALS:
    // The window has ended (not merely hidden for an automation client).
    void finished();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void createActions();
    void showCategories();
    void showItems();
    void rebuild();
    void selectionChanged();
    void openFirstMatch();
    void actOnLine(int row);
    void editItem(int index);
    void addItemLines();
    void addFoundItemLines(const QString& wanted);

    void addItem();
    void newCategory();
    void deleteCategory();
    void quitProgram();
    void about();
    void exportCsv();
    void importCsv();
    void importCsvFile(const QString& path);
    QString importTarget(const QString& path) const;
    void restoreLastView();

    // What a line of the list stands for: a category, an item of the open
    // category, or (when finding in the category view) an item of a category.
    struct Line
    {
        int category = -1;
        int item = -1;
    };

    Inventory& m_inventory;
    QLabel* m_heading;
    QLabel* m_number;
    QLineEdit* m_filter;
    QListWidget* m_list;
    std::vector<Line> m_lines;
    int m_rebuilds = 0;
    bool m_categoryView = true;
    bool m_held = false;
};

} // namespace wareloom
