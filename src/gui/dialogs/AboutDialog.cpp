#include "gui/dialogs/AboutDialog.h"
#include "ui_AboutDialog.h"

#include "gui/icons/ApplicationIcon.h"

#include <QPushButton>

namespace wareloom {

AboutDialog::AboutDialog(QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::AboutDialog>())
{
    m_ui->setupUi(this);
    m_ui->icon->setPixmap(applicationIcon().pixmap(32, 32));
    // The product's name and its major and minor version, from the build.
    m_ui->version->setText(tr("Wareloom Version %1").arg(QStringLiteral(WARELOOM_SHORT_VERSION)));
    m_ui->buttonBox->button(QDialogButtonBox::Ok)
        ->setAccessibleDescription(tr("Close this window"));
}

AboutDialog::~AboutDialog() = default;

} // namespace wareloom
