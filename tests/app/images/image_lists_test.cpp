// The image lists as pictures: a loaded bitmap one row lower on white in the
// tree, its white see-through in menus, and the default program image for a
// bitmap that cannot be read.

#include <QTemporaryDir>
#include <QtTest>

#include "app/images/image_lists.h"
#include "core/store/store_loader.h"
#include "support/fake_platform.h"

using namespace orbel;

class ImageListsTest : public QObject {
    Q_OBJECT
    orbel::testing::FakePlatform platform;

private slots:
    void bitmapsAndTheirFallback() {
        QTemporaryDir dir;
        QImage bmp(16, 16, QImage::Format_RGB32);
        bmp.fill(Qt::white);
        bmp.setPixel(3, 0, qRgb(200, 10, 10));
        bmp.setPixel(15, 15, qRgb(10, 200, 10));
        const QString good = dir.filePath("good.bmp");
        QVERIFY(bmp.save(good, "BMP"));
        const QString bad = dir.filePath("bad.bmp");
        QFile f(bad);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("BM this is not a bitmap");
        f.close();

        ItemStore s;
        s.dataDir = dir.path().toStdString() + "/";
        InstallMenuTemplate(s);
        MakeExtensionIcons(s);  // "exe" only: the default program image
        const int goodIndex = LoadIconBitmap(s, good.toStdString());
        const int badIndex = LoadIconBitmap(s, bad.toStdString());
        ImageLists lists(s.images, s.counters.defaultProgramImage, platform);

        const QImage tree = lists.treeImage(goodIndex);
        QCOMPARE(tree.size(), QSize(16, 18));
        QCOMPARE(tree.pixel(3, 0), qRgb(255, 255, 255));  // row 0 stays white
        QCOMPARE(tree.pixel(3, 1), qRgb(200, 10, 10));
        QCOMPARE(tree.pixel(15, 16), qRgb(10, 200, 10));
        QCOMPARE(tree.pixel(15, 17), qRgb(255, 255, 255));

        const QImage menu = lists.menuImage(goodIndex).toImage();
        QCOMPARE(menu.size(), QSize(16, 16));
        QCOMPARE(qAlpha(menu.pixel(0, 0)), 0);
        QCOMPARE(menu.pixel(3, 0), qRgb(200, 10, 10));

        // Unreadable: the same picture as the default program image.
        QCOMPARE(lists.treeImage(badIndex), lists.treeImage(s.counters.defaultProgramImage));
        QVERIFY(!lists.treeImage(badIndex).isNull());
    }

    void everyImageRendersInBothSizes() {
        ItemStore s;
        InstallMenuTemplate(s);
        ImageLists lists(s.images, s.counters.defaultProgramImage, platform);
        QCOMPARE(lists.count(), 15);  // twelve fixed images and three breaks
        for (int i = 0; i < lists.count(); ++i) {
            QCOMPARE(lists.menuImage(i).size(), QSize(16, 16));
            QCOMPARE(lists.treeImage(i).size(), QSize(16, 18));
        }
        QVERIFY(lists.menuImage(lists.count()).isNull());
        QVERIFY(lists.treeImage(-1).isNull());
    }
};

QTEST_MAIN(ImageListsTest)
#include "image_lists_test.moc"
