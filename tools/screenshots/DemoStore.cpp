#include "DemoStore.h"

#include "core/store/CategoryStore.h"
#include "core/store/ItemRecord.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <cstdio>

namespace wareloom::screenshots {

namespace {

DemoItem item(const char* name, const char* price, const char* qty, const char* code,
              QColor pictureColour = {})
{
    return {QString::fromUtf8(name), QString::fromUtf8(price), QString::fromUtf8(qty),
            QString::fromUtf8(code), pictureColour};
}

} // namespace

const DemoCategory& pictureCategory()
{
    static const DemoCategory category{
        QStringLiteral("Café Crockery"),
        {
            item("Teapot, blue glaze", "24.00", "2", "CC-101", QColor(40, 90, 170)),
            item("Crème brûlée dish", "6.50", "12", "CC-102", QColor(230, 190, 60)),
            item("Espresso cup & saucer", "8.90", "6", "CC-103", QColor(170, 60, 50)),
            item("Milk jug", "11.00", "1", "CC-104", QColor(70, 140, 90)),
        },
    };
    return category;
}

const std::vector<DemoCategory>& plainCategories()
{
    static const std::vector<DemoCategory> categories{
        {QStringLiteral("Books"),
         {item("Atlas of the Alps", "19.95", "3", "B-01"),
          item("Paperback novel", "7.95", "14", "B-02"),
          item("Cookbook: Pâtisserie", "29.00", "2", "B-03")}},
        {QStringLiteral("Garden Tools"),
         {item("Spade", "24.00", "2", "G-1"), item("Rake", "18.50", "5", "G-2")}},
        {QStringLiteral("Jouets en bois"), {item("Wooden train", "35.00", "1", "T-1")}},
        {QStringLiteral("Stationery"), {}},
    };
    return categories;
}

bool writeDemoPicture(const DemoItem& item, const QString& path)
{
    QImage image(640, 480, QImage::Format_RGB32);
    image.fill(QColor(245, 240, 230));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(QRect(0, 360, 640, 120), QColor(190, 160, 120)); // the table
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 40));
    painter.drawEllipse(QRectF(170, 375, 300, 40)); // shadow
    painter.setBrush(item.pictureColour);
    painter.drawEllipse(QRectF(180, 150, 280, 240));            // body
    painter.drawRoundedRect(QRectF(260, 110, 120, 60), 20, 20); // lid
    QPainterPath spout;
    spout.moveTo(440, 260);
    spout.cubicTo(500, 250, 520, 200, 560, 170);
    spout.lineTo(570, 185);
    spout.cubicTo(530, 230, 500, 300, 445, 320);
    spout.closeSubpath();
    painter.drawPath(spout);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(item.pictureColour, 22));
    painter.drawArc(QRectF(120, 200, 110, 130), 90 * 16, 180 * 16); // handle
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255, 90));
    painter.drawEllipse(QRectF(240, 190, 60, 90)); // shine
    painter.end();
    return image.save(path, "JPEG", 90);
}

bool writeCategory(const DataDirectory& store, const DemoCategory& category)
{
    if (const Status created = createCategory(category.name, store.path()); !created) {
        std::fprintf(stderr, "%s\n", qPrintable(created.message()));
        return false;
    }
    ItemRecords records;
    for (const DemoItem& item : category.items) {
        ItemRecord& record = records.emplace_back();
        storeFieldString(record, ItemField::Name, item.name);
        storeFieldString(record, ItemField::Price, item.price);
        storeFieldString(record, ItemField::Qty, item.qty);
        storeFieldString(record, ItemField::Code, item.code);
    }
    if (const Status written = writeCategory(store.categoryFilePath(category.name), records);
        !written) {
        std::fprintf(stderr, "%s\n", qPrintable(written.message()));
        return false;
    }
    return true;
}

} // namespace wareloom::screenshots
