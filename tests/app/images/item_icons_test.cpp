// Icons from the desktop: which source each kind of item takes its icon
// from, that a 2x surface gets a picture drawn for its device pixels, and
// that the exported menu names theme icons instead of sending pictures.

#include <QBuffer>
#include <QPainter>
#include <QtTest>

#include "app/program/form_general.h"
#include "app/images/image_lists.h"
#include "app/tray/form_shortcuts.h"
#include "app/tray/tray_menu_export.h"
#include "core/store/item_table.h"
#include "core/tray/menu_model.h"
#include "support/test_program.h"

using namespace orbel;
using Source = ItemIcon::Source;

namespace {

// 32 one-unit stripes, red and blue in turn: drawn for 32 device pixels or
// more, neighbouring pixels differ; scaled up from 16, pairs are alike.
QByteArray StripedSvg() {
    QByteArray svg = "<svg xmlns='http://www.w3.org/2000/svg' width='32' height='32' viewBox='0 0 32 32'>";
    for (int x = 0; x < 32; ++x)
        svg += QByteArray("<rect x='") + QByteArray::number(x) + "' y='0' width='1' height='32' fill='" +
               (x % 2 ? "#0000ff" : "#ff0000") + "'/>";
    return svg + "</svg>";
}

// A theme of its own under dir, so what the desktop has installed plays no part.
void MakeTheme(const QString& dir) {
    QDir().mkpath(dir + "/icons/orbeltest/scalable/apps");
    QDir().mkpath(dir + "/icons/orbeltest/scalable/mimetypes");
    QDir().mkpath(dir + "/icons/orbeltest/scalable/places");
    auto write = [](const QString& path, const QByteArray& bytes) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    };
    write(dir + "/icons/orbeltest/index.theme",
          "[Icon Theme]\nName=orbeltest\nDirectories=scalable/apps,scalable/mimetypes,scalable/places\n\n"
          "[scalable/apps]\nSize=16\nMinSize=8\nMaxSize=512\nType=Scalable\nContext=Applications\n\n"
          "[scalable/mimetypes]\nSize=16\nMinSize=8\nMaxSize=512\nType=Scalable\nContext=MimeTypes\n\n"
          "[scalable/places]\nSize=16\nMinSize=8\nMaxSize=512\nType=Scalable\nContext=Places\n");
    for (const char* name : {"apps/orbel-app", "apps/orbel-prog", "mimetypes/text-plain", "places/folder"})
        write(dir + "/icons/orbeltest/scalable/" + name + ".svg", StripedSvg());
    QIcon::setThemeSearchPaths({dir + "/icons"});
    QIcon::setThemeName("orbeltest");
}

class FakeLookup : public DesktopIconLookup {
public:
    QHash<QString, QString> entries, programs;
    QString entryIcon(const QString& file) override { return entries.value(file); }
    QString programIcon(const QString& program) override { return programs.value(program); }
};

void WriteFile(const QString& path, const QByteArray& bytes, bool executable = false) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    f.close();
    if (executable) f.setPermissions(f.permissions() | QFile::ExeOwner | QFile::ExeUser);
}

// Neighbouring pixels along row y from x0 to x1 that differ clearly.
int SharpSteps(const QImage& img, int y, int x0, int x1) {
    int steps = 0;
    for (int x = x0; x < x1; ++x) {
        const QColor a = img.pixelColor(x, y), b = img.pixelColor(x + 1, y);
        if (std::abs(a.red() - b.red()) > 160 && std::abs(a.blue() - b.blue()) > 160) ++steps;
    }
    return steps;
}

}  // namespace

class ItemIconsTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    QString d(const QString& name) const { return dir_.path() + "/" + name; }

private slots:
    void initTestCase() {
        MakeTheme(dir_.path());
        QDir().mkpath(d("files/Sub"));
        WriteFile(d("files/app.desktop"), "[Desktop Entry]\n");
        WriteFile(d("files/absolute.desktop"), "[Desktop Entry]\n");
        WriteFile(d("files/unknown.desktop"), "[Desktop Entry]\n");
        WriteFile(d("files/notes.txt"), "some text\n");
        WriteFile(d("files/report.orbelunknown"), QByteArray("\x00\x01\x02\x03", 4));
        WriteFile(d("files/prog"), "#!/bin/sh\n", true);
        WriteFile(d("files/lone-prog"), "#!/bin/sh\n", true);
        QImage big(48, 48, QImage::Format_ARGB32);
        big.fill(Qt::green);
        QVERIFY(big.save(d("files/picture.png")));
    }

    void eachKindTakesItsSource_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("source");
        QTest::addColumn<QString>("themeName");
        QTest::newRow("desktop entry, theme name") << "files/app.desktop" << int(Source::Entry) << "orbel-app";
        QTest::newRow("desktop entry, image file") << "files/absolute.desktop" << int(Source::Entry) << "";
        QTest::newRow("desktop entry, icon not in the theme") << "files/unknown.desktop" << int(Source::Stored) << "";
        QTest::newRow("desktop entry that is gone") << "files/gone.desktop" << int(Source::Stored) << "";
        QTest::newRow("document") << "files/notes.txt" << int(Source::MimeType) << "text-plain";
        QTest::newRow("document without a known type") << "files/report.orbelunknown" << int(Source::Stored) << "";
        QTest::newRow("document that is gone") << "files/gone.txt" << int(Source::Stored) << "";
        QTest::newRow("directory") << "files/Sub" << int(Source::Folder) << "folder";
        QTest::newRow("program an entry starts") << "files/prog" << int(Source::Program) << "orbel-prog";
        QTest::newRow("program no entry starts") << "files/lone-prog" << int(Source::Stored) << "";
    }
    void eachKindTakesItsSource() {
        QFETCH(QString, path);
        QFETCH(int, source);
        QFETCH(QString, themeName);
        auto lookup = std::make_unique<FakeLookup>();
        lookup->entries = {{d("files/app.desktop"), "orbel-app"},
                           {d("files/absolute.desktop"), d("files/picture.png")},
                           {d("files/unknown.desktop"), "orbel-not-in-theme"}};
        lookup->programs = {{d("files/prog"), "orbel-prog"}};
        ItemTable table;
        AppendString(table.paths, d(path).toStdString());
        ItemIcons icons(table, std::move(lookup));
        const ItemIcon got = icons.forItem(0);
        QCOMPARE(int(got.source), source);
        QCOMPARE(got.themeName, themeName);
        QCOMPARE(got.icon.isNull(), source == int(Source::Stored));
        QCOMPARE(int(icons.forItem(1).source), int(Source::Stored));  // no such item
    }

    // The menu's own drawing and the tree at 2x take a picture drawn for
    // 32 device pixels; an item without a desktop icon keeps its stored one.
    void twiceTheScaleDrawsFromTheLargerSource() {
        testing::TestProgram t;
        t.write(
            "shortcuts/shortcuts.txt",
            QString("^UnkLnk|%1|txt|Notes\r\n^UnkLnk|/tmp/gone.txt|txt|Gone\r\n").arg(d("files/notes.txt")).toUtf8());
        Program& p = t.program();
        p.images()->setItemIcons(std::make_unique<ItemIcons>(p.store().table, std::make_unique<FakeLookup>()));
        t.startUp();
        const MenuEntry* notes = p.store().liveMenu->child(0);
        const MenuEntry* gone = p.store().liveMenu->child(1);
        QCOMPARE(ItemNumberOf(*notes), 0);
        QVERIFY(notes->imageIndex >= 0);

        QImage surface(QSize(200, 19) * 2, QImage::Format_ARGB32_Premultiplied);
        surface.setDevicePixelRatio(2);
        for (const MenuEntry* e : {notes, gone}) {
            surface.fill(Qt::white);
            QPainter painter(&surface);
            p.shortcuts()->NorItemsRTDrawItem(*e, painter, QRect(0, 0, 200, 19), false);
            painter.end();
            // The icon's cell spans device columns 4 to 35, rows 2 to 33.
            const int steps = SharpSteps(surface, 18, 4, 35);
            if (e == notes) {
                QVERIFY2(steps >= 28, qPrintable(QString("%1 sharp steps").arg(steps)));
            } else {
                // The stored picture, each pixel doubled.
                QImage expected(32, 32, QImage::Format_ARGB32_Premultiplied);
                expected.fill(Qt::white);
                QPainter e2(&expected);
                e2.drawPixmap(QRect(0, 0, 32, 32), p.images()->menuImage(e->imageIndex));
                e2.end();
                QImage cell = surface.copy(4, 2, 32, 32);
                cell.setDevicePixelRatio(1);
                QCOMPARE(cell, expected);
            }
        }

        const QPixmap tree = p.images()->treeIcon(0, false).pixmap(QSize(16, 18), 2.0);
        QCOMPARE(tree.size(), QSize(32, 36));
        QVERIFY(SharpSteps(tree.toImage(), 18, 0, 31) >= 28);
        QVERIFY(p.images()->treeIcon(1, false).isNull());  // the model keeps the stored picture

        // The program's own drawings have a 2x picture too; bitmaps do not.
        QCOMPARE(p.images()->menuIcon(img::Folder).pixmap(QSize(16, 16), 2.0).size(), QSize(32, 32));
        QCOMPARE(p.images()->menuImage(img::Folder, 1.0).toImage(), p.images()->menuImage(img::Folder).toImage());
        QCOMPARE(p.images()->menuImage(gone->imageIndex, 2.0).size(), QSize(16, 16));
    }

    // Theme icons go to the host by name, others as a picture of 32 pixels.
    void theExportedMenuNamesThemeIcons() {
        testing::TestProgram t;
        t.write("shortcuts/shortcuts.txt", QString("^UnkLnk|%1|desktop|App\r\n^UnkLnk|%2|desktop|Picture\r\n"
                                                   "^UnkLnk|/tmp/gone.txt|txt|Gone\r\n")
                                               .arg(d("files/app.desktop"), d("files/absolute.desktop"))
                                               .toUtf8());
        Program& p = t.program();
        auto lookup = std::make_unique<FakeLookup>();
        lookup->entries = {{d("files/app.desktop"), "orbel-app"},
                           {d("files/absolute.desktop"), d("files/picture.png")}};
        p.images()->setItemIcons(std::make_unique<ItemIcons>(p.store().table, std::move(lookup)));
        t.startUp();
        DBusMenuLayoutItem root;
        p.general()->trayMenuExport->getLayout(0, 1, {}, root);
        QHash<QString, QVariantMap> byLabel;
        for (const QDBusVariant& v : root.children) {
            const auto child = qvariant_cast<DBusMenuLayoutItem>(v.variant());
            byLabel.insert(child.properties.value("label").toString(), child.properties);
        }
        QCOMPARE(byLabel["App"].value("icon-name").toString(), QString("orbel-app"));
        QVERIFY(!byLabel["App"].contains("icon-data"));
        for (const char* label : {"Picture", "Gone"}) {
            QVERIFY2(!byLabel[label].contains("icon-name"), label);
            QImage png;
            QVERIFY2(png.loadFromData(byLabel[label].value("icon-data").toByteArray(), "PNG"), label);
            QVERIFY2(png.width() >= 32 && png.height() >= 32, label);
        }
    }
};

QTEST_MAIN(ItemIconsTest)
#include "item_icons_test.moc"
