#pragma once

#include "core/store/ItemRecord.h"
#include "core/transfer/HostTransfer.h"

#include <QDialog>

#include <functional>
#include <memory>
#include <optional>

namespace Ui {
class ItemDialog;
}

namespace wareloom {

class Inventory;

// Add Item and Edit Item: the four texts of an item of the open category, its
// picture, and Save, which stores through the inventory and closes. Cancel is
// the default button, so Enter in a box closes without saving.
class ItemDialog : public QDialog
{
    Q_OBJECT

public:
    static constexpr int NewItem = -1;

    // index: the item to edit, in file order, or NewItem to add one.
    ItemDialog(Inventory& inventory, int index, QWidget* parent = nullptr);
    ~ItemDialog() override;

private:
    bool editing() const { return m_index != NewItem; }
    void save();
    void deleteItem();
    void removePicture(const QString& code);
    // Picture Upload with the file that choose() gives: the file dialog's
    // choice, or a file dropped on the preview.
    void uploadPicture(const std::function<std::optional<QString>()>& choose);
    std::optional<HostFile> makeThumbnailFor(const QString& chosenPath, const QString& code);

    std::unique_ptr<Ui::ItemDialog> m_ui;
    Inventory& m_inventory;
    int m_index;
    ItemRecord m_shown; // the edited item as the dialog opened on it
};

} // namespace wareloom
