#include "gui/MainWindow.h"

#include "core/store/CsvFile.h"
#include "core/store/Inventory.h"
#include "core/store/ListLines.h"
#include "core/util/ApplicationTitle.h"
#include "core/util/AtomicFile.h"
#include "gui/CategoryChangeCommand.h"
#include "gui/WindowMemory.h"
#include "gui/dialogs/AboutDialog.h"
#include "gui/dialogs/CategoryDialog.h"
#include "gui/dialogs/HistoryDialog.h"
#include "gui/dialogs/ItemDialog.h"
#include "gui/icons/ApplicationIcon.h"
#include "gui/icons/ToolbarIcons.h"
#include "gui/platform/DroppedFile.h"
#include "gui/platform/FileDialog.h"
#include "gui/platform/MessageBox.h"
#include "gui/publish/WebHost.h"
#include "gui/publish/WebsiteSettingsDialog.h"

#include <QAction>
#include <QCloseEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QUndoStack>
#include <QVBoxLayout>

namespace wareloom {
namespace {

// Wide enough for a whole item line, tall enough for a screenful of items.
constexpr int ListColumns = 100;
constexpr int ListRows = 30;

// What a screen reader says of the widget, and what it says on asking for more.
void describe(QWidget* widget, const QString& name, const QString& description)
{
    widget->setAccessibleName(name);
    widget->setAccessibleDescription(description);
}

QLabel* sunkenLabel(const QString& objectName, Qt::Alignment alignment, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(objectName);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setAlignment(alignment);
    return label;
}

} // namespace

MainWindow::MainWindow(Inventory& inventory, QWidget* parent)
    : QMainWindow(parent), m_inventory(inventory), m_changes(new QUndoStack(this))
{
    setObjectName(QStringLiteral("mainWindow"));
    setWindowTitle(QStringLiteral("Wareloom"));
    setWindowIcon(applicationIcon());

    auto* central = new QWidget(this);
    m_heading = sunkenLabel(QStringLiteral("heading"), Qt::AlignCenter, central);
    m_number = sunkenLabel(QStringLiteral("number"), Qt::AlignRight | Qt::AlignVCenter, central);
    m_filter = new QLineEdit(central);
    m_filter->setObjectName(QStringLiteral("filter"));
    m_filter->setPlaceholderText(tr("Find items by name or code (Ctrl+F)"));
    m_filter->setClearButtonEnabled(true);
    m_list = new QListWidget(central);
    m_list->setObjectName(QStringLiteral("list"));
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setUniformItemSizes(true);
    // The columns of the lines are made of spaces.
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    m_list->setFont(fixed);

    auto* top = new QHBoxLayout;
    top->addWidget(m_heading, 1);
    top->addWidget(m_number);
    m_number->setMinimumWidth(m_number->fontMetrics().horizontalAdvance(QStringLiteral("0000000")));
    auto* layout = new QVBoxLayout(central);
    layout->addLayout(top);
    layout->addWidget(m_filter);
    layout->addWidget(m_list, 1);
    setCentralWidget(central);

    createActions();
    // The labels are read by their texts.
    m_heading->setAccessibleDescription(
        tr("What the list shows: the category list, or the open category"));
    m_number->setAccessibleDescription(
        tr("The number of items: of every category, or of the open category"));
    describe(m_filter, tr("Find items"),
             tr("Lists only the items whose name or code holds the text"));

    connect(m_list, &QListWidget::itemSelectionChanged, this, &MainWindow::selectionChanged);
    m_list->installEventFilter(this);
    m_filter->installEventFilter(this);
    connect(m_filter, &QLineEdit::textChanged, this, &MainWindow::rebuild);
    connect(&m_inventory, &Inventory::categoriesChanged, this, [this] {
        if (m_categoryView)
            rebuild();
    });
    connect(&m_inventory, &Inventory::itemsChanged, this, [this] {
        if (!m_categoryView)
            rebuild();
    });
    rebuild();
    // The keys move in the list from the start; Ctrl+F goes to the find box.
    m_list->setFocus();

    const QFontMetrics metrics(fixed);
    resize(metrics.horizontalAdvance(QLatin1Char('M')) * ListColumns, metrics.height() * ListRows);
    if (QScreen* desktop = screen())
        move(desktop->availableGeometry().center() - rect().center());
    setAcceptDrops(true); // a CSV file dropped anywhere offers Import
    restoreLastView();
}

void MainWindow::restoreLastView()
{
    const WindowMemory memory;
    memory.restoreGeometry(*this);
    const QString category = memory.openCategory(m_inventory.directory());
    if (category.isEmpty())
        return;
    for (const CategoryEntry& entry : m_inventory.categories()) {
        // One that can no longer be read is left to the list, which says why when clicked.
        if (entry.name == category && m_inventory.openCategory(entry)) {
            showItems();
            return;
        }
    }
}

void MainWindow::createActions()
{
    auto action = [this](const QString& name, const QString& text, auto slot) {
        auto* a = new QAction(text, this);
        a->setObjectName(name);
        a->setIconVisibleInMenu(false);
        connect(a, &QAction::triggered, this, slot);
        // Whatever the command opened, the keys go to the list again.
        connect(a, &QAction::triggered, m_list, [this] { m_list->setFocus(); });
        return a;
    };
    QAction* quit =
        action(QStringLiteral("actionQuitProgram"), tr("&Quit Program"), &MainWindow::quitProgram);
    QAction* addItem =
        action(QStringLiteral("actionItemAdd"), tr("&Item Add"), &MainWindow::addItem);
    QAction* newCategory =
        action(QStringLiteral("actionNewCategory"), tr("&New Category"), &MainWindow::newCategory);
    QAction* exportCsv =
        action(QStringLiteral("actionExportCsv"), tr("&Export to CSV..."), &MainWindow::exportCsv);
    QAction* importCsv = action(QStringLiteral("actionImportCsv"), tr("&Import from CSV..."),
                                &MainWindow::importCsv);
    auto* find = new QAction(tr("Find"), this);
    find->setObjectName(QStringLiteral("actionFind"));
    connect(find, &QAction::triggered, this, [this] {
        m_filter->setFocus(Qt::ShortcutFocusReason);
        m_filter->selectAll();
    });
    find->setShortcut(QKeySequence::Find);
    addAction(find);
    QAction* deleteCategory = action(QStringLiteral("actionDeleteCategory"), tr("&Delete Category"),
                                     &MainWindow::deleteCategory);
    QAction* ftpSettings = action(QStringLiteral("actionFtpSettings"), tr("&FTP Settings"),
                                  [this] { WebHost(this, m_inventory.store()).editSettings(); });
    QAction* ftpUpload = action(QStringLiteral("actionFtpUpload"), tr("&FTP Upload"), [this] {
        WebHost(this, m_inventory.store()).publish(int(m_inventory.categories().size()));
    });
    QAction* uploadAll = action(QStringLiteral("actionUploadAll"), tr("Upload &All Pages"), [this] {
        WebHost(this, m_inventory.store())
            .publish(int(m_inventory.categories().size()), {.sendAll = true});
    });
    QAction* webSite = action(QStringLiteral("actionWebSite"), tr("&WebSite"),
                              [this] { WebHost(this, m_inventory.store()).openWebsite(); });
    QAction* banner = action(QStringLiteral("actionBannerUpload"), tr("W&ebSite Banner Upload"),
                             [this] { WebHost(this, m_inventory.store()).uploadBanner(); });
    QAction* checkWebsite = action(QStringLiteral("actionCheckWebsite"), tr("&Check Website"),
                                   [this] { WebHost(this, m_inventory.store()).checkWebsite(); });
    QAction* websiteSettings =
        action(QStringLiteral("actionWebsiteSettings"), tr("Website &Settings..."), [this] {
            WebsiteSettingsDialog dialog(m_inventory.store(), this);
            dialog.exec();
        });
    QAction* aboutAction = action(QStringLiteral("actionAbout"), tr("&About"), &MainWindow::about);

    QMenuBar* bar = menuBar();
    bar->addMenu(tr("&File"))->addAction(quit);
    QMenu* items = bar->addMenu(tr("&Items"));
    items->addAction(addItem);
    QMenu* category = bar->addMenu(tr("&Category"));
    category->addAction(newCategory);
    category->addAction(deleteCategory);
    category->addAction(exportCsv);
    category->addAction(importCsv);
    createHistoryActions(items, category);
    QMenu* html = bar->addMenu(tr("&HTML"));
    html->addActions(
        {ftpSettings, ftpUpload, uploadAll, webSite, banner, checkWebsite, websiteSettings});
    bar->addMenu(tr("&Help"))->addAction(aboutAction);

    addItem->setIcon(itemAddIcon());
    ftpUpload->setIcon(ftpUploadIcon());
    webSite->setIcon(webSiteIcon());
    QToolBar* tools = addToolBar(tr("Toolbar"));
    tools->setObjectName(QStringLiteral("toolBar"));
    tools->setMovable(false);
    tools->setIconSize(ToolbarIconSize);
    tools->addActions({addItem, ftpUpload, webSite});

    // Said by screen readers for the menu entries and the toolbar buttons, and
    // shown in the status bar.
    const std::pair<QAction*, QString> tips[] = {
        {quit, tr("End the program")},
        {addItem, tr("Add an item to the open category")},
        {newCategory, tr("Make an empty category")},
        {deleteCategory, tr("Delete the open category")},
        {exportCsv, tr("Write the open category as a CSV file")},
        {importCsv, tr("Add the rows of a CSV file to a category")},
        {ftpSettings, tr("The login and addresses of your web host")},
        {ftpUpload, tr("Publish the pages that changed to your web host")},
        {uploadAll, tr("Publish every page to your web host")},
        {webSite, tr("Open the published website in your browser")},
        {banner, tr("Send a picture as the banner of the main page")},
        {websiteSettings, tr("The shop name, contact address and page style")},
        {aboutAction, tr("The version of Wareloom and its makers")}};
    for (const auto& [action, tip] : tips)
        action->setStatusTip(tip);
    for (QAction* button : tools->actions())
        describe(tools->widgetForAction(button), button->iconText(), button->statusTip());
    tools->setAccessibleName(tr("Toolbar"));
}

namespace {

// Case and accents do not count: "Creme" finds "Crème".
QString folded(const QString& text)
{
    QString plain;
    for (const QChar c : text.normalized(QString::NormalizationForm_D)) {
        if (c.category() != QChar::Mark_NonSpacing)
            plain += c;
    }
    return plain.toCaseFolded();
}

bool matches(const ItemRecord& item, const QString& wanted)
{
    return folded(fieldString(item, ItemField::Name)).contains(wanted) ||
           folded(fieldString(item, ItemField::Code)).contains(wanted);
}

} // namespace

void MainWindow::rebuild()
{
    const QSignalBlocker quiet(m_list);
    ++m_rebuilds;
    m_list->clear();
    m_lines.clear();
    const QString wanted = folded(m_filter->text().trimmed());
    if (m_categoryView && !wanted.isEmpty()) {
        m_heading->setText(tr("Found in every category"));
        addFoundItemLines(wanted);
    } else if (m_categoryView) {
        m_heading->setText(tr("Category List"));
        const std::vector<CategoryEntry>& categories = m_inventory.categories();
        for (size_t i = 0; i < categories.size(); ++i) {
            m_list->addItem(categoryLine(categories[i].name, categories[i].itemCount));
            m_lines.push_back({int(i), -1});
        }
        m_number->setText(QString::number(m_inventory.totalItemCount()));
        // Never dropped without a word.
        const QStringList& unusable = m_inventory.unusableNames();
        if (unusable.isEmpty())
            statusBar()->clearMessage();
        else
            statusBar()->showMessage(
                tr("Not listed, as their names are not valid UTF-8 (rename them): %1")
                    .arg(unusable.join(QStringLiteral(", "))));
    } else {
        m_heading->setText(m_inventory.openCategoryName());
        m_list->addItem(backEntry());
        m_lines.push_back({});
        const ItemRecords& items = m_inventory.items();
        for (size_t i = 0; i < items.size(); ++i) {
            if (wanted.isEmpty() || matches(items[i], wanted)) {
                m_list->addItem(itemLine(items[i]));
                m_lines.push_back({-1, int(i)});
            }
        }
        m_number->setText(QString::number(items.size()));
    }
    describe(m_list, m_heading->text(),
             !m_categoryView ? tr("The first line goes back to the category list; "
                                  "select an item to edit it")
             : wanted.isEmpty()
                 ? tr("Each category with its number of items; select one to open it")
                 : tr("The items found, with their category; select one to edit it"));
    // The first key then moves from the first line, as in any list box.
    if (m_list->count() > 0)
        m_list->setCurrentRow(0, QItemSelectionModel::NoUpdate);
}

void MainWindow::addFoundItemLines(const QString& wanted)
{
    const std::vector<CategoryEntry>& categories = m_inventory.categories();
    for (size_t c = 0; c < categories.size(); ++c) {
        ItemRecords items;
        // A category that cannot be read has nothing to find; opening it says why.
        (void)loadCategory(m_inventory.filePath(categories[c].fileName), items);
        for (size_t i = 0; i < items.size(); ++i) {
            if (matches(items[i], wanted)) {
                m_list->addItem(itemLine(items[i]) + QStringLiteral("  ") + categories[c].name);
                m_lines.push_back({int(c), int(i)});
            }
        }
    }
    m_number->setText(QString::number(m_lines.size()));
}

void MainWindow::showCategories()
{
    m_inventory.closeCategory();
    m_categoryView = true;
    rebuild();
    // Counts changed behind the watcher's back rebuild once more, only then.
    m_inventory.refresh();
}

void MainWindow::showItems()
{
    m_categoryView = false;
    rebuild();
}

void MainWindow::openFirstMatch()
{
    // In the item view the back entry comes before what was found.
    const int first = m_categoryView ? 0 : 1;
    if (m_filter->text().trimmed().isEmpty() || first >= m_list->count())
        return;
    m_list->setFocus(Qt::OtherFocusReason);
    m_list->setCurrentRow(first, QItemSelectionModel::ClearAndSelect);
}

void MainWindow::selectionChanged()
{
    const QList<QListWidgetItem*> selected = m_list->selectedItems();
    if (selected.isEmpty())
        return;
    const int row = m_list->row(selected.first());
    // Acted on once the list has finished its own handling of the click or
    // key, unless the lines changed meanwhile: the row would then be another's.
    const int rebuilds = m_rebuilds;
    QTimer::singleShot(0, this, [this, row, rebuilds] {
        if (rebuilds == m_rebuilds)
            actOnLine(row);
    });
}

void MainWindow::actOnLine(int row)
{
    if (row < 0 || size_t(row) >= m_lines.size())
        return;
    const Line line = m_lines[size_t(row)];
    if (line.category >= 0) {
        const std::vector<CategoryEntry>& categories = m_inventory.categories();
        if (size_t(line.category) >= categories.size())
            return;
        const Status opened = m_inventory.openCategory(categories[size_t(line.category)]);
        if (line.item >= 0)
            m_filter->clear(); // a found item: its own category's view behind its dialog
        showItems();
        if (!opened)
            messageBox(this, opened.message(), applicationTitle());
        else if (line.item >= 0)
            editItem(line.item);
        m_list->setFocus();
        return;
    }
    // The back entry is always the first line; an item may be named "<-Back..." too.
    if (line.item < 0) {
        showCategories();
        return;
    }
    editItem(line.item);
}

void MainWindow::editItem(int index)
{
    if (index < 0 || size_t(index) >= m_inventory.items().size())
        return;
    ItemDialog dialog(m_inventory, index, this);
    dialog.exec();
    m_list->setFocus();
}

void MainWindow::addItem()
{
    if (!m_inventory.hasOpenCategory()) {
        messageBox(this, tr("Error You have to select a category first!"), applicationTitle());
        return;
    }
    ItemDialog dialog(m_inventory, ItemDialog::NewItem, this);
    dialog.exec();
}

void MainWindow::newCategory()
{
    CategoryDialog dialog(m_inventory, this);
    if (dialog.exec() == QDialog::Accepted)
        showCategories();
}

void MainWindow::deleteCategory()
{
    if (!m_inventory.hasOpenCategory())
        return;
    const QString name = m_inventory.openCategoryName();
    const size_t count = m_inventory.items().size();
    const QString question = (count == 1 ? tr("Delete the category %1 and its %2 item?\n\n"
                                              "It can be restored from Category > History...")
                                         : tr("Delete the category %1 and its %2 items?\n\n"
                                              "It can be restored from Category > History..."))
                                 .arg(name, QString::number(count));
    if (messageBox(this, question, tr("Delete Category?"), MessageButtons::YesNo) !=
        MessageAnswer::Yes)
        return;
    if (const Status deleted = m_inventory.deleteOpenCategory(); !deleted) {
        messageBox(this, deleted.message(), applicationTitle());
        return;
    }
    showCategories();
    if (messageBox(this, tr("Delete the webpage from the FTP server?"), QStringLiteral("Wareloom"),
                   MessageButtons::YesNo) == MessageAnswer::Yes)
        WebHost(this, m_inventory.store()).deleteFiles({name + QStringLiteral(".htm")});
}

void MainWindow::quitProgram()
{
    if (messageBox(this, tr("Quit program.  Are you sure?"), tr("Quit Program"),
                   MessageButtons::YesNo) == MessageAnswer::Yes)
        close();
}

void MainWindow::exportCsv()
{
    if (!m_inventory.hasOpenCategory()) {
        messageBox(this, tr("Open the category to export first."), applicationTitle());
        return;
    }
    const std::optional<QString> chosen = saveFileDialog(
        this, m_inventory.openCategoryName() + QStringLiteral(".csv"), tr("CSV files (*.csv)"));
    if (!chosen)
        return;
    if (Status written = replaceFile(*chosen, wareloom::exportCsv(m_inventory.items())); !written)
        messageBox(this, written.message(), applicationTitle());
}

void MainWindow::importCsv()
{
    if (const std::optional<QString> chosen = openFileDialog(this))
        importCsvFile(*chosen);
}

// Into the open category, or into one named after the file.
QString MainWindow::importTarget(const QString& path) const
{
    return m_inventory.hasOpenCategory() ? m_inventory.openCategoryName()
                                         : QFileInfo(path).completeBaseName();
}

void MainWindow::importCsvFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        messageBox(this, tr("%1 cannot be read: %2").arg(path, file.errorString()),
                   applicationTitle());
        return;
    }
    const QString category = importTarget(path);
    int existing = 0;
    for (const CategoryEntry& entry : m_inventory.categories()) {
        if (entry.name == category)
            existing = entry.itemCount;
    }
    const CsvImport read = wareloom::importCsv(file, existing);
    if (!read.problems.isEmpty()) {
        messageBox(this, tr("Nothing was imported:\n") + read.problems.join(QLatin1Char('\n')),
                   applicationTitle());
        return;
    }
    if (Status added = m_inventory.appendItems(category, read.records); !added) {
        messageBox(this, added.message(), applicationTitle());
        return;
    }
    messageBox(this, tr("%1 items imported into %2.").arg(read.records.size()).arg(category),
               applicationTitle());
}

void MainWindow::createHistoryActions(QMenu* items, QMenu* category)
{
    auto* undo = new QAction(tr("&Undo"), this);
    undo->setObjectName(QStringLiteral("actionUndo"));
    undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    auto* redo = new QAction(tr("&Redo"), this);
    redo->setObjectName(QStringLiteral("actionRedo"));
    redo->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    undo->setEnabled(false);
    redo->setEnabled(false);
    connect(undo, &QAction::triggered, this, [this] { takeBack(Inventory::Direction::Undo); });
    connect(redo, &QAction::triggered, this, [this] { takeBack(Inventory::Direction::Redo); });
    connect(m_changes, &QUndoStack::canUndoChanged, undo, &QAction::setEnabled);
    connect(m_changes, &QUndoStack::canRedoChanged, redo, &QAction::setEnabled);
    connect(m_changes, &QUndoStack::undoTextChanged, undo,
            [undo](const QString& text) { undo->setText(tr("&Undo %1").arg(text).trimmed()); });
    connect(m_changes, &QUndoStack::redoTextChanged, redo,
            [redo](const QString& text) { redo->setText(tr("&Redo %1").arg(text).trimmed()); });
    connect(&m_inventory, &Inventory::changed, m_changes, [this](const CategoryChange& change) {
        m_changes->push(new CategoryChangeCommand(change));
    });
    items->addActions({undo, redo});

    auto* history = new QAction(tr("&History..."), this);
    history->setObjectName(QStringLiteral("actionHistory"));
    connect(history, &QAction::triggered, this, &MainWindow::showHistory);
    category->addAction(history);
}

void MainWindow::takeBack(Inventory::Direction direction)
{
    const bool undo = direction == Inventory::Direction::Undo;
    const auto* command = static_cast<const CategoryChangeCommand*>(
        m_changes->command(undo ? m_changes->index() - 1 : m_changes->index()));
    if (!command)
        return;
    if (Status applied = m_inventory.applyChange(command->change(), direction); !applied) {
        messageBox(this, applied.message(), applicationTitle());
        return;
    }
    if (undo)
        m_changes->undo();
    else
        m_changes->redo();
    // The open category was taken away.
    if (m_inventory.hasOpenCategory() && !QFileInfo::exists(m_inventory.openCategoryPath()))
        showCategories();
}

void MainWindow::showHistory()
{
    HistoryDialog dialog(m_inventory, this);
    if (dialog.exec() == QDialog::Accepted && m_categoryView)
        showCategories();
}

void MainWindow::about()
{
    AboutDialog dialog(this);
    dialog.exec();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    WindowMemory().remember(*this, m_inventory.directory(),
                            m_categoryView ? QString() : m_inventory.openCategoryName());
    if (m_held) {
        event->ignore();
        hide();
        return;
    }
    event->accept();
    Q_EMIT finished();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_filter && event->type() == QEvent::KeyPress) {
        switch (static_cast<QKeyEvent*>(event)->key()) {
        case Qt::Key_Escape:
            // Only an empty box lets Esc end the program.
            if (m_filter->text().isEmpty())
                break;
            m_filter->clear();
            return true;
        case Qt::Key_Down:
            m_list->setFocus(Qt::OtherFocusReason);
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            // The window's Enter ends the program; here it opens what was found.
            openFirstMatch();
            return true;
        default:
            break;
        }
    }
    // Nothing selected yet: a key towards the top, or any move on a list of
    // one line, selects the first line, as in a list box (the list itself
    // would not move from where it stands).
    if (watched == m_list && event->type() == QEvent::KeyPress &&
        m_list->selectedItems().isEmpty() && m_list->currentRow() == 0) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        const bool down = key == Qt::Key_Down || key == Qt::Key_End || key == Qt::Key_PageDown;
        if (key == Qt::Key_Home || key == Qt::Key_Up || key == Qt::Key_PageUp ||
            (down && m_list->count() == 1)) {
            m_list->setCurrentRow(0, QItemSelectionModel::ClearAndSelect);
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event)
{
    if (droppedFile(event->mimeData(), QStringLiteral("csv")))
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event)
{
    const std::optional<QString> path = droppedFile(event->mimeData(), QStringLiteral("csv"));
    if (!path)
        return;
    event->acceptProposedAction();
    // Asked after the drop has ended, so that the dragging program is not kept waiting.
    QTimer::singleShot(0, this, [this, file = *path] {
        if (messageBox(this,
                       tr("Import the rows of %1 into the category %2?")
                           .arg(QFileInfo(file).fileName(), importTarget(file)),
                       tr("Import from CSV"), MessageButtons::YesNo) == MessageAnswer::Yes)
            importCsvFile(file);
    });
}

void MainWindow::keyPressEvent(QKeyEvent* event)
{
    // Enter and Esc end the program at once, as the window's OK and Cancel.
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        close();
        return;
    default:
        QMainWindow::keyPressEvent(event);
    }
}

} // namespace wareloom
