// No caption of the three dialogs is cut: for every font size the
// preferences offer and under both drawing modes, the text of each label,
// button, check box, radio button, group box and caption box fits the room
// its control draws it in, inside the window's client area, clipped by no
// parent and covered by no other control.

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
#include "support/controls.h"
#include "support/test_program.h"

using namespace orbel;
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
            if (l->alignment() & Qt::AlignLeft) r.setLeft(r.left() + indent);
            if (l->alignment() & Qt::AlignRight) r.setRight(r.right() - indent);
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
        const QSize text = w->fontMetrics().size(Qt::TextShowMnemonic | Qt::TextSingleLine, c.text);
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

}  // namespace

class CaptionsTest : public QObject {
    Q_OBJECT
private slots:
    void everyCaptionShowsWhole_data() {
        QTest::addColumn<QString>("ini");
        QTest::addColumn<int>("menuFontSize");  // 0: the platform's own
        QTest::newRow("desktop font") << QString() << 0;
        QTest::newRow("large desktop font") << QString() << 14;
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
        look(p.about.get(), {331, 172});
        look(p.items.get(), {521, 533});
        for (int page = 0; page < Control<QTabWidget>(p.config.get(), "PCSettings")->count(); ++page) {
            Control<QTabWidget>(p.config.get(), "PCSettings")->setCurrentIndex(page);
            look(p.config.get(), {468, 289});
        }
        QApplication::setFont(menuFont, "QMenu");
        QVERIFY2(cut.isEmpty(), qPrintable(cut.join("\n")));
    }
};

QTEST_MAIN(CaptionsTest)
#include "captions_test.moc"
