// Dragging nodes inside the item manager's tree: when a press becomes a drag,
// which targets take the node, folders opening while hovered, and where the
// node lands. The press, the wait and the moves are real mouse events; the
// platform's nested drag loop cannot run offscreen, so the test's drag loop
// (the dialog's drag loop) delivers the drag events to the tree itself.

#include <QDrag>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QTimer>
#include <QUrl>
#include <QtTest>

#include "app/manager/form_items.h"
#include "app/manager/item_tree_model.h"
#include "app/program/orbel_application.h"
#include "core/manager/tree_rules.h"
#include "support/manager_support.h"
#include "support/controls.h"
#include "support/test_program.h"

using namespace orbel;
using orbel::testing::Control;
using orbel::testing::TestProgram;
using orbel::testing::TreeModelOf;

namespace {

// Top level: marker, Alpha, Beta, Tools (marker, Inner, Sub (marker, Deep)),
// Empty (marker), Sub (marker), then the built-in nodes.
void WriteStore(TestProgram& t) {
    t.write("shortcuts/shortcuts.txt",
            "^UnkLnk|/tmp/alpha.txt|txt|Alpha\r\n^UnkLnk|/tmp/beta.txt|txt|Beta\r\n^Folder|Tools\r\n"
            "^Folder|Empty\r\n^Folder|Sub\r\n");
    t.write("shortcuts/Tools/shortcuts.txt", "^UnkLnk|/tmp/inner.txt|txt|Inner\r\n^Folder|Sub\r\n");
    t.write("shortcuts/Tools/Sub/shortcuts.txt", "^UnkLnk|/tmp/deep.txt|txt|Deep\r\n");
    t.write("shortcuts/Empty/shortcuts.txt", "");
    t.write("shortcuts/Sub/shortcuts.txt", "");
}

struct Fixture : testing::ManagerFixture {
    Fixture() : ManagerFixture(WriteStore) {
        QVERIFY(QTest::qWaitForWindowExposed(f));
        view()->expandAll();
    }
    // The row's centre, scrolled into view first: the fully expanded tree
    // is taller than the view.
    QPoint centre(const TreeNode* n) const {
        const QModelIndex i = index(n);
        view()->scrollTo(i);
        return view()->visualRect(i).center();
    }
};

// One drag event of our own move, sent to the tree.
bool DragEvent(TFormItems* f, QEvent::Type type, const QMimeData* data, QPoint at) {
    return testing::SendDragEvent(f, type, data, at, Qt::MoveAction);
}

// Press on a node, hold, and move: the drag starts inside the drag loop.
void PressHoldMove(Fixture& x, const TreeNode* n, int holdMs, QPoint move) {
    QWidget* vp = x.view()->viewport();
    const QPoint p = x.centre(n);
    QTest::mousePress(vp, Qt::LeftButton, {}, p);
    x.t.clock.advance(holdMs);
    QTest::mouseMove(vp, p + move / 2);
    QTest::mouseMove(vp, p + move);
    QTest::mouseRelease(vp, Qt::LeftButton, {}, p + move);
}

}  // namespace

class ManagerDragTest : public QObject {
    Q_OBJECT
private slots:
    void pressBecomesDragOnlyAfterHoldAndMove_data() {
        QTest::addColumn<QString>("node");
        QTest::addColumn<int>("holdMs");
        QTest::addColumn<QPoint>("move");
        QTest::addColumn<bool>("drags");
        QTest::newRow("held, moved 8 down") << "Alpha" << 250 << QPoint(0, 8) << true;
        QTest::newRow("held, moved 8 left") << "Beta" << 250 << QPoint(-8, 0) << true;
        QTest::newRow("a folder drags too") << "Tools" << 250 << QPoint(9, 9) << true;
        QTest::newRow("held, moved 7") << "Alpha" << 250 << QPoint(7, 7) << false;
        QTest::newRow("quick click then move") << "Alpha" << 0 << QPoint(0, 30) << false;
        QTest::newRow("top marker") << "" << 250 << QPoint(0, 30) << false;
        QTest::newRow("built-in node") << "Close" << 250 << QPoint(0, -30) << false;
        QTest::newRow("built-in folder") << "Orbel Kit" << 250 << QPoint(0, -30) << false;
    }
    void pressBecomesDragOnlyAfterHoldAndMove() {
        QFETCH(QString, node);
        QFETCH(int, holdMs);
        QFETCH(QPoint, move);
        QFETCH(bool, drags);
        Fixture x;
        TreeNode* n = node.isEmpty() ? x.at("0") : x.node(node);
        QVERIFY(n);
        const TreeNode* selectedBefore = nullptr;
        int started = 0;
        x.f->setDragLoop([&](QDrag* d) {
            ++started;
            QVERIFY(d->mimeData());
            QCOMPARE(x.f->pressedNode(), n);
        });
        x.f->selectNode(x.node("Beta"));
        selectedBefore = x.f->selectedNode();
        // The press selects, as in any tree; moving with the button held
        // does not change that selection.
        PressHoldMove(x, n, holdMs, move);
        QCOMPARE(started, drags ? 1 : 0);
        QCOMPARE(x.f->selectedNode() == n || x.f->selectedNode() == selectedBefore, true);
        QVERIFY(!Control<Timer>(x.f, "TimerDrag")->isActive());
    }

    void targetsTakeTheNodeOrRefuseIt_data() {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("target");  // a name, or a row path
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QString>("status");
        QTest::newRow("item onto item") << "Alpha"
                                        << "Beta" << true << "Ready";
        QTest::newRow("item onto folder") << "Alpha"
                                          << "Tools" << true << "Ready";
        QTest::newRow("item onto a folder's marker") << "Alpha"
                                                     << "3/0" << true << "Ready";
        QTest::newRow("item onto Sysmenu") << "Alpha"
                                           << "--Sysmenu--" << false << "Ready";
        QTest::newRow("item onto Orbel Kit") << "Alpha"
                                             << "Orbel Kit" << false << "Ready";
        QTest::newRow("item into Orbel Kit") << "Alpha"
                                             << "Help File" << false << "Ready";
        QTest::newRow("item onto Close") << "Beta"
                                         << "Close" << false << "Ready";
        QTest::newRow("folder among its siblings") << "Tools"
                                                   << "Beta" << true << "Ready";
        QTest::newRow("folder into itself") << "Tools"
                                            << "Inner" << false << manager_texts::FolderIntoOwn;
        QTest::newRow("folder beside a namesake") << "3/2"
                                                  << "Beta" << false << manager_texts::FolderDuplicate;
    }
    void targetsTakeTheNodeOrRefuseIt() {
        QFETCH(QString, source);
        QFETCH(QString, target);
        QFETCH(bool, accepted);
        QFETCH(QString, status);
        Fixture x;
        auto find = [&](const QString& s) { return s.contains('/') ? x.at(s) : x.node(s); };
        TreeNode* src = find(source);
        TreeNode* dst = find(target);
        QVERIFY(src && dst);
        const QString before = x.children();
        bool seen = false;
        x.f->setDragLoop([&](QDrag* d) {
            seen = true;
            QVERIFY(DragEvent(x.f, QEvent::DragEnter, d->mimeData(), x.centre(src)));
            QCOMPARE(DragEvent(x.f, QEvent::DragMove, d->mimeData(), x.centre(dst)), accepted);
            QCOMPARE(x.f->StatusText(), status);
            if (accepted) QVERIFY(DragEvent(x.f, QEvent::Drop, d->mimeData(), x.centre(dst)));
        });
        x.f->selectNode(x.node("Alpha"));
        PressHoldMove(x, src, 250, QPoint(0, 10));
        QVERIFY(seen);
        if (accepted) {
            QCOMPARE(src->parent(), dst->parent());
            QCOMPARE(src->prevSibling(), dst);
        } else {
            QCOMPARE(x.children(), before);
        }
    }

    void dropPlacesTheSubtreeAfterTargetAndKeepsTheSelection() {
        Fixture x;
        TreeNode* tools = x.node("Tools");
        TreeNode* sub = x.at("3/2");
        QCOMPARE(QString::fromStdString(sub->text), QString("Sub"));
        x.f->setDragLoop([&](QDrag* d) {
            // Sub (with Deep) after the marker of Empty: first in Empty.
            QVERIFY(DragEvent(x.f, QEvent::DragEnter, d->mimeData(), x.centre(sub)));
            QVERIFY(DragEvent(x.f, QEvent::DragMove, d->mimeData(), x.centre(x.at("4/0"))));
            QVERIFY(DragEvent(x.f, QEvent::Drop, d->mimeData(), x.centre(x.at("4/0"))));
        });
        x.f->selectNode(x.node("Beta"));
        // A press on an unselected node selects it first; select it back to
        // see that the drop itself leaves the selection alone.
        QWidget* vp = x.view()->viewport();
        QTest::mousePress(vp, Qt::LeftButton, {}, x.centre(sub));
        x.f->selectNode(x.node("Beta"));
        x.t.clock.advance(250);
        QTest::mouseMove(vp, x.centre(sub) + QPoint(0, 12));
        QTest::mouseRelease(vp, Qt::LeftButton, {}, x.centre(sub) + QPoint(0, 12));
        QCOMPARE(x.children(x.node("Empty")), QString(",Sub"));
        QCOMPARE(x.children(sub), QString(",Deep"));
        QCOMPARE(x.children(tools), QString(",Inner"));
        QCOMPARE(x.f->selectedNode(), x.node("Beta"));
        // The view shows the moved rows where the tree has them.
        const QModelIndex moved = TreeModelOf(x.f)->index(1, 0, x.index(x.node("Empty")));
        QCOMPARE(TreeModelOf(x.f)->nodeAt(moved), sub);
    }

    void hoveredFolderOpensAfterFourHundredMilliseconds() {
        Fixture x;
        x.view()->collapseAll();
        TreeNode* tools = x.node("Tools");
        TreeNode* empty = x.node("Empty");
        bool openedTooSoon = true, otherOpened = true, stillClosed = false;
        x.f->setDragLoop([&](QDrag* d) {
            QVERIFY(DragEvent(x.f, QEvent::DragEnter, d->mimeData(), x.centre(empty)));
            QVERIFY(DragEvent(x.f, QEvent::DragMove, d->mimeData(), x.centre(empty)));
            x.t.clock.advance(200);
            // Moving on to another folder before the time cancels the first.
            QVERIFY(DragEvent(x.f, QEvent::DragMove, d->mimeData(), x.centre(tools)));
            openedTooSoon = x.expanded(tools);
            x.t.clock.advance(250);
            otherOpened = x.expanded(empty);
            // Further moves over the same folder keep its timer running.
            QVERIFY(DragEvent(x.f, QEvent::DragMove, d->mimeData(), x.centre(tools) + QPoint(3, 0)));
            // Due 400 ms after it was first hovered.
            x.t.clock.advance(149);
            stillClosed = !x.expanded(tools);
            x.t.clock.advance(1);
            QVERIFY(x.expanded(tools));
        });
        PressHoldMove(x, x.node("Alpha"), 250, QPoint(0, 10));
        QVERIFY(!openedTooSoon);
        QVERIFY(!otherOpened);
        QVERIFY(stillClosed);
        QVERIFY(x.expanded(tools));
        QCOMPARE(x.f->selectedNode(), tools);
        // One level only.
        QVERIFY(!x.expanded(x.at("3/2")));
        QVERIFY(!Control<Timer>(x.f, "TimerExpand")->isActive());
        QCOMPARE(x.f->repaintPasses(), 0);
    }

    void afterADropIntoAnOpenedFolderThePanelEditsTheSelectedNode() {
        Fixture x;
        x.view()->collapseAll();
        TreeNode* alpha = x.node("Alpha");
        TreeNode* tools = x.node("Tools");
        x.f->setDragLoop([&](QDrag* d) {
            // Held over the closed folder until it opens, then dropped on
            // its top marker: the first place inside it.
            QVERIFY(DragEvent(x.f, QEvent::DragEnter, d->mimeData(), x.centre(alpha)));
            QVERIFY(DragEvent(x.f, QEvent::DragMove, d->mimeData(), x.centre(tools)));
            x.t.clock.advance(400);
            QVERIFY(x.expanded(tools));
            QVERIFY(DragEvent(x.f, QEvent::DragMove, d->mimeData(), x.centre(x.at("3/0"))));
            QVERIFY(DragEvent(x.f, QEvent::Drop, d->mimeData(), x.centre(x.at("3/0"))));
        });
        PressHoldMove(x, alpha, 250, QPoint(0, 10));
        QCOMPARE(x.children(tools), QString(",Alpha,Inner,Sub"));
        auto* name = x.box("EditSName");
        const TreeNode* selected = x.f->selectedNode();
        QVERIFY(selected);
        QCOMPARE(name->text(), QString::fromStdString(selected->text));
        // Typing renames the node the panel shows, and only that one.
        const QString shown = name->text();
        name->setFocus();
        name->end(false);
        QTest::keyClicks(name, "ZZ");
        QCOMPARE(QString::fromStdString(selected->text), shown + "ZZ");
        QCOMPARE(QString::fromStdString((selected == alpha ? tools : alpha)->text),
                 selected == alpha ? QString("Tools") : QString("Alpha"));
    }

    void refusedFolderDoesNotOpen() {
        Fixture x;
        x.view()->collapseAll();
        TreeNode* kit = x.node("Orbel Kit");
        x.f->setDragLoop([&](QDrag* d) {
            QVERIFY(DragEvent(x.f, QEvent::DragEnter, d->mimeData(), x.centre(x.node("Beta"))));
            QVERIFY(!DragEvent(x.f, QEvent::DragMove, d->mimeData(), x.centre(kit)));
            x.t.clock.advance(500);
        });
        PressHoldMove(x, x.node("Alpha"), 250, QPoint(0, 10));
        QVERIFY(!x.expanded(kit));
    }

    void foreignDragWithOurTypeIsIgnored() {
        Fixture x;
        // A file drag makes the live tree the drag target first, so that the
        // drop below reaches it as a platform would deliver it.
        QMimeData files;
        files.setUrls({QUrl::fromLocalFile("/tmp/x.txt")});
        QVERIFY(DragEvent(x.f, QEvent::DragEnter, &files, x.centre(x.node("Beta"))));
        QMimeData data;
        data.setData("application/x-tandrel-orbel-node", "0");
        const QString before = x.children();
        QVERIFY(!DragEvent(x.f, QEvent::DragEnter, &data, x.centre(x.node("Beta"))));
        QVERIFY(!DragEvent(x.f, QEvent::DragMove, &data, x.centre(x.node("Beta"))));
        QVERIFY(!DragEvent(x.f, QEvent::Drop, &data, x.centre(x.node("Beta"))));
        QCOMPARE(x.children(), before);
        // Nor does a drag that was ours still count once it has ended.
        QByteArray token;
        x.f->setDragLoop([&](QDrag* d) { token = d->mimeData()->data("application/x-tandrel-orbel-node"); });
        PressHoldMove(x, x.node("Alpha"), 250, QPoint(0, 10));
        QVERIFY(!token.isEmpty());
        data.setData("application/x-tandrel-orbel-node", token);
        QVERIFY(DragEvent(x.f, QEvent::DragEnter, &files, x.centre(x.node("Beta"))));
        QVERIFY(!DragEvent(x.f, QEvent::Drop, &data, x.centre(x.node("Beta"))));
        QCOMPARE(x.children(), before);
    }
};

int main(int argc, char** argv) {
    OrbelApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    app.setLoopRunning(true);
    ManagerDragTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "manager_drag_test.moc"
