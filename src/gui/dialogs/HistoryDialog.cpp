#include "gui/dialogs/HistoryDialog.h"

#include "core/store/CategoryHistory.h"
#include "core/store/Inventory.h"
#include "core/store/ItemDifferences.h"
#include "core/util/ApplicationTitle.h"
#include "gui/platform/MessageBox.h"
#include "ui_HistoryDialog.h"

#include <algorithm>

namespace wareloom {

HistoryDialog::HistoryDialog(Inventory& inventory, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::HistoryDialog>()), m_inventory(inventory)
{
    m_ui->setupUi(this);
    if (m_inventory.hasOpenCategory()) {
        m_ui->category->addItem(m_inventory.openCategoryName());
        m_ui->category->setEnabled(false);
    } else {
        m_ui->categoryLabel->setText(tr("&Deleted category:"));
        m_ui->category->addItems(CategoryHistory(m_inventory.directory()).deletedCategories());
    }
    connect(m_ui->category, &QComboBox::currentIndexChanged, this, &HistoryDialog::listVersions);
    connect(m_ui->versions, &QTreeWidget::currentItemChanged, this,
            &HistoryDialog::showDifferences);
    connect(m_ui->restoreButton, &QPushButton::clicked, this, &HistoryDialog::restore);
    connect(m_ui->closeButton, &QPushButton::clicked, this, &QDialog::reject);
    listVersions();
}

HistoryDialog::~HistoryDialog() = default;

void HistoryDialog::listVersions()
{
    m_ui->versions->clear();
    std::vector<HistoryVersion> versions =
        CategoryHistory(m_inventory.directory()).versions(m_ui->category->currentText());
    // Newest first: the change to take back is most often the last.
    std::reverse(versions.begin(), versions.end());
    for (const HistoryVersion& version : versions) {
        auto* line = new QTreeWidgetItem(
            m_ui->versions,
            {QString::number(version.number),
             QLocale().toString(version.time.toLocalTime(), QStringLiteral("yyyy-MM-dd HH:mm:ss")),
             QString::number(version.itemCount), version.action});
        line->setData(0, Qt::UserRole, version.number);
        line->setTextAlignment(2, Qt::AlignRight);
    }
    for (int column = 0; column < m_ui->versions->columnCount(); ++column)
        m_ui->versions->resizeColumnToContents(column);
    m_ui->versions->setCurrentItem(m_ui->versions->topLevelItem(0));
    if (versions.empty())
        m_ui->differences->setPlainText(tr("No versions are kept."));
    m_ui->restoreButton->setEnabled(!versions.empty());
}

int HistoryDialog::selectedVersion() const
{
    const QTreeWidgetItem* line = m_ui->versions->currentItem();
    return line ? line->data(0, Qt::UserRole).toInt() : 0;
}

void HistoryDialog::showDifferences()
{
    const QString name = m_ui->category->currentText();
    QByteArray bytes;
    if (const Status read =
            CategoryHistory(m_inventory.directory()).read(name, selectedVersion(), bytes);
        !read) {
        m_ui->differences->setPlainText(read.message());
        return;
    }
    // Compared with the file as it is now; a deleted category has none.
    ItemRecords now;
    if (m_inventory.hasOpenCategory())
        now = m_inventory.items();
    const ItemDifferences differences = compareItems(now, recordsOf(bytes));
    QStringList lines;
    for (const QString& item : differences.added)
        lines << tr("brings back  %1").arg(item);
    for (const QString& item : differences.removed)
        lines << tr("takes away   %1").arg(item);
    for (const QString& item : differences.changed)
        lines << tr("changes      %1").arg(item);
    m_ui->differences->setPlainText(lines.isEmpty() ? tr("changes no item")
                                                    : lines.join(QLatin1Char('\n')));
}

void HistoryDialog::restore()
{
    const int number = selectedVersion();
    if (number <= 0)
        return;
    if (const Status restored = m_inventory.restoreVersion(m_ui->category->currentText(), number);
        !restored) {
        messageBox(this, restored.message(), applicationTitle());
        return;
    }
    accept();
}

} // namespace wareloom
