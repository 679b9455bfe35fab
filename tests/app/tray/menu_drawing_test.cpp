// The tray menu as the program draws it, checked pixel by pixel on the
// rendered menus, in both drawing modes, and the switch between them.

#include <QAction>
#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPalette>
#include <QtTest>
#include <functional>

#include "app/manager/form_items.h"
#include "app/store/image_lists.h"
#include "app/tray/form_shortcuts.h"
#include "app/tray/live_menu.h"
#include "app/tray/menu_drawing.h"
#include "platform/system_info.h"
#include "support/test_program.h"

using namespace orbel;
using orbel::testing::TestProgram;

namespace {

const QColor kDarkBlue(0, 0, 128);

const char* kStore =
    "^UnkLnk|/tmp/a.txt|txt|Alpha\r\n"
    "^UnkLnk|/tmp/b.txt|txt|Gamm&a\r\n"
    "^SpeSep|Clos&e\r\n"
    "^NorSep|\r\n"
    "^Folder|Same\r\n"
    "^UnkLnk|/tmp/c.txt|txt|Same\r\n";

struct Fixture {
    TestProgram t;
    Fixture(bool windowsDraw, int fontSize = 8) {
        t.write("shortcuts/shortcuts.txt", kStore);
        t.write("shortcuts/Same/shortcuts.txt", "^UnkLnk|/tmp/d.txt|txt|Inner\r\n");
        t.startUp();
        setMode(windowsDraw, fontSize);
    }
    ~Fixture() { menu()->hide(); }
    Program& p() { return t.program(); }
    LiveMenu* menu() { return p().items->PMItems; }
    // What OK and Apply do after the settings change.
    void setMode(bool windowsDraw, int fontSize = 8) {
        p().settings.WindowsDraw = windowsDraw;
        p().settings.FontSize = fontSize;
        RefreshKitMenu();
        AttachDrawHooks();
    }
};

void Open(QMenu* menu, QPoint at = QPoint(0, 0)) {
    menu->popup(at);
    QCoreApplication::processEvents();
}

QAction* ActionOf(QMenu* menu, const QString& caption) {
    for (QAction* a : menu->actions())
        if (a->text() == caption) return a;
    return nullptr;
}

LiveMenu* OpenSubmenu(QMenu* menu, const QString& caption) {
    QAction* a = ActionOf(menu, caption);
    if (!a || !a->menu()) return nullptr;
    auto* sub = qobject_cast<LiveMenu*>(a->menu());
    Open(sub, QPoint(300, 0));
    return sub;
}

// The menu as drawn with the given action highlighted (or none).
QImage Render(QMenu* menu, QAction* highlighted) {
    menu->setActiveAction(highlighted);
    return menu->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

QColor At(const QImage& img, int x, int y) { return QColor(img.pixel(x, y)); }

// A colour as a pixel holds it (palette colours may carry another spec).
QColor Plain(const QColor& c) { return QColor(c.rgb()); }

bool Whiteish(QColor c) { return c.red() > 160 && c.green() > 160 && c.blue() > 160; }

// Pixels in [x0, x1] x [y0, y1] that satisfy pred.
int Count(const QImage& img, int x0, int x1, int y0, int y1, const std::function<bool(QColor)>& pred) {
    int n = 0;
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            if (pred(At(img, x, y))) ++n;
    return n;
}

QFont ProgramFont(const Program& p) {
    QFont f(QString::fromStdString(p.settings.FontName));
    f.setPointSize(p.settings.FontSize);
    return f;
}

// Baseline of a caption drawn vertically centred in the entry.
int Baseline(const QRect& r, const QFontMetrics& fm) {
    return r.top() + (r.height() - fm.height()) / 2 + fm.ascent();
}

// All entries of the realised menus, depth first, with their rows' heights.
void Collect(QMenu* menu, const QString& path, QStringList& shape, QList<int>& heights) {
    for (QAction* a : menu->actions()) {
        const QString here = path + "/" + (a->isSeparator() ? QStringLiteral("-") : a->text());
        shape << here + (a->isVisible() ? "" : " (hidden)");
        if (a->isVisible()) heights << menu->actionGeometry(a).height();
        if (auto* sub = qobject_cast<LiveMenu*>(a->menu())) {
            Open(sub, QPoint(300, 0));
            Collect(sub, here, shape, heights);
            sub->hide();
        }
    }
}

}  // namespace

class MenuDrawingTest : public QObject {
    Q_OBJECT
private slots:
    void customItemWithIconHighlighted() {
        Fixture f(false);
        Open(f.menu());
        QAction* a = ActionOf(f.menu(), "Alpha");
        QVERIFY(a);
        const MenuEntry* entry = LiveMenu::EntryOf(a);
        QVERIFY(entry->imageIndex >= 0);
        const QRect r = f.menu()->actionGeometry(a);
        QCOMPARE(r.height(), 19);
        const QImage img = Render(f.menu(), a);
        const int L = r.left(), B = r.top() + r.height();
        const QPalette pal = QApplication::palette();
        const QColor lit = Plain(pal.color(QPalette::Light)), shade = Plain(pal.color(QPalette::Dark));

        // The raised frame, each line short of its end point.
        for (int x = 1; x < 18; ++x) QCOMPARE(At(img, L + x, B - 19), lit);
        for (int y = B - 19; y < B - 1; ++y) {
            QCOMPARE(At(img, L + 1, y), lit);
            QCOMPARE(At(img, L + 18, y), shade);
        }
        for (int x = 1; x < 19; ++x) QCOMPARE(At(img, L + x, B - 1), shade);
        // The icon itself, over the menu's ground.
        QImage icon(16, 16, QImage::Format_RGB32);
        icon.fill(f.p().menuColour);
        {
            QPainter p(&icon);
            p.drawPixmap(0, 0, f.p().items->ILAllPublic->menuImage(entry->imageIndex));
        }
        QCOMPARE(img.copy(L + 2, B - 18, 16, 16), icon);
        // Left of x = 20 nothing is filled: the menu's own ground shows.
        for (int y = r.top(); y < B; ++y) {
            QCOMPARE(At(img, L, y), Plain(f.p().menuColour));
            QCOMPARE(At(img, L + 19, y), Plain(f.p().menuColour));
        }
        // From x = 20 dark blue; the caption, white, starts at x = 23.
        for (int y = r.top(); y < B; ++y)
            for (int x : {20, 21, 22, r.width() - 1}) QCOMPARE(At(img, L + x, y), kDarkBlue);
        QVERIFY(Count(img, L + 23, r.right(), r.top(), B - 1, Whiteish) > 10);
        QCOMPARE(Count(img, L + 20, L + 22, r.top(), B - 1, Whiteish), 0);
    }

    void customEntriesNotHighlighted() {
        Fixture f(false);
        Open(f.menu());
        QAction* a = ActionOf(f.menu(), "Alpha");
        const QRect r = f.menu()->actionGeometry(a);
        const QImage img = Render(f.menu(), nullptr);
        const int L = r.left(), B = r.top() + r.height();
        // The frame lines are in the menu colour, the fill too, the text black.
        for (int x = 1; x < 19; ++x) {
            QCOMPARE(At(img, L + x, B - 19), Plain(f.p().menuColour));
            QCOMPARE(At(img, L + x, B - 1), Plain(f.p().menuColour));
        }
        for (int y = r.top(); y < B; ++y) QCOMPARE(At(img, L + 21, y), Plain(f.p().menuColour));
        QVERIFY(Count(img, L + 23, r.right(), r.top(), B - 1, [](QColor c) { return c.lightness() < 60; }) > 10);
        QCOMPARE(Count(img, L, r.right(), r.top(), B - 1, [](QColor c) { return c == kDarkBlue; }), 0);
    }

    void customEntryWithoutIconIsBlueAcross() {
        Fixture f(false);
        Open(f.menu());
        QAction* close = ActionOf(f.menu(), "Close");
        const QRect r = f.menu()->actionGeometry(close);
        QCOMPARE(r.height(), 19);
        const QImage img = Render(f.menu(), close);
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x : {0, 1, 2, 10, 18, 19, 20, 22}) QCOMPARE(At(img, r.left() + x, y), kDarkBlue);
    }

    void accessKeyUnderlinedInItemsOnly() {
        Fixture f(false);
        Open(f.menu());
        const QFontMetrics fm(ProgramFont(f.p()));

        // Item entry "Gamm&a": the last letter is underlined, the first is not.
        QAction* item = ActionOf(f.menu(), "Gamm&a");
        QVERIFY(item);
        QRect r = f.menu()->actionGeometry(item);
        QImage img = Render(f.menu(), item);
        int base = Baseline(r, fm);
        const int aLeft = r.left() + 23 + fm.horizontalAdvance("Gamm");
        const int aRight = r.left() + 23 + fm.horizontalAdvance("Gamma") - 1;
        QVERIFY(Count(img, aLeft, aRight, base + 1, r.bottom(), Whiteish) >= fm.horizontalAdvance("a") - 2);
        QCOMPARE(Count(img, r.left() + 23, r.left() + 23 + fm.horizontalAdvance("G") - 1, base + 1, r.bottom(),
                       Whiteish),
                 0);

        // Text separator "Clos&e": shown as "Close", nothing below the line.
        QAction* sep = ActionOf(f.menu(), "Clos&e");
        QVERIFY(sep);
        r = f.menu()->actionGeometry(sep);
        img = Render(f.menu(), nullptr);
        base = Baseline(r, fm);
        const int w = fm.horizontalAdvance("Close");
        const int left = r.left() + (r.width() - w) / 2;
        QCOMPARE(Count(img, left - 2, left + w + 2, base + 1, r.bottom(), [&](QColor c) { return c != Plain(f.p().menuColour); }),
                 0);
    }

    void textSeparatorEtchedAndCentredInBothModes() {
        for (bool windowsDraw : {false, true}) {
            // A program font unlike the system menu font tells the two apart.
            Fixture f(windowsDraw, 12);
            Open(f.menu());
            QAction* sys = ActionOf(f.menu(), "Sysmenu");
            const QRect r = f.menu()->actionGeometry(sys);
            QCOMPARE(r.height(), 19);  // measured with the program font in both modes
            // The highlight state is ignored.
            const QImage img = Render(f.menu(), sys);
            QCOMPARE(Render(f.menu(), nullptr).copy(r), img.copy(r));
            const int L = r.left(), B = r.top() + r.height();
            const QPalette pal = QApplication::palette();
            const QColor fill = Plain(windowsDraw ? f.p().systemColour : f.p().menuColour);
            QCOMPARE(At(img, L, r.top()), fill);
            QCOMPARE(At(img, r.right(), r.bottom()), fill);
            // The etched line, interrupted where the caption stands.
            int first = -1, last = -1;
            for (int x = L; x <= r.right(); ++x)
                if (At(img, x, B - 10) != Plain(pal.color(QPalette::Dark))) {
                    if (first < 0) first = x;
                    last = x;
                }
            QVERIFY2(first > L && last < r.right(), windowsDraw ? "windows" : "custom");
            for (int x = L; x < first; ++x) QCOMPARE(At(img, x, B - 9), Plain(pal.color(QPalette::Light)));
            QVERIFY(qAbs((first - L) - (r.right() - last)) <= 2);
            // The caption in the font of the mode.
            QFont font = ProgramFont(f.p());
            if (windowsDraw) {
                const QFont system = platform::SystemMenuFont();
                font = QFont(system.family());
                font.setPointSizeF(system.pointSizeF());
            }
            const int w = QFontMetrics(font).horizontalAdvance("Sysmenu");
            QVERIFY2(qAbs((last - first + 1) - w) <= 3,
                     qPrintable(QString("span %1, text %2").arg(last - first + 1).arg(w)));
        }
    }

    void windowsDrawLeavesItemsToTheToolkit() {
        Fixture f(true);
        Open(f.menu());
        QAction* close = ActionOf(f.menu(), "Close");
        const QRect r = f.menu()->actionGeometry(close);
        const QImage img = Render(f.menu(), close);
        QCOMPARE(Count(img, r.left(), r.right(), r.top(), r.bottom(), [](QColor c) { return c == kDarkBlue; }), 0);
        for (const MenuEntry* e : {LiveMenu::EntryOf(close), LiveMenu::EntryOf(ActionOf(f.menu(), "Alpha"))})
            QCOMPARE(e->draw, DrawHook::None);
    }

    void folderMeasuresSevenWider() {
        Fixture f(false);
        QFont font;
        int folderW = 0, folderH = 0, leafW = 0, leafH = 0;
        const MenuEntry& root = *f.p().store.liveMenu;
        const MenuEntry* folder = nullptr;
        const MenuEntry* leaf = nullptr;
        root.forEachChild([&](const MenuEntry& e) {
            if (e.caption != "Same") return;
            (e.hasChildren() ? folder : leaf) = &e;
        });
        QVERIFY(folder && leaf);
        f.p().shortcuts->NorItemsRTMeasureItem(*leaf, font, leafW, leafH);
        f.p().shortcuts->NorItemsRTMeasureItem(*folder, font, folderW, folderH);
        QCOMPARE(folderW - leafW, 7);
        QCOMPARE(leafW, QFontMetrics(ProgramFont(f.p())).horizontalAdvance("Same") + 23);
        QCOMPARE(folderH, 19);
        QCOMPARE(leafH, 19);
        // An empty folder counts through its hidden entry alone.
        MenuEntry empty("Same", 1);
        empty.add(std::make_unique<MenuEntry>("", tag::Hidden, -1, MenuHandler::None, false));
        int emptyW = 0, emptyH = 0;
        f.p().shortcuts->NorItemsRTMeasureItem(empty, font, emptyW, emptyH);
        QCOMPARE(emptyW, folderW);
    }

    void switchingModesChangesEveryEntryAndKeepsTheMenu() {
        Fixture f(true);
        QStringList shapeWindows;
        QList<int> heightsWindows;
        Open(f.menu());
        Collect(f.menu(), "", shapeWindows, heightsWindows);
        f.menu()->hide();

        f.setMode(false);
        QStringList shapeCustom;
        QList<int> heightsCustom;
        Open(f.menu());
        Collect(f.menu(), "", shapeCustom, heightsCustom);
        QCOMPARE(shapeCustom, shapeWindows);
        // Every visible row is now the program's, 19 high, except the
        // toolkit's plain separators.
        QStringList visible;
        for (const QString& s : shapeCustom)
            if (!s.endsWith("(hidden)")) visible << s;
        QCOMPARE(visible.size(), heightsCustom.size());
        for (int i = 0; i < visible.size(); ++i)
            if (!visible[i].endsWith("/-")) QCOMPARE(heightsCustom[i], 19);
        // The kit's commands are drawn by the program too.
        LiveMenu* kit = OpenSubmenu(f.menu(), "Orbel Kit");
        QVERIFY(kit);
        QAction* about = ActionOf(kit, "About..");
        const QRect r = kit->actionGeometry(about);
        QCOMPARE(At(Render(kit, about), r.left() + 5, r.top() + 9), kDarkBlue);
        kit->hide();
        f.menu()->hide();

        f.setMode(true);
        QStringList shapeBack;
        QList<int> heightsBack;
        Open(f.menu());
        Collect(f.menu(), "", shapeBack, heightsBack);
        QCOMPARE(shapeBack, shapeWindows);
        QCOMPARE(heightsBack, heightsWindows);
    }

    void reloadKeepsTheDrawingMode() {
        Fixture f(false);
        f.p().ReloadStore();
        Open(f.menu());
        QAction* close = ActionOf(f.menu(), "Close");
        QVERIFY(close);
        QCOMPARE(LiveMenu::EntryOf(close)->draw, DrawHook::NorItems);
        QCOMPARE(f.menu()->actionGeometry(close).height(), 19);
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    MenuDrawingTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "menu_drawing_test.moc"
