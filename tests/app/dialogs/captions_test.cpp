// No caption of the three dialogs is cut: for every font size the
// preferences offer and under both drawing modes, the text of each label,
// button, check box, radio button, group box and caption box fits the room
// its control draws it in, inside the window's client area, clipped by no
// parent and covered by no other control. Nor is any caption of the tray
// menu, at every font and size, drawn by the program or by the desktop.

#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QStyleOptionFrame>
#include <QStyleOptionGroupBox>
#include <QTabWidget>
#include <QtTest>

#include "app/dialogs/form_about.h"
#include "app/dialogs/form_config.h"
#include "app/manager/form_items.h"
#include "app/program/menu_drawing.h"
#include "app/tray/live_menu.h"
#include "app/widgets/system_fonts.h"
#include "support/controls.h"
#include "support/test_program.h"

using namespace orbel;
using orbel::testing::ActionOf;
using orbel::testing::Control;
using orbel::testing::TestProgram;

namespace {

struct Caption {
    QString text;
    QRect area;  // where the control draws it, in the control's coordinates
    Qt::Alignment align;
};

// The caption a control shows and the room it gives it, as the style
// draws it; an empty text for controls without one.
Caption CaptionOf(const QWidget* w) {
    const QStyle* s = w->style();
    if (auto* l = qobject_cast<const QLabel*>(w)) {
        QRect r = l->contentsRect().marginsRemoved(QMargins(l->margin(), l->margin(), l->margin(), l->margin()));
        int indent = l->indent();
        if (indent < 0 && l->frameWidth() > 0)
            indent = l->fontMetrics().horizontalAdvance(QLatin1Char('x')) / 2 - l->margin();
        if (indent > 0) {
            // A caption centred in a frame keeps that room on both sides: it
            // does not touch the frame.
            const bool centred = (l->alignment() & Qt::AlignHCenter) && l->frameWidth() > 0;
            if (l->alignment() & Qt::AlignLeft || centred) r.setLeft(r.left() + indent);
            if (l->alignment() & Qt::AlignRight || centred) r.setRight(r.right() - indent);
            if (l->alignment() & Qt::AlignTop) r.setTop(r.top() + indent);
            if (l->alignment() & Qt::AlignBottom) r.setBottom(r.bottom() - indent);
        }
        return {l->text(), r, l->alignment()};
    }
    if (auto* b = qobject_cast<const QAbstractButton*>(w)) {
        QStyleOptionButton opt;
        opt.initFrom(b);
        opt.text = b->text();
        const Qt::Alignment left = Qt::AlignLeft | Qt::AlignVCenter;
        if (qobject_cast<const QCheckBox*>(b))
            return {b->text(), s->subElementRect(QStyle::SE_CheckBoxContents, &opt, b), left};
        if (qobject_cast<const QRadioButton*>(b))
            return {b->text(), s->subElementRect(QStyle::SE_RadioButtonContents, &opt, b), left};
        return {b->text(), s->subElementRect(QStyle::SE_PushButtonContents, &opt, b), Qt::AlignCenter};
    }
    if (auto* g = qobject_cast<const QGroupBox*>(w)) {
        QStyleOptionGroupBox opt;
        opt.initFrom(g);
        opt.text = g->title();
        opt.lineWidth = 1;
        opt.textAlignment = g->alignment();
        opt.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
        return {g->title(), s->subControlRect(QStyle::CC_GroupBox, &opt, QStyle::SC_GroupBoxLabel, g), Qt::AlignCenter};
    }
    if (auto* e = qobject_cast<const QLineEdit*>(w)) {
        QStyleOptionFrame opt;
        opt.initFrom(e);
        opt.lineWidth = e->hasFrame() ? s->pixelMetric(QStyle::PM_DefaultFrameWidth, &opt, e) : 0;
        // The box keeps two pixels beside its text and one above and below.
        const QRect r = s->subElementRect(QStyle::SE_LineEditContents, &opt, e).marginsRemoved(e->textMargins());
        return {e->text(), r.adjusted(2, 1, -2, -1), Qt::AlignLeft | Qt::AlignVCenter};
    }
    return {};
}

// Whether x is drawn over w: children over their parent, later siblings
// over earlier ones.
bool DrawnOver(const QWidget* x, const QWidget* w) {
    if (w->isAncestorOf(x)) return true;
    if (x->isAncestorOf(w)) return false;
    const QWidget* a = w;
    while (!a->parentWidget()->isAncestorOf(x)) a = a->parentWidget();
    const QWidget* b = x;
    while (b->parentWidget() != a->parentWidget()) b = b->parentWidget();
    const QObjectList& order = a->parentWidget()->children();
    return order.indexOf(b) > order.indexOf(a);
}

QRect InWindow(const QWidget* w, const QRect& r) { return r.translated(w->mapTo(w->window(), QPoint(0, 0))); }

// Every caption of the window's visible controls that does not show whole.
QStringList CutCaptions(QWidget* window) {
    QStringList cut;
    QList<QWidget*> visible;
    for (QWidget* w : window->findChildren<QWidget*>())
        if (w->window() == window && w->isVisible()) visible << w;
    for (QWidget* w : visible) {
        const Caption c = CaptionOf(w);
        if (c.text.isEmpty()) continue;
        const QString what = QString("%1 \"%2\"").arg(w->objectName(), c.text);
        // A label that wraps needs its lines within its width and height.
        const auto* label = qobject_cast<QLabel*>(w);
        const QSize text = label && label->wordWrap()
                               ? w->fontMetrics()
                                     .boundingRect(QRect(0, 0, c.area.width(), 1 << 20),
                                                   Qt::TextShowMnemonic | Qt::TextWordWrap, c.text)
                                     .size()
                               : w->fontMetrics().size(Qt::TextShowMnemonic | Qt::TextSingleLine, c.text);
        if (text.width() > c.area.width() || text.height() > c.area.height()) {
            cut << QString("%1 needs %2x%3, has %4x%5")
                       .arg(what)
                       .arg(text.width())
                       .arg(text.height())
                       .arg(c.area.width())
                       .arg(c.area.height());
            continue;
        }
        const QRect shown = InWindow(w, QStyle::alignedRect(w->layoutDirection(), c.align, text, c.area));
        for (const QWidget* p = w; p != window; p = p->parentWidget())
            if (!InWindow(p, p->rect()).contains(shown)) cut << what + " is clipped by " + p->objectName();
        if (!window->contentsRect().contains(shown)) cut << what + " lies outside the client area";
        for (const QWidget* x : visible)
            if (x != w && !x->isAncestorOf(w) && DrawnOver(x, w) && InWindow(x, x->rect()).intersects(shown))
                cut << what + " is covered by " + x->metaObject()->className() + " " + x->objectName();
    }
    return cut;
}

// A shown menu as it looks without a highlighted entry, in device pixels.
struct MenuShot {
    // Filled and laid out as a popup does it, without showing it.
    explicit MenuShot(LiveMenu* m) : menu(m) {
        m->realise();
        m->resize(m->sizeHint());
        img = m->grab().toImage().convertToFormat(QImage::Format_RGB32);
        dpr = img.devicePixelRatio();
    }
    QRect rectOf(QAction* a) const {
        const QRect r = menu->actionGeometry(a);
        return QRect(QPoint(qRound(r.left() * dpr), qRound(r.top() * dpr)),
                     QPoint(qRound((r.right() + 1) * dpr) - 1, qRound((r.bottom() + 1) * dpr) - 1));
    }
    // Columns of an entry that differ from its ground anywhere in its rows
    // enough to be drawn on (the faint edge of a glyph counts).
    QVector<bool> inkOf(QAction* a) const {
        const QRect r = rectOf(a);
        QHash<QRgb, int> seen;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x) ++seen[img.pixel(x, y)];
        const QRgb g = std::max_element(seen.keyValueBegin(), seen.keyValueEnd(), [](auto a, auto b) {
                           return a.second < b.second;
                       })->first;
        QVector<bool> ink(r.width());
        for (int x = r.left(); x <= r.right(); ++x)
            for (int y = r.top(); y <= r.bottom() && !ink[x - r.left()]; ++y) {
                const QRgb c = img.pixel(x, y);
                ink[x - r.left()] = qAbs(qRed(c) - qRed(g)) + qAbs(qGreen(c) - qGreen(g)) + qAbs(qBlue(c) - qBlue(g)) >
                                    60;
            }
        return ink;
    }
    QMenu* menu;
    QImage img;
    qreal dpr;
};

// The width of the rightmost run of ink columns and the empty columns
// before it.
QPair<int, int> LastRun(const QVector<bool>& ink) {
    int x = ink.size() - 1;
    while (x >= 0 && !ink[x]) --x;
    int run = 0, gap = 0;
    for (; x >= 0 && ink[x]; --x) ++run;
    for (; x >= 0 && !ink[x]; --x) ++gap;
    return {run, gap};
}

// Every entry of a shown menu whose caption does not show whole: a caption
// that reaches the entry's right end, a text separator's caption that
// covers its etched line to an end, or a submenu arrow that a caption runs
// into (the arrow then looks wider than a lone one, or has no free column
// before it).
QStringList CutMenuCaptions(const MenuShot& shot, const QString& where, int loneArrowWidth) {
    QStringList cut;
    const QRgb line = QApplication::palette().color(QPalette::Dark).rgb();
    for (QAction* a : shot.menu->actions()) {
        if (!a->isVisible() || a->isSeparator()) continue;
        const QString what = where + "/" + a->text();
        const QRect r = shot.rectOf(a);
        const MenuEntry* e = LiveMenu::EntryOf(a);
        if (e && e->draw == DrawHook::SpeItems) {
            const int y = qRound((shot.menu->actionGeometry(a).bottom() + 1 - 10) * shot.dpr);
            if (shot.img.pixel(r.left() + 1, y) != line || shot.img.pixel(r.right() - 1, y) != line)
                cut << what + " covers an end of its line";
            continue;
        }
        const QVector<bool> ink = shot.inkOf(a);
        if (ink.back() || ink[ink.size() - 2]) cut << what + " reaches the entry's end";
        const auto [run, gap] = LastRun(ink);
        if (e && e->hasChildren() && (run > loneArrowWidth || gap < 2))
            cut << QString("%1: the arrow is %2 wide (alone %3) with %4 free before it")
                       .arg(what)
                       .arg(run)
                       .arg(loneArrowWidth)
                       .arg(gap);
    }
    return cut;
}

}  // namespace

class CaptionsTest : public QObject {
    Q_OBJECT
private slots:
    void everyCaptionShowsWhole_data() {
        QTest::addColumn<QString>("ini");
        QTest::addColumn<int>("menuFontSize");  // 0: the platform's own
        QTest::newRow("desktop font") << QString() << 0;
        QTest::newRow("large desktop font") << QString() << 14;
        // The longest note under the shortcut: the command to bind.
        QTest::newRow("a shortcut to bind, large desktop font")
            << QString("[General Settings]\r\nMenuHotkey=Ctrl+Alt+Space\r\n") << 14;
        for (int size = 6; size <= 12; ++size)
            QTest::addRow("own drawing, %d pt", size)
                << QString("[Font Settings]\r\nWindowsDraw=0\r\nFontSize=%1\r\n").arg(size) << 0;
    }

    void everyCaptionShowsWhole() {
        QFETCH(QString, ini);
        QFETCH(int, menuFontSize);
        const QFont menuFont = QApplication::font("QMenu");
        if (menuFontSize) {
            QFont f = menuFont;
            f.setPointSize(menuFontSize);
            QApplication::setFont(f, "QMenu");
        }
        TestProgram t;
        if (!ini.isEmpty()) t.write("orbel.ini", ini.toUtf8());
        t.startUp();
        Program& p = t.program();
        QStringList cut;
        const auto look = [&cut](OrbelDialog* d, QSize designed) {
            d->show();
            QVERIFY(QTest::qWaitForWindowExposed(d));
            const QSize client = d->clientSize();
            if (client.width() < designed.width() || client.height() < designed.height())
                cut << QString("%1 is smaller than designed").arg(d->objectName());
            cut << CutCaptions(d);
        };
        look(p.about(), {331, 172});
        look(p.items(), {521, 533});
        for (int page = 0; page < Control<QTabWidget>(p.config(), "PCSettings")->count(); ++page) {
            Control<QTabWidget>(p.config(), "PCSettings")->setCurrentIndex(page);
            look(p.config(), {468, 289});
        }
        QApplication::setFont(menuFont, "QMenu");
        QVERIFY2(cut.isEmpty(), qPrintable(cut.join("\n")));
    }

    // The tray menu and its kit submenu, at every font and size the
    // preferences offer, drawn by the program and by the desktop.
    void everyMenuCaptionShowsWhole_data() {
        QTest::addColumn<bool>("windowsDraw");
        QTest::addColumn<int>("menuFontSize");  // 0: the platform's own
        QTest::newRow("own drawing") << false << 0;
        QTest::newRow("desktop's drawing") << true << 0;
        QTest::newRow("desktop's drawing, large font") << true << 14;
    }
    void everyMenuCaptionShowsWhole() {
        QFETCH(bool, windowsDraw);
        QFETCH(int, menuFontSize);
        const QFont menuFont = QApplication::font("QMenu");
        if (menuFontSize) {
            QFont f = menuFont;
            f.setPointSize(menuFontSize);
            QApplication::setFont(f, "QMenu");
        }
        TestProgram t;
        // The widest entry is a folder; the short one shows the arrow alone.
        t.write("shortcuts/shortcuts.txt",
                "^UnkLnk|/tmp/a.txt|txt|Alpha\r\n^Folder|Applications and Settings\r\n^Folder|F\r\n"
                "^SpeSep|Tools\r\n");
        t.write("shortcuts/Applications and Settings/shortcuts.txt", "^UnkLnk|/tmp/b.txt|txt|B\r\n");
        t.write("shortcuts/F/shortcuts.txt", "^UnkLnk|/tmp/c.txt|txt|C\r\n");
        t.startUp();
        Program& p = t.program();
        LiveMenu* menu = p.items()->liveMenu();
        QStringList cut;
        const QStringList families = InstalledFontFamilies();
        // The faces the fault was seen with (fonts-dejavu-core) are among them.
        QVERIFY(families.contains("DejaVu Sans") && families.contains("DejaVu Serif"));
        for (const QString& family : families) {
            for (int size = 6; size <= 12; ++size) {
                p.settings().WindowsDraw = windowsDraw;
                p.settings().FontName = family.toStdString();
                p.settings().FontSize = size;
                RefreshKitMenu(p.store(), p.liveMenu());
                AttachDrawHooks(p.store(), p.settings().WindowsDraw);
                const QString where = QString("%1 %2 pt").arg(family).arg(size);
                const MenuShot shot(menu);
                QAction* lone = ActionOf(menu, "F");
                QVERIFY(lone);
                const int loneArrowWidth = LastRun(shot.inkOf(lone)).first;
                cut << CutMenuCaptions(shot, where, loneArrowWidth);
                LiveMenu* kit = menu->submenuOf(ActionOf(menu, "Orbel Kit"));
                QVERIFY(kit);
                cut << CutMenuCaptions(MenuShot(kit), where + ", Orbel Kit", loneArrowWidth);
            }
        }
        QApplication::setFont(menuFont, "QMenu");
        QVERIFY2(cut.isEmpty(), qPrintable(cut.join("\n")));
    }
};

QTEST_MAIN(CaptionsTest)
#include "captions_test.moc"
