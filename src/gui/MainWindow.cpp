#include "gui/MainWindow.h"

#include "core/store/Inventory.h"
#include "core/store/ListLines.h"
#include "core/util/ApplicationTitle.h"
#include "gui/dialogs/AboutDialog.h"
#include "gui/dialogs/CategoryDialog.h"
#include "gui/dialogs/ItemDialog.h"
#include "gui/icons/ApplicationIcon.h"
#include "gui/icons/ToolbarIcons.h"
#include "gui/platform/MessageBox.h"
#include "gui/publish/WebHost.h"

#include <QAction>
#include <QCloseEvent>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QScreen>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

namespace wareloom {
namespace {

// Wide enough for a whole item line, tall enough for a screenful of items.
constexpr int ListColumns = 98;
constexpr int ListRows = 30;

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
    : QMainWindow(parent), m_inventory(inventory)
{
    setObjectName(QStringLiteral("mainWindow"));
    setWindowTitle(QStringLiteral("Wareloom"));
    setWindowIcon(applicationIcon());

    auto* central = new QWidget(this);
    m_heading = sunkenLabel(QStringLiteral("heading"), Qt::AlignCenter, central);
    m_number = sunkenLabel(QStringLiteral("number"), Qt::AlignRight | Qt::AlignVCenter, central);
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
    layout->addWidget(m_list, 1);
    setCentralWidget(central);

    createActions();

    connect(m_list, &QListWidget::itemSelectionChanged, this, &MainWindow::selectionChanged);
    m_list->installEventFilter(this);
    connect(&m_inventory, &Inventory::categoriesChanged, this, [this] {
        if (m_categoryView)
            rebuild();
    });
    connect(&m_inventory, &Inventory::itemsChanged, this, [this] {
        if (!m_categoryView)
            rebuild();
    });
    rebuild();

    const QFontMetrics metrics(fixed);
    resize(metrics.horizontalAdvance(QLatin1Char('M')) * ListColumns, metrics.height() * ListRows);
    if (QScreen* desktop = screen())
        move(desktop->availableGeometry().center() - rect().center());
}

void MainWindow::createActions()
{
    auto action = [this](const QString& name, const QString& text, auto slot) {
        auto* a = new QAction(text, this);
        a->setObjectName(name);
        a->setIconVisibleInMenu(false);
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    QAction* quit = action(QStringLiteral("actionQuitProgram"), QStringLiteral("&Quit Program"),
                           &MainWindow::quitProgram);
    QAction* addItem =
        action(QStringLiteral("actionItemAdd"), QStringLiteral("&Item Add"), &MainWindow::addItem);
    QAction* newCategory = action(QStringLiteral("actionNewCategory"),
                                  QStringLiteral("&New Category"), &MainWindow::newCategory);
    QAction* deleteCategory =
        action(QStringLiteral("actionDeleteCategory"), QStringLiteral("&Delete Category"),
               &MainWindow::deleteCategory);
    QAction* ftpSettings =
        action(QStringLiteral("actionFtpSettings"), QStringLiteral("&FTP Settings"),
               [this] { WebHost(this).editSettings(); });
    QAction* ftpUpload =
        action(QStringLiteral("actionFtpUpload"), QStringLiteral("&FTP Upload"),
               [this] { WebHost(this).publish(int(m_inventory.categories().size())); });
    QAction* webSite = action(QStringLiteral("actionWebSite"), QStringLiteral("&WebSite"),
                              [this] { WebHost(this).openWebsite(); });
    QAction* banner =
        action(QStringLiteral("actionBannerUpload"), QStringLiteral("W&ebSite Banner Upload"),
               [this] { WebHost(this).uploadBanner(); });
    QAction* aboutAction =
        action(QStringLiteral("actionAbout"), QStringLiteral("&About"), &MainWindow::about);

    QMenuBar* bar = menuBar();
    bar->addMenu(QStringLiteral("&File"))->addAction(quit);
    bar->addMenu(QStringLiteral("&Items"))->addAction(addItem);
    QMenu* category = bar->addMenu(QStringLiteral("&Category"));
    category->addAction(newCategory);
    category->addAction(deleteCategory);
    QMenu* html = bar->addMenu(QStringLiteral("&HTML"));
    html->addActions({ftpSettings, ftpUpload, webSite, banner});
    bar->addMenu(QStringLiteral("&Help"))->addAction(aboutAction);

    addItem->setIcon(itemAddIcon());
    ftpUpload->setIcon(ftpUploadIcon());
    webSite->setIcon(webSiteIcon());
    QToolBar* tools = addToolBar(QStringLiteral("Toolbar"));
    tools->setObjectName(QStringLiteral("toolBar"));
    tools->setMovable(false);
    tools->setIconSize(ToolbarIconSize);
    tools->addActions({addItem, ftpUpload, webSite});
}

void MainWindow::rebuild()
{
    const QSignalBlocker quiet(m_list);
    m_list->clear();
    if (m_categoryView) {
        m_heading->setText(QStringLiteral("Category List"));
        for (const CategoryEntry& category : m_inventory.categories())
            m_list->addItem(categoryLine(category.name, category.itemCount));
        m_number->setText(QString::number(m_inventory.totalItemCount()));
    } else {
        m_heading->setText(m_inventory.openCategoryName());
        m_list->addItem(backEntry());
        for (const ItemRecord& item : m_inventory.items())
            m_list->addItem(itemLine(item));
        m_number->setText(QString::number(m_inventory.items().size()));
    }
    // The first key then moves from the first line, as in any list box.
    if (m_list->count() > 0)
        m_list->setCurrentRow(0, QItemSelectionModel::NoUpdate);
}

void MainWindow::showCategories()
{
    m_inventory.closeCategory();
    m_categoryView = true;
    m_inventory.refresh();
    rebuild();
}

void MainWindow::showItems()
{
    m_categoryView = false;
    rebuild();
}

void MainWindow::selectionChanged()
{
    const QList<QListWidgetItem*> selected = m_list->selectedItems();
    if (selected.isEmpty())
        return;
    const int row = m_list->row(selected.first());
    // Acted on once the list has finished its own handling of the click or key.
    const bool categoryView = m_categoryView;
    QTimer::singleShot(0, this, [this, row, categoryView] {
        if (categoryView == m_categoryView)
            actOnLine(row);
    });
}

void MainWindow::actOnLine(int row)
{
    if (m_categoryView) {
        const std::vector<CategoryEntry>& categories = m_inventory.categories();
        if (row < 0 || size_t(row) >= categories.size())
            return;
        const Status opened = m_inventory.openCategory(categories[size_t(row)]);
        showItems();
        if (!opened)
            messageBox(this, opened.message(), applicationTitle());
        return;
    }
    // The back entry is always the first line; an item may be named "<-Back..." too.
    if (row == 0) {
        showCategories();
        return;
    }
    editItem(row - 1);
}

void MainWindow::editItem(int index)
{
    if (index < 0 || size_t(index) >= m_inventory.items().size())
        return;
    ItemDialog dialog(m_inventory, index, this);
    dialog.exec();
}

void MainWindow::addItem()
{
    if (!m_inventory.hasOpenCategory()) {
        messageBox(this, QStringLiteral("Error You have to select a category first!"),
                   applicationTitle());
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
    if (messageBox(this, name, QStringLiteral("Delete Category?"), MessageButtons::YesNo) != IDYES)
        return;
    m_inventory.deleteOpenCategory();
    showCategories();
    if (messageBox(this, QStringLiteral("Delete the webpage from the FTP server?"),
                   QStringLiteral("Wareloom"), MessageButtons::YesNo) == IDYES)
        WebHost(this).deleteFile(name + QStringLiteral(".htm"));
}

void MainWindow::quitProgram()
{
    if (messageBox(this, QStringLiteral("Quit program.  Are you sure?"),
                   QStringLiteral("Quit Program"), MessageButtons::YesNo) == IDYES)
        close();
}

void MainWindow::about()
{
    AboutDialog dialog(this);
    dialog.exec();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
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
    // Nothing selected yet: a key towards the top selects the first line, as
    // in a list box (the list itself would not move from where it stands).
    if (watched == m_list && event->type() == QEvent::KeyPress &&
        m_list->selectedItems().isEmpty() && m_list->currentRow() == 0) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Home || key == Qt::Key_Up || key == Qt::Key_PageUp) {
            m_list->setCurrentRow(0, QItemSelectionModel::ClearAndSelect);
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
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
