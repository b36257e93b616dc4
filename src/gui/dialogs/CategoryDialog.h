#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class CategoryDialog;
}

namespace wareloom {

class Inventory;

// New Category: a name, and Save, which creates the empty category through
// the inventory and closes. Cancel is the default button.
class CategoryDialog : public QDialog
{
    Q_OBJECT

public:
    explicit CategoryDialog(Inventory& inventory, QWidget* parent = nullptr);
    ~CategoryDialog() override;

private:
    void save();

    std::unique_ptr<Ui::CategoryDialog> m_ui;
    Inventory& m_inventory;
};

} // namespace wareloom
