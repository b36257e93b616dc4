#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class HistoryDialog;
}

namespace wareloom {

class Inventory;

// The kept versions of the open category or, from the category list, of the
// deleted categories: when each was replaced and by what, its items, what
// restoring it would change, and Restore, which closes the dialog.
class HistoryDialog : public QDialog
{
    Q_OBJECT

public:
    explicit HistoryDialog(Inventory& inventory, QWidget* parent = nullptr);
    ~HistoryDialog() override;

private:
    void listVersions();
    void showDifferences();
    int selectedVersion() const;
    void restore();

    std::unique_ptr<Ui::HistoryDialog> m_ui;
    Inventory& m_inventory;
};

} // namespace wareloom
