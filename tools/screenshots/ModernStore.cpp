#include "ModernStore.h"

#include "BrowserShot.h"
#include "DemoStore.h"

#include "core/pages/WebsiteSettings.h"
#include "core/publish/PublishRun.h"
#include "core/store/CategoryStore.h"
#include "core/util/AtomicFile.h"
#include "images/Thumbnail.h"

#include <QDir>
#include <QUrl>

namespace wareloom::screenshots {

QString fullCategoryName()
{
    return QStringLiteral("Teapots");
}

bool writeModernStore(const DataDirectory& store)
{
    WebsiteSettings site;
    site.shopName = QStringLiteral("Tea & Crockery");
    site.contactEmail = QStringLiteral("shop@example.org");
    site.style = WebsiteSettings::Style::Modern;
    site.currency = QStringLiteral("€");
    site.locale = QStringLiteral("de_DE");
    bool ok = bool(site.save(store));
    for (const DemoCategory& category : plainCategories())
        ok = writeCategory(store, category) && ok;
    ok = writeCategory(store, pictureCategory()) && ok;
    const QStringList glazes{"Blue",  "Celadon", "Ivory", "Rust", "Moss",
                             "Slate", "Honey",   "Plum",  "Sand", "Coal"};
    const QStringList shapes{"teapot", "teapot, tall", "tea bowl", "tea caddy", "kettle"};
    DemoCategory teapots{fullCategoryName(), {}};
    for (int i = 0; i < 50; ++i) {
        DemoItem item{
            glazes[i % 10] + QLatin1Char(' ') + shapes[i / 10],
            QStringLiteral("%1,%2").arg(12 + i * 7 % 90).arg(i % 4 * 25, 2, 10, QLatin1Char('0')),
            QString::number(i % 9), QStringLiteral("TP-%1").arg(i + 1, 2, 10, QLatin1Char('0')),
            QColor::fromHsv(i * 36 % 360, 120 + i % 5 * 25, 110 + i % 3 * 50)};
        ok = writeDemoPicture(item, store.filePath(item.code + QStringLiteral(".jpg"))) && ok;
        teapots.items.push_back(item);
    }
    ok = writeCategory(store, teapots) && ok;
    for (const DemoItem& item : pictureCategory().items)
        ok = writeDemoPicture(item, store.filePath(item.code + QStringLiteral(".jpg"))) && ok;
    PublishRun run(store, 0, PublishRun::Mode::GenerateOnly);
    run.setThumbnailMaker(makeThumbnail);
    return run.run().failedPages.empty() && ok;
}

bool shootModernStore(const DataDirectory& store, const QString& chromium,
                      const QString& outDirectory)
{
    const QString frame = store.filePath(QStringLiteral("phone.html"));
    const QByteArray page = QUrl::toPercentEncoding(fullCategoryName() + QStringLiteral(".htm"));
    bool ok = bool(replaceFile(
        frame, "<!DOCTYPE html><html><body style=\"margin:0;background:#444\"><iframe src=\"" +
                   page +
                   "\" style=\"display:block;margin:20px auto;width:390px;height:800px;"
                   "border:0;border-radius:16px;background:#fff\"></iframe></body></html>"));
    const QDir out(outDirectory);
    ok = ok &&
         renderPage(chromium, frame, out.filePath(QStringLiteral("modern-phone.png")), {500, 840});
    return renderPage(chromium, store.filePath(fullCategoryName() + QStringLiteral(".htm")),
                      out.filePath(QStringLiteral("modern-desktop.png")), {1200, 800}) &&
           ok;
}

} // namespace wareloom::screenshots
