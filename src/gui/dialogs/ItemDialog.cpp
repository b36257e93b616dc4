#include "gui/dialogs/ItemDialog.h"
#include "ui_ItemDialog.h"

#include "core/pages/WebsiteSettings.h"
#include "core/publish/Thumbnails.h"
#include "core/store/Inventory.h"
#include "core/store/ItemTexts.h"
#include "core/util/ApplicationTitle.h"
#include "core/util/AtomicFile.h"
#include "gui/platform/FileDialog.h"
#include "gui/platform/MessageBox.h"
#include "gui/publish/WebHost.h"
#include "images/Thumbnail.h"

#include <QFile>
#include <QMenuBar>
#include <QTimer>

namespace wareloom {
namespace {

const QString Caption = QStringLiteral("Wareloom");

QString pictureFileName(const QString& code)
{
    return code + QStringLiteral(".jpg");
}

} // namespace

ItemDialog::ItemDialog(Inventory& inventory, int index, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::ItemDialog>()), m_inventory(inventory),
      m_index(index)
{
    m_ui->setupUi(this);
    m_ui->category->setText(m_inventory.openCategoryName());
    connect(m_ui->cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_ui->saveButton, &QPushButton::clicked, this, &ItemDialog::save);
    connect(m_ui->pictureUpload, &QPushButton::clicked, this,
            [this] { uploadPicture([] { return openFileDialog(); }); });
    // A dropped picture goes exactly the way of a chosen one.
    connect(m_ui->picturePreview, &PicturePreview::fileDropped, this, [this](const QString& path) {
        uploadPicture([path] { return std::optional<QString>(path); });
    });

    if (editing()) {
        setWindowTitle(tr("Wareloom - Edit"));
        m_shown = m_inventory.items().at(size_t(m_index));
        const ItemTexts texts = itemTextsOf(m_shown);
        m_ui->name->setText(texts.name);
        m_ui->price->setText(texts.price);
        m_ui->qty->setText(texts.qty);
        m_ui->code->setText(texts.code);
        if (isPlainFileName(texts.code))
            m_ui->picturePreview->showFile(m_inventory.filePath(pictureFileName(texts.code)));

        auto* menu = new QMenuBar(this);
        QAction* remove = menu->addMenu(tr("&Item"))
                              ->addAction(tr("&Delete Item"), this, &ItemDialog::deleteItem);
        remove->setObjectName(QStringLiteral("actionDeleteItem"));
        remove->setStatusTip(tr("Delete this item from the category"));
        layout()->setMenuBar(menu);
    }
    m_ui->name->setFocus(Qt::OtherFocusReason);
}

ItemDialog::~ItemDialog() = default;

void ItemDialog::save()
{
    const ItemTexts texts{m_ui->name->text(), m_ui->price->text(), m_ui->qty->text(),
                          m_ui->code->text()};
    if (!editing()) {
        // Each box that passes is composed into the new record as it is checked.
        if (const auto refused = checkItemTexts(texts, tr("Error: You must enter an item name!"),
                                                &m_inventory.scratch())) {
            messageBox(this, refused->message, refused->caption);
            return;
        }
        // Appended to the file as it is now, not as the list last showed it.
        if (const Status appended = m_inventory.appendScratch(); !appended) {
            messageBox(this, appended.message(), applicationTitle());
            return;
        }
        accept();
        return;
    }
    if (const auto refused = checkItemTexts(texts, tr("You have to enter an item name!"))) {
        messageBox(this, refused->message, refused->caption);
        return;
    }
    ItemRecord record = m_shown;
    storeItemTexts(record, texts);
    if (const Status written = m_inventory.replaceItem(m_index, m_shown, record); !written) {
        messageBox(this, tr("The item was not saved. %1").arg(written.message()),
                   applicationTitle());
        return;
    }
    accept();
}

void ItemDialog::deleteItem()
{
    if (messageBox(this, tr("Delete this inventory item.  Are you sure?"),
                   QStringLiteral("Warloom"), MessageButtons::YesNo) != MessageAnswer::Yes)
        return;
    // Asked before the item goes, so that it is not counted among the others.
    const QString code = m_ui->code->text(); // as the box holds it now
    const QStringList sharing =
        code.isEmpty() ? QStringList() : m_inventory.itemsWithCode(code, m_index);
    if (const Status removed = m_inventory.removeItem(m_index, m_shown); !removed) {
        messageBox(this, tr("The item was not deleted. %1").arg(removed.message()),
                   applicationTitle());
        return;
    }
    QString question = tr("This entry has a picture.  Remove the picture from the FTP server?");
    if (!sharing.isEmpty()) {
        question += tr("\n\n%1 is also the picture of: %2")
                        .arg(pictureFileName(code), sharing.join(QStringLiteral(", ")));
    }
    if (!code.isEmpty() &&
        messageBox(this, question, Caption,
                   sharing.isEmpty() ? MessageButtons::YesNo : MessageButtons::YesNoDefaultNo) ==
            MessageAnswer::Yes)
        removePicture(code);
    accept();
}

void ItemDialog::removePicture(const QString& code)
{
    // Such a code names a file elsewhere, here or on the host; Picture Upload
    // never stores a picture under it.
    if (!isPlainFileName(code)) {
        messageBox(this,
                   tr("No picture was removed: \"%1\" cannot be the code of a picture.").arg(code),
                   Caption);
        return;
    }
    const QString fileName = pictureFileName(code);
    QFile::remove(m_inventory.filePath(fileName)); // a missing picture is nothing to report
    // A thumbnail made here went to the host too (the modern style).
    QStringList remote{fileName};
    if (QFile::remove(m_inventory.filePath(Thumbnails::fileName(code))))
        remote << Thumbnails::fileName(code);
    WebHost host(this, m_inventory.store());
    if (!host.settingsOrTell())
        return;
    setWindowTitle(fileName);
    host.deleteFiles(remote);
}

void ItemDialog::uploadPicture(const std::function<std::optional<QString>()>& choose)
{
    const QString code = m_ui->code->text();
    if (code.isEmpty()) {
        messageBox(this, tr("Enter the item 'code' first.  The image is renamed the 'Code.jpg'"),
                   Caption);
        return;
    }
    if (!isPlainFileName(code)) {
        messageBox(this,
                   tr("The code \"%1\" cannot name a picture file: it must not hold "
                      "/ or \\ and must not be . or ..")
                       .arg(code),
                   Caption);
        return;
    }
    WebHost host(this, m_inventory.store());
    if (!host.settingsOrTell())
        return;
    const std::optional<QString> chosen = choose();
    if (!chosen)
        return;
    const QString fileName = pictureFileName(code);
    m_ui->picturePreview->showFile(*chosen);
    // The earlier local picture stays whole unless the new one is complete.
    // The upload sends the chosen file itself, so it goes ahead either way.
    if (const Status copied = copyFileAtomically(*chosen, m_inventory.filePath(fileName));
        !copied) {
        messageBox(
            this,
            tr("The picture was not copied into the data directory.\n%1").arg(copied.message()),
            Caption);
    }
    host.uploadPicture(*chosen, fileName, makeThumbnailFor(*chosen, code));
}

// The thumbnail the modern pages show, to go first on the same login, so that
// a page never shows an old one beside the new picture. Classic pages show
// none: nothing is made.
std::optional<HostFile> ItemDialog::makeThumbnailFor(const QString& chosenPath, const QString& code)
{
    if (WebsiteSettings::load(m_inventory.store()).style != WebsiteSettings::Style::Modern)
        return std::nullopt;
    const QString thumbnail = Thumbnails::fileName(code);
    const QString thumbnailPath = m_inventory.filePath(thumbnail);
    if (const Status made = makeThumbnail(chosenPath, thumbnailPath); !made) {
        QFile::remove(thumbnailPath); // it would show the earlier picture
        messageBox(this, made.message(), Caption);
        return std::nullopt;
    }
    return HostFile{thumbnailPath, thumbnail};
}

} // namespace wareloom
