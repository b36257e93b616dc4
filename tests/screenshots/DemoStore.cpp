#include "DemoStore.h"

#include "store/CategoryStore.h"
#include "store/ItemRecord.h"
#include "store/RecordTable.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <cstdio>

namespace wareloom::screenshots {

const DemoCategory& pictureCategory()
{
    static const DemoCategory category{
        QStringLiteral("Café Crockery"),
        {
            {QStringLiteral("Teapot, blue glaze"), QStringLiteral("24.00"), QStringLiteral("2"),
             QStringLiteral("CC-101"), QColor(40, 90, 170)},
            {QStringLiteral("Crème brûlée dish"), QStringLiteral("6.50"), QStringLiteral("12"),
             QStringLiteral("CC-102"), QColor(230, 190, 60)},
            {QStringLiteral("Espresso cup & saucer"), QStringLiteral("8.90"), QStringLiteral("6"),
             QStringLiteral("CC-103"), QColor(170, 60, 50)},
            {QStringLiteral("Milk jug"), QStringLiteral("11.00"), QStringLiteral("1"),
             QStringLiteral("CC-104"), QColor(70, 140, 90)},
        },
    };
    return category;
}

const std::vector<DemoCategory>& plainCategories()
{
    static const std::vector<DemoCategory> categories{
        {QStringLiteral("Books"),
         {{QStringLiteral("Atlas of the Alps"), QStringLiteral("19.95"), QStringLiteral("3"),
           QStringLiteral("B-01"), {}},
          {QStringLiteral("Paperback novel"), QStringLiteral("7.95"), QStringLiteral("14"),
           QStringLiteral("B-02"), {}},
          {QStringLiteral("Cookbook: Pâtisserie"), QStringLiteral("29.00"), QStringLiteral("2"),
           QStringLiteral("B-03"), {}}}},
        {QStringLiteral("Garden Tools"),
         {{QStringLiteral("Spade"), QStringLiteral("24.00"), QStringLiteral("2"),
           QStringLiteral("G-1"), {}},
          {QStringLiteral("Rake"), QStringLiteral("18.50"), QStringLiteral("5"),
           QStringLiteral("G-2"), {}}}},
        {QStringLiteral("Jouets en bois"),
         {{QStringLiteral("Wooden train"), QStringLiteral("35.00"), QStringLiteral("1"),
           QStringLiteral("T-1"), {}}}},
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
    painter.drawEllipse(QRectF(180, 150, 280, 240)); // body
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

bool writeCategory(const DemoCategory& category)
{
    if (const Status created = createCategory(category.name); !created) {
        std::fprintf(stderr, "%s\n", qPrintable(created.message()));
        return false;
    }
    RecordTable& table = recordTable();
    for (const DemoItem& item : category.items) {
        ItemRecord& record = table.scratch();
        record = ItemRecord{};
        storeFieldString(record, ItemField::Name, item.name);
        storeFieldString(record, ItemField::Price, item.price);
        storeFieldString(record, ItemField::Qty, item.qty);
        storeFieldString(record, ItemField::Code, item.code);
        if (const Status added = appendScratchRecord(categoryFilePath(category.name), table);
            !added) {
            std::fprintf(stderr, "%s\n", qPrintable(added.message()));
            return false;
        }
    }
    return true;
}

} // namespace wareloom::screenshots
