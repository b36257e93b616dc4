#include "gui/dialogs/CategoryDialog.h"
#include "ui_CategoryDialog.h"

#include "core/store/Inventory.h"
#include "gui/platform/MessageBox.h"

namespace wareloom {
namespace {

constexpr int MaxCategoryNameLength = 80;

} // namespace

CategoryDialog::CategoryDialog(Inventory& inventory, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::CategoryDialog>()), m_inventory(inventory)
{
    m_ui->setupUi(this);
    connect(m_ui->cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_ui->saveButton, &QPushButton::clicked, this, &CategoryDialog::save);
    m_ui->name->setFocus(Qt::OtherFocusReason);
}

CategoryDialog::~CategoryDialog() = default;

void CategoryDialog::save()
{
    const QString name = m_ui->name->text();
    if (name.isEmpty())
        return;
    if (name.size() > MaxCategoryNameLength) {
        messageBox(this, tr("Maximum 80 Characters for category name!"), tr("ERROR:"));
        return;
    }
    // A clash or a name that is no plain file name is refused like a name
    // that is too long: the existing file stays and the user can correct it.
    if (const Status created = m_inventory.createCategory(name); !created) {
        messageBox(this, created.message(), tr("ERROR:"));
        return;
    }
    accept();
}

} // namespace wareloom
