#include "TestFiles.h"
#include "TestPictures.h"
#include "gui/platform/Picture.h"

#include <QPalette>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

using namespace wareloom;

namespace {

QImage solidImage(QSize size, QColor colour)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// A 1 by 1 GIF, written out by hand: header, screen, two-colour table, image, trailer.
const QByteArray OnePixelGif("GIF89a\x01\x00\x01\x00\x80\x00\x00\xff\x00\x00\x00\x00\x00"
                             ",\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02\x44\x01\x00;",
                             35);

} // namespace

class TestPicture : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private Q_SLOTS:
    // Item pictures are always called .jpg, whatever they hold.
    void loadsAnyPictureByItsContent_data()
    {
        QTest::addColumn<QByteArray>("bytes"); // null: no file
        QTest::addColumn<QSize>("size");
        QTest::newRow("PNG") << test::solidPicture({8, 6}, Qt::red) << QSize(8, 6);
        QTest::newRow("JPEG") << test::solidPicture({800, 600}, Qt::blue, "JPEG")
                              << QSize(800, 600);
        QTest::newRow("BMP") << test::solidPicture({3, 9}, Qt::green, "BMP") << QSize(3, 9);
        QTest::newRow("GIF") << OnePixelGif << QSize(1, 1);
        QTest::newRow("no file") << QByteArray() << QSize();
        QTest::newRow("empty file") << QByteArray("") << QSize();
        QTest::newRow("text") << QByteArray("not a picture\n") << QSize();
        QTest::newRow("PNG cut short") << test::solidPicture({8, 6}, Qt::red).left(20) << QSize();
    }
    void loadsAnyPictureByItsContent()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QSize, size);
        const QString path = m_dir.filePath(QStringLiteral("A1.jpg"));
        QFile::remove(path);
        if (!bytes.isNull())
            QVERIFY(test::writeFile(path, bytes));
        const QImage picture = LoadPictureFile(path);
        QCOMPARE(picture.isNull(), !size.isValid());
        if (size.isValid())
            QCOMPARE(picture.size(), size);
    }

    void drawnPictureIsKeptReplacedAndRemoved()
    {
        QWidget window;
        window.resize(500, 300);
        QPalette palette;
        palette.setColor(QPalette::Window, Qt::white);
        window.setPalette(palette);
        window.show();
        const QPoint at(40, 60);
        const QRect area(at, QSize(350, 150));

        DrawPicture(solidImage({30, 70}, Qt::red), &window, at);
        QImage shown = window.grab().toImage();
        QCOMPARE(shown.pixelColor(area.topLeft()), QColor(Qt::red));
        QCOMPARE(shown.pixelColor(area.bottomRight()), QColor(Qt::red));
        QCOMPARE(shown.pixelColor(area.bottomRight() + QPoint(1, 1)), QColor(Qt::white));

        DrawPicture(solidImage({5, 5}, Qt::blue), &window, at);
        QCOMPARE(window.grab().toImage().pixelColor(area.center()), QColor(Qt::blue));
        DrawPicture(QImage(), &window, at);
        QCOMPARE(window.grab().toImage().pixelColor(area.center()), QColor(Qt::white));
        QCOMPARE(window.children().size(), 1); // one preview, found again each time
    }
};

QTEST_MAIN(TestPicture)
#include "tst_picture.moc"
