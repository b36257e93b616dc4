// Takes the screenshots of docs/screenshots from the real windows, on a sample
// shop it makes in a temporary data directory, publishing to a real FTP server
// on a loopback port. Run by scripts/screenshots under Xvfb.
//   wareloom_screenshots <output directory> [<chromium>]
// Without a Chromium the published pages are not rendered.
//   wareloom_screenshots --modern-store <data directory>
// only writes the sample shop in the modern style and its pages (for
// scripts/lighthouse).

#include "BrowserShot.h"
#include "DemoStore.h"
#include "ModernStore.h"
#include "ScreenGrab.h"
#include "TestFtpServer.h"

#include "core/store/CategoryStore.h"
#include "core/store/Inventory.h"
#include "core/transfer/FtpSettings.h"
#include "core/transfer/Networking.h"
#include "gui/MainWindow.h"
#include "gui/dialogs/HistoryDialog.h"
#include "gui/dialogs/ItemDialog.h"
#include "gui/platform/FileDialog.h"
#include "gui/platform/MessageBox.h"
#include "gui/publish/FtpSettingsDialog.h"
#include "gui/publish/PublishDialog.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>

using namespace wareloom;
using namespace wareloom::screenshots;

namespace {

constexpr int SettleMs = 800;

void fail(const QString& what)
{
    std::fprintf(stderr, "screenshots: %s\n", qPrintable(what));
}

// The boxes shown since the last check must be exactly these texts.
bool boxesWere(MessageBoxHook& boxes, const QStringList& expected, const QString& during)
{
    QStringList texts;
    for (const ShownMessageBox& box : boxes.shown())
        texts << box.text;
    boxes.clear();
    if (texts == expected)
        return true;
    fail(QStringLiteral("%1 showed the boxes [%2], not [%3]")
             .arg(during, texts.join(QStringLiteral(" | ")), expected.join(QStringLiteral(" | "))));
    return false;
}

// Runs the dialog modally and saves it once it has settled, then closes it.
bool shoot(QDialog& dialog, const QString& path)
{
    bool saved = false;
    QTimer::singleShot(SettleMs, &dialog, [&] {
        saved = saveWindow(&dialog, path);
        dialog.reject();
    });
    dialog.exec();
    if (!saved)
        fail(QStringLiteral("could not save %1").arg(path));
    return saved;
}

bool writeSettings(const DataDirectory& store, const test::SettingsFields& fields)
{
    FtpSettings settings(store);
    settings.setText(SettingsField::UserName, fields.userName);
    settings.setText(SettingsField::Password, fields.password);
    settings.setText(SettingsField::FtpServer, fields.ftpServer);
    settings.setText(SettingsField::UploadPath, fields.uploadPath);
    settings.setText(SettingsField::HttpServer, fields.httpServer);
    const Status saved = settings.save();
    if (!saved)
        fail(saved.message());
    return bool(saved);
}

// Types the item into Add Item as a user would, uploads its picture with
// Picture Upload, optionally saves the dialog with its preview, and saves
// the item.
bool addItemThroughDialog(Inventory& inventory, const DemoItem& item, const QString& picture,
                          const QString& shotPath, FileDialogHook& files, MessageBoxHook& boxes)
{
    ItemDialog dialog(inventory, ItemDialog::NewItem);
    bool shot = shotPath.isEmpty();
    bool saved = false;
    auto type = [&](const char* box, const QString& text) {
        dialog.findChild<QLineEdit*>(QLatin1String(box))->setText(text);
    };
    auto press = [&](const char* button) {
        dialog.findChild<QPushButton*>(QLatin1String(button))->click();
    };
    QTimer::singleShot(SettleMs / 2, &dialog, [&] {
        type("name", item.name);
        type("price", item.price);
        type("qty", item.qty);
        type("code", item.code);
        files.queueChoice(picture);
        press("pictureUpload");
        QTimer::singleShot(SettleMs, &dialog, [&] {
            if (!shot)
                shot = saveWindow(&dialog, shotPath);
            press("saveButton");
            saved = !dialog.isVisible();
            if (!saved)
                dialog.reject();
        });
    });
    dialog.exec();
    if (!shot)
        fail(QStringLiteral("could not save %1").arg(shotPath));
    if (!saved)
        fail(QStringLiteral("Add Item did not save %1").arg(item.name));
    return boxesWere(boxes, {QStringLiteral("Image Uploaded!")}, QStringLiteral("Add Item")) &&
           shot && saved;
}

// Publishes through the publish dialog, saving it during a category upload.
bool publishThroughDialog(const DataDirectory& store, int categoryCount, const QString& shotPath,
                          MessageBoxHook& boxes)
{
    PublishDialog dialog(store, categoryCount);
    CategoryUploadShot shot(dialog, *dialog.findChild<QLabel*>(QStringLiteral("status")), shotPath);
    dialog.exec();
    if (!shot.saved())
        fail(QStringLiteral("no category upload was caught for %1").arg(shotPath));
    return boxesWere(boxes, {}, QStringLiteral("Publishing")) && shot.saved();
}

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    if (argc == 3 && qstrcmp(argv[1], "--modern-store") == 0) {
        const DataDirectory store(QString::fromLocal8Bit(argv[2]));
        return store.create() && writeModernStore(store) ? 0 : 1;
    }
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: wareloom_screenshots <output directory> [<chromium>]\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    const QString chromium = argc == 3 ? QString::fromLocal8Bit(argv[2]) : QString();

    QTemporaryDir data;
    QTemporaryDir photos; // the seller's own pictures, outside the data directory
    const DataDirectory store(data.path());
    if (!data.isValid() || !photos.isValid() || !store.create() || !startNetworking()) {
        fail(QStringLiteral("cannot set up the data directory and the network"));
        return 1;
    }
    test::TestFtpServer server;
    if (!server.start()) {
        fail(server.errorString());
        return 1;
    }
    MessageBoxHook boxes;
    FileDialogHook files;
    bool ok = true;

    // The settings as a user would type them for a web host.
    ok =
        writeSettings(store, {QStringLiteral("shopkeeper"), QStringLiteral("s3cret"),
                              QStringLiteral("ftp.myshop.example"), QStringLiteral("/htdocs/shop/"),
                              QStringLiteral("http://www.myshop.example/shop/inventory.htm")}) &&
        ok;
    FtpSettingsDialog settingsDialog(store);
    ok = shoot(settingsDialog, out.filePath(QStringLiteral("ftp-settings.png"))) && ok;
    // From here on the host is the local server.
    ok = writeSettings(store, server.settings(QStringLiteral("/htdocs/"))) && ok;

    for (const DemoCategory& category : plainCategories())
        ok = writeCategory(store, category) && ok;
    const DemoCategory& shop = pictureCategory();
    ok = writeCategory(store, {shop.name, {}}) && ok;
    Inventory inventory(store);
    for (const CategoryEntry& category : inventory.categories()) {
        if (category.name == shop.name)
            ok = inventory.openCategory(category) && ok;
    }
    for (const DemoItem& item : shop.items) {
        const QString picture = photos.filePath(item.code + QStringLiteral("-photo.jpg"));
        const QString shot =
            &item == &shop.items.front() ? out.filePath(QStringLiteral("add-item.png")) : QString();
        ok = writeDemoPicture(item, picture) &&
             addItemThroughDialog(inventory, item, picture, shot, files, boxes) && ok;
    }

    // An item deleted by mistake: History shows the version that still has it.
    if (!inventory.items().empty())
        ok = inventory.removeItem(0, inventory.items().front()) && ok;
    HistoryDialog historyDialog(inventory);
    ok = shoot(historyDialog, out.filePath(QStringLiteral("history-dialog.png"))) && ok;

    inventory.closeCategory();
    inventory.refresh();
    {
        MainWindow mainWindow(inventory);
        mainWindow.show();
        bool saved = false;
        QTimer::singleShot(SettleMs, &mainWindow, [&] {
            saved = saveWindow(&mainWindow, out.filePath(QStringLiteral("main-window.png")));
            QCoreApplication::exit(0);
        });
        QCoreApplication::exec();
        ok = saved && ok;
    }
    ok = publishThroughDialog(store, int(inventory.categories().size()),
                              out.filePath(QStringLiteral("publish-dialog.png")), boxes) &&
         ok;

    if (!chromium.isEmpty()) {
        const QString page =
            server.localPath(QStringLiteral("/htdocs/") + shop.name + QStringLiteral(".htm"));
        ok = renderPage(chromium, page, out.filePath(QStringLiteral("published-page.png")),
                        {900, 560}) &&
             ok;
        QTemporaryDir modern;
        const DataDirectory modernStore(modern.path());
        ok = writeModernStore(modernStore) && shootModernStore(modernStore, chromium, out.path()) &&
             ok;
    }
    return ok ? 0 : 1;
}
