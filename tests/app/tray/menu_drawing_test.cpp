// The tray menu as the program draws it, checked pixel by pixel on the
// rendered menus, in both drawing modes and across a switch between them.

#include <QAction>
#include <QApplication>
#include <QFontMetrics>
#include <QPainter>
#include <QtTest>
#include <algorithm>
#include <functional>

#include "app/manager/form_items.h"
#include "app/images/image_lists.h"
#include "app/tray/form_shortcuts.h"
#include "app/tray/live_menu.h"
#include "app/program/menu_drawing.h"
#include "app/widgets/system_fonts.h"
#include "support/test_program.h"

using namespace orbel;
using orbel::testing::ActionOf;

namespace {

const QRgb kDarkBlue = qRgb(0, 0, 128);

using StoreFiles = QList<QPair<QString, QByteArray>>;

const StoreFiles kStore = {
    {"shortcuts/shortcuts.txt",
     "^UnkLnk|/tmp/a.txt|txt|Alpha\r\n^UnkLnk|/tmp/b.txt|txt|Gamm&a\r\n"
     "^SpeSep|Clos&e\r\n^NorSep|\r\n^Folder|Same\r\n^UnkLnk|/tmp/c.txt|txt|Same\r\n"},
    {"shortcuts/Same/shortcuts.txt", "^UnkLnk|/tmp/d.txt|txt|Inner\r\n"},
};

struct Fixture {
    orbel::testing::TestProgram t;
    explicit Fixture(bool windowsDraw, int fontSize = 8, const StoreFiles& store = kStore) {
        for (const auto& [path, bytes] : store) t.write(path, bytes);
        t.startUp();
        setMode(windowsDraw, fontSize);
    }
    Program& p() { return t.program(); }
    LiveMenu* menu() { return p().items()->liveMenu(); }
    // What OK and Apply do once the settings have changed.
    void setMode(bool windowsDraw, int fontSize = 8) {
        p().settings().WindowsDraw = windowsDraw;
        p().settings().FontSize = fontSize;
        RefreshKitMenu(p().store(), p().liveMenu());
        AttachDrawHooks(p().store(), p().settings().WindowsDraw);
    }
    QRgb menuColour() { return p().menuColour().rgb(); }
};

void Open(QMenu* menu, QPoint at = QPoint(0, 0)) {
    menu->popup(at);
    // The menu lays out and paints its entries from posted events.
    QCoreApplication::processEvents();
}

QImage Render(QMenu* menu, QAction* highlighted) {
    menu->setActiveAction(highlighted);
    return menu->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

QRgb Pal(QPalette::ColorRole role) { return QApplication::palette().color(role).rgb(); }
bool Whiteish(QRgb c) { return qRed(c) > 160 && qGreen(c) > 160 && qBlue(c) > 160; }

int Count(const QImage& img, QRect area, const std::function<bool(QRgb)>& pred) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) n += pred(img.pixel(x, y));
    return n;
}

QFont ProgramFont(const Program& p) {
    QFont f(QString::fromStdString(p.settings().FontName));
    f.setPointSize(p.settings().FontSize);
    return f;
}

// Every entry of the realised menus, depth first, with its row's height.
void Collect(QMenu* menu, const QString& path, QStringList& rows) {
    for (QAction* a : menu->actions()) {
        const QString here = path + "/" + (a->isSeparator() ? QStringLiteral("-") : a->text());
        rows << here + (a->isVisible() ? " " + QString::number(menu->actionGeometry(a).height()) : " hidden");
        if (LiveMenu* sub = qobject_cast<LiveMenu*>(menu)->submenuOf(a)) {
            Open(sub, QPoint(300, 0));
            Collect(sub, here, rows);
            sub->hide();
        }
    }
}

// A separator shows when its line, in the middle column, has the menu's
// ground right above and below it: a line that runs into the menu's frame
// or into another line is not seen as one.
bool ShowsItsOwnLine(const QImage& img, const QRect& r) {
    const int x = r.center().x();
    QHash<QRgb, int> seen;
    for (int y = 0; y < img.height(); ++y) ++seen[img.pixel(x, y)];
    const QRgb ground = std::max_element(seen.keyValueBegin(), seen.keyValueEnd(), [](auto a, auto b) {
                            return a.second < b.second;
                        })->first;
    int first = -1, last = -1;
    for (int y = r.top(); y <= r.bottom(); ++y)
        if (img.pixel(x, y) != ground) {
            if (first < 0) first = y;
            last = y;
        }
    return first > 0 && last + 1 < img.height() && img.pixel(x, first - 1) == ground &&
           img.pixel(x, last + 1) == ground;
}

}  // namespace

class MenuDrawingTest : public QObject {
    Q_OBJECT
private slots:
    void itemEntries_data() {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("highlighted");
        QTest::newRow("icon, highlighted") << "Alpha" << true;
        QTest::newRow("icon, plain") << "Alpha" << false;
        QTest::newRow("no icon, highlighted") << "Close" << true;
    }
    void itemEntries() {
        QFETCH(QString, caption);
        QFETCH(bool, highlighted);
        Fixture f(false);
        Open(f.menu());
        QAction* a = ActionOf(f.menu(), caption);
        const MenuEntry* entry = LiveMenu::EntryOf(a);
        const bool icon = entry->imageIndex >= 0;
        QCOMPARE(icon, caption == "Alpha");
        const QRect r = f.menu()->actionGeometry(a);
        QCOMPARE(r.height(), 19);
        const QImage img = Render(f.menu(), highlighted ? a : nullptr);
        const int L = r.left(), B = r.top() + r.height();
        const QRgb fill = highlighted ? kDarkBlue : f.menuColour();
        if (icon) {
            // The frame, each line short of its end point: raised when
            // highlighted, in the menu colour otherwise.
            const QRgb lit = highlighted ? Pal(QPalette::Light) : f.menuColour();
            const QRgb shade = highlighted ? Pal(QPalette::Dark) : f.menuColour();
            for (int x = 1; x < 18; ++x) QCOMPARE(img.pixel(L + x, B - 19), lit);
            for (int y = B - 19; y < B - 1; ++y) {
                QCOMPARE(img.pixel(L + 1, y), lit);
                QCOMPARE(img.pixel(L + 18, y), shade);
            }
            for (int x = 1; x < 19; ++x) QCOMPARE(img.pixel(L + x, B - 1), shade);
            QImage expected(16, 16, QImage::Format_RGB32);
            expected.fill(f.p().menuColour());
            QPainter(&expected).drawPixmap(0, 0, f.p().images()->menuImage(entry->imageIndex));
            QCOMPARE(img.copy(L + 2, B - 18, 16, 16), expected);
            // Left of x = 20 nothing is filled: the menu's ground shows.
            for (int y = r.top(); y < B; ++y)
                for (int x : {0, 19}) QCOMPARE(img.pixel(L + x, y), f.menuColour());
        }
        for (int y = r.top(); y < B; ++y)
            for (int x : {icon ? 20 : 0, icon ? 20 : 10, 22, r.width() - 1}) QCOMPARE(img.pixel(L + x, y), fill);
        // The caption starts at x = 23, white on the highlight, black otherwise.
        const auto text = [&](QRgb c) { return highlighted ? Whiteish(c) : qGray(c) < 60; };
        QVERIFY(Count(img, QRect(L + 23, r.top(), r.width() - 23, 19), text) > 10);
        QCOMPARE(Count(img, QRect(L + 20, r.top(), 3, 19), text), 0);
    }

    void accessKeyUnderlinedInItemsOnly() {
        Fixture f(false);
        Open(f.menu());
        const QFontMetrics fm(ProgramFont(f.p()));
        const auto baseline = [&](QRect r) { return r.top() + (r.height() - fm.height()) / 2 + fm.ascent(); };
        QRect r = f.menu()->actionGeometry(ActionOf(f.menu(), "Gamm&a"));
        QImage img = Render(f.menu(), ActionOf(f.menu(), "Gamm&a"));
        const int below = baseline(r) + 1, depth = r.bottom() - below + 1;
        const int aLeft = r.left() + 23 + fm.horizontalAdvance("Gamm");
        QVERIFY(Count(img, QRect(aLeft, below, fm.horizontalAdvance("a"), depth), Whiteish) >=
                fm.horizontalAdvance("a") - 2);
        QCOMPARE(Count(img, QRect(r.left() + 23, below, fm.horizontalAdvance("G"), depth), Whiteish), 0);
        // The text separator shows "Close": nothing below its baseline.
        r = f.menu()->actionGeometry(ActionOf(f.menu(), "Clos&e"));
        img = Render(f.menu(), nullptr);
        QCOMPARE(Count(img, QRect(r.left(), baseline(r) + 1, r.width(), r.bottom() - baseline(r)),
                       [&](QRgb c) { return c != f.menuColour(); }),
                 0);
    }

    void textSeparatorInBothModes() {
        for (bool windowsDraw : {false, true}) {
            Fixture f(windowsDraw, 12);  // a program font unlike the menu font
            Open(f.menu());
            QAction* sys = ActionOf(f.menu(), "Sysmenu");
            const QRect r = f.menu()->actionGeometry(sys);
            QCOMPARE(r.height(), 19);  // measured with the program font in both modes
            const QImage img = Render(f.menu(), sys);
            QCOMPARE(Render(f.menu(), nullptr).copy(r), img.copy(r));  // highlight ignored
            const int L = r.left(), B = r.top() + r.height();
            QCOMPARE(img.pixel(L, r.top()), (windowsDraw ? f.p().systemColour() : f.p().menuColour()).rgb());
            // The etched line, interrupted by the centred caption in the mode's font.
            int first = -1, last = -1;
            for (int x = L; x <= r.right(); ++x)
                if (img.pixel(x, B - 10) != Pal(QPalette::Dark)) (first < 0 ? first : last) = x;
            QVERIFY(first > L && last < r.right());
            for (int x = L; x < first; ++x) QCOMPARE(img.pixel(x, B - 9), Pal(QPalette::Light));
            QVERIFY(qAbs((first - L) - (r.right() - last)) <= 2);
            QFont font = ProgramFont(f.p());
            if (windowsDraw) {
                font = QFont(SystemMenuFont().family());
                font.setPointSizeF(SystemMenuFont().pointSizeF());
            }
            QVERIFY(qAbs((last - first + 1) - QFontMetrics(font).horizontalAdvance("Sysmenu")) <= 3);
        }
    }

    void folderMeasuresSevenWider() {
        Fixture f(false);
        const MenuEntry* byKind[2] = {};
        f.p().store().liveMenu->forEachChild([&](const MenuEntry& e) {
            if (e.caption == "Same") byKind[e.hasChildren()] = &e;
        });
        QVERIFY(byKind[0] && byKind[1]);
        QFont font;
        int w[2], h[2];
        for (int i : {0, 1}) f.p().shortcuts()->NorItemsRTMeasureItem(*byKind[i], font, w[i], h[i]);
        QCOMPARE(w[1] - w[0], 7);
        QCOMPARE(w[0], QFontMetrics(ProgramFont(f.p())).horizontalAdvance("Same") + 23);
        QCOMPARE(h[0], 19);
        QCOMPARE(h[1], 19);
    }

    void switchingModesRedrawsEveryEntryAndKeepsTheMenu() {
        Fixture f(true);
        QStringList windows, custom, back;
        Open(f.menu());
        Collect(f.menu(), "", windows);
        QAction* close = ActionOf(f.menu(), "Close");
        const QRect r = f.menu()->actionGeometry(close);
        QCOMPARE(Count(Render(f.menu(), close), r, [](QRgb c) { return c == kDarkBlue; }), 0);
        f.menu()->hide();

        f.setMode(false);
        Open(f.menu());
        Collect(f.menu(), "", custom);
        // Same entries in the same order; every visible row but the plain
        // separators is now the program's, 19 high, the kit's included.
        QCOMPARE(custom.size(), windows.size());
        for (int i = 0; i < custom.size(); ++i) {
            const QString entry = windows[i].section(' ', 0, -2);
            QCOMPARE(custom[i].section(' ', 0, -2), entry);
            if (!custom[i].endsWith("hidden") && !entry.endsWith("/-"))
                QVERIFY2(custom[i].endsWith(" 19"), qPrintable(custom[i]));
        }
        QVERIFY(custom.contains("/Orbel Kit/About.. 19"));
        f.menu()->hide();

        f.setMode(true);
        Open(f.menu());
        Collect(f.menu(), "", back);
        QCOMPARE(back, windows);
        f.menu()->hide();
    }

    void everyStoredSeparatorShows_data() {
        QTest::addColumn<bool>("windowsDraw");
        QTest::newRow("windows default") << true;
        QTest::newRow("custom") << false;
    }
    void everyStoredSeparatorShows() {
        QFETCH(bool, windowsDraw);
        const QByteArray sep = "^NorSep|\r\n";
        Fixture f(windowsDraw, 8,
                  {{"shortcuts/shortcuts.txt",
                    sep.repeated(5) + "^Folder|Lead\r\n^Folder|Ends\r\n^Folder|One\r\n" + sep.repeated(2)},
                   {"shortcuts/Lead/shortcuts.txt", sep.repeated(3) + "^UnkLnk|/tmp/a.txt|txt|A\r\n"},
                   {"shortcuts/Ends/shortcuts.txt", "^UnkLnk|/tmp/a.txt|txt|A\r\n" + sep.repeated(2) +
                                                        "^UnkLnk|/tmp/b.txt|txt|B\r\n" + sep.repeated(2)},
                   {"shortcuts/One/shortcuts.txt", sep}});
        const QList<QPair<QString, QStringList>> levels = {
            {"", {"-", "-", "-", "-", "-", "Lead", "Ends", "One", "-", "-", "Sysmenu", "Orbel Kit", "Close"}},
            {"Lead", {"-", "-", "-", "A"}},
            {"Ends", {"A", "-", "-", "B", "-", "-"}},
            {"One", {"-"}},
        };
        Open(f.menu());
        for (const auto& [folder, shown] : levels) {
            QMenu* menu = folder.isEmpty() ? f.menu() : f.menu()->submenuOf(ActionOf(f.menu(), folder));
            if (menu != f.menu()) Open(menu, QPoint(300, 0));
            QCOMPARE(orbel::testing::VisibleCaptions(menu), shown);
            const QImage img = Render(menu, nullptr);
            for (QAction* a : menu->actions())
                if (a->isSeparator())
                    QVERIFY2(ShowsItsOwnLine(img, menu->actionGeometry(a)),
                             qPrintable(folder + " row " + QString::number(menu->actions().indexOf(a))));
            if (menu != f.menu()) menu->hide();
        }
        f.menu()->hide();
    }

    void reloadKeepsTheDrawingMode() {
        Fixture f(false);
        f.p().ReloadStore();
        Open(f.menu());
        QCOMPARE(f.menu()->actionGeometry(ActionOf(f.menu(), "Close")).height(), 19);
        f.menu()->hide();
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    MenuDrawingTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "menu_drawing_test.moc"
