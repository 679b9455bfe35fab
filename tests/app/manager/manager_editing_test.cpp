// The item manager's Add.., Attach and add modes, Cut, Copy, Paste and
// Delete through its controls, and files dropped onto the tree as real drop
// events: what the tree, the item table, the buttons and the status line
// show afterwards.

#include <QDir>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QUrl>
#include <QtTest>

#include "app/manager/form_items.h"
#include "app/manager/item_tree_model.h"
#include "app/program/orbel_application.h"
#include "core/manager/editing.h"
#include "core/store/node_kinds.h"
#include "core/manager/tree_rules.h"
#include "support/manager_support.h"
#include "support/controls.h"
#include "support/test_program.h"
#include "tests/core/store/shell_link_builder.h"

using namespace orbel;
using orbel::testing::Control;
using orbel::testing::NodeNamed;
using orbel::testing::ReadText;
using orbel::testing::TestProgram;
using orbel::testing::TreeModelOf;
namespace mt = orbel::manager_texts;

namespace {

// Top level: 0 marker, 1 Report, 2 Tools (0 marker, 1 Inner), 3 News
// separator, then 4 --Sysmenu--, 5 Orbel Kit, 6 Close.
void WriteStore(TestProgram& t) {
    t.write("shortcuts/shortcuts.txt", "^UnkLnk|/tmp/report.txt|txt|Report\r\n^Folder|Tools\r\n^SpeSep|News\r\n");
    t.write("shortcuts/Tools/shortcuts.txt", "^UnkLnk|/tmp/inner.txt|txt|Inner\r\n");
}

struct Fixture : testing::ManagerFixture {
    Fixture() : ManagerFixture(WriteStore) {
        f->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f));
        view()->expandAll();
    }
    // A mode chosen with the mouse: the press focuses, the release checks.
    void mode(const char* name) { QTest::mouseClick(Control<QRadioButton>(f, name), Qt::LeftButton); }
    void chooseFile(const QString& file) {
        f->setFilePicker([file] { return file; });
        click("BitBtnAdd");
    }
    void chooseDirectory(const QString& dir) {
        f->setDirectoryPicker([dir] { return dir; });
        click("BitBtnAdd");
    }
    void typeName(const QString& text) {
        box("MemoAddName")->setFocus();
        QTest::keyClick(box("MemoAddName"), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(box("MemoAddName"), Qt::Key_Backspace);
        QTest::keyClicks(box("MemoAddName"), text);
    }
    QString buttons() const { return ManagerFixture::buttons("COPDA"); }
    // The caption above the name box.
    QLabel* itemText() const { return Control<QLabel>(f, "LabelItemText"); }
};

// Drops files onto the tree the way another program's drag ends.
bool DropFiles(TFormItems* f, const QStringList& paths, QPoint at) {
    QMimeData data;
    QList<QUrl> urls;
    for (const QString& p : paths) urls << QUrl::fromLocalFile(p);
    data.setUrls(urls);
    testing::SendDragEvent(f, QEvent::DragEnter, &data, at, Qt::CopyAction);
    if (!testing::SendDragEvent(f, QEvent::DragMove, &data, at, Qt::CopyAction)) return false;
    return testing::SendDragEvent(f, QEvent::Drop, &data, at, Qt::CopyAction);
}

}  // namespace

class ManagerEditingTest : public QObject {
    Q_OBJECT
private slots:
    void modesRememberTheirTextsAndCaptions() {
        Fixture x;
        x.f->selectNode(x.node("Report"));
        QCOMPARE(x.itemText()->text(), QString("Item Text"));
        QCOMPARE(x.buttons().right(1), QString("-"));
        x.chooseFile("/opt/Tools/setup.EXE");
        QCOMPARE(x.box("MemoAddName")->text(), QString("setup"));
        QCOMPARE(x.itemText()->text(), QString("Item (exe) Text"));
        QCOMPARE(x.buttons().right(1), QString("A"));
        x.typeName("Setup tool");

        struct Step {
            const char* mode;
            const char* caption;
            const char* name;
            bool add, attach;
        };
        const Step steps[] = {
            {"RBSeparator", "Item (Separator) Text", "", false, true},
            {"RBFile", "Item (exe) Text", "Setup tool", true, true},
            {"RBFileDirectory", "Item Text", "", true, false},
            {"RBFolder", "Item (Folder) Text", "", false, true},
            {"RBFile", "Item (exe) Text", "Setup tool", true, true},
        };
        for (const Step& s : steps) {
            x.mode(s.mode);
            QVERIFY2(Control<QRadioButton>(x.f, s.mode)->isChecked(), s.caption);
            QCOMPARE(x.itemText()->text(), QString(s.caption));
            QCOMPARE(testing::SpokenName(x.box("MemoAddName")), QString(s.caption));
            QCOMPARE(x.box("MemoAddName")->text(), QString(s.name));
            QCOMPARE(x.button("BitBtnAdd")->isEnabled(), s.add);
            QCOMPARE(x.button("BitBtnAttach")->isEnabled(), s.attach);
            QCOMPARE(x.f->attachArmed(), s.attach);
        }
        // A caption wider than the panel is shortened; the tooltip holds all
        // of it, and the name box is named by all of it.
        x.mode("RBFile");
        x.chooseFile("/opt/Tools/data.averyveryverylongextension");
        QVERIFY(x.itemText()->text().contains(QChar(0x2026)));
        QCOMPARE(x.itemText()->toolTip(), QString("Item (averyveryverylongextension) Text"));
        QCOMPARE(testing::SpokenName(x.box("MemoAddName")), x.itemText()->toolTip());
        // A typed separator caption waits in its mode too.
        x.mode("RBSeparator");
        x.typeName("Games");
        x.mode("RBFolder");
        x.mode("RBSeparator");
        QCOMPARE(x.box("MemoAddName")->text(), QString("Games"));
        // Armed Attach follows the selection: never onto a built-in node.
        x.f->selectNode(x.node("Close"));
        QVERIFY(!x.button("BitBtnAttach")->isEnabled());
        x.f->selectNode(x.at("0"));
        QVERIFY(x.button("BitBtnAttach")->isEnabled());
    }

    void directoryPicker() {
        Fixture x;
        x.f->selectNode(x.node("Report"));
        x.mode("RBFileDirectory");
        x.f->setDirectoryPicker([] { return QString(); });
        x.click("BitBtnAdd");  // cancelled: nothing changes
        QCOMPARE(x.f->attachArmed(), false);
        x.chooseDirectory("/");
        QCOMPARE(x.box("MemoAddName")->text(), QString("/"));  // a root names itself
        x.chooseDirectory(QDir::tempPath() + "/my.dir/");
        QCOMPARE(x.box("MemoAddName")->text(), QString("my"));
        QCOMPARE(x.itemText()->text(), QString("Item (directory) Text"));
        const int next = x.t.program().store().nextItemNumber;
        x.click("BitBtnAttach");
        TreeNode* n = x.f->selectedNode();
        QVERIFY(n);
        QCOMPARE(QString::fromStdString(n->text), QString("my"));
        QCOMPARE(n->imageIndex, 10);
        QCOMPARE(n->itemNumber, next);
        QCOMPARE(QString::fromStdString(x.table().pathOf(n->itemNumber)), QDir::tempPath() + "/my.dir");
        QCOMPARE(n->prevSibling(), x.node("Report"));
        // Disarmed and reset after the attach.
        QCOMPARE(x.f->attachArmed(), false);
        QVERIFY(!x.button("BitBtnAttach")->isEnabled());
        QCOMPARE(x.itemText()->text(), QString("Item Text"));
        QCOMPARE(x.box("MemoAddName")->text(), QString());
    }

    void attachInEachMode_data() {
        QTest::addColumn<QString>("mode");      // file, separator, folder
        QTest::addColumn<QString>("chosen");    // the file of Add.. (file mode)
        QTest::addColumn<QString>("name");      // typed into the name box
        QTest::addColumn<QString>("selected");  // row path
        QTest::addColumn<QString>("expected");  // text of the new node, "" when refused
        QTest::addColumn<int>("image");         // -1: a captured icon
        QTest::addColumn<QString>("status");
        QTest::newRow("plain separator") << "separator"
                                         << ""
                                         << ""
                                         << "1"
                                         << "---------------" << 3 << "Ready";
        QTest::newRow("dashes only") << "separator"
                                     << ""
                                     << "----"
                                     << "1"
                                     << "---------------" << 3 << "Ready";
        QTest::newRow("text separator") << "separator"
                                        << ""
                                        << "Games"
                                        << "2/1"
                                        << "--Games--" << 4 << "Ready";
        QTest::newRow("folder") << "folder"
                                << ""
                                << "  Work "
                                << "1"
                                << "Work" << 0 << "Ready";
        QTest::newRow("folder first in a folder") << "folder"
                                                  << ""
                                                  << "Deep"
                                                  << "2/0"
                                                  << "Deep" << 0 << "Ready";
        QTest::newRow("folder first at the top") << "folder"
                                                 << ""
                                                 << "Top"
                                                 << "0"
                                                 << "Top" << 0 << "Ready";
        QTest::newRow("folder without name") << "folder"
                                             << ""
                                             << "  "
                                             << "1"
                                             << "" << 0 << mt::FolderNeedsName;
        QTest::newRow("folder bad name") << "folder"
                                         << ""
                                         << "a|b"
                                         << "1"
                                         << "" << 0 << mt::FolderBadChar;
        QTest::newRow("folder duplicate") << "folder"
                                          << ""
                                          << " TOOLS"
                                          << "1"
                                          << "" << 0 << mt::FolderDuplicate;
        QTest::newRow("folder duplicate of the selection") << "folder"
                                                           << ""
                                                           << "report"
                                                           << "1"
                                                           << "" << 0 << mt::FolderDuplicate;
        QTest::newRow("file") << "file"
                              << "/tmp/notes.txt"
                              << "My notes"
                              << "1"
                              << "My notes" << -1 << "Ready";
        QTest::newRow("file with empty name") << "file"
                                              << "/tmp/notes.txt"
                                              << ""
                                              << "1"
                                              << "" << -1 << "Ready";
        QTest::newRow("path with a bar") << "file"
                                         << "/tmp/a|b.txt"
                                         << "x"
                                         << "1"
                                         << "" << 0 << mt::PathBar;
        QTest::newRow("path with a line break") << "file"
                                                << "/tmp/a\nb.txt"
                                                << "x"
                                                << "1"
                                                << "" << 0 << mt::PathLineBreak;
    }
    void attachInEachMode() {
        QFETCH(QString, mode);
        QFETCH(QString, chosen);
        QFETCH(QString, name);
        QFETCH(QString, selected);
        QFETCH(QString, expected);
        QFETCH(int, image);
        QFETCH(QString, status);
        Fixture x;
        TreeNode* s = x.at(selected);
        QVERIFY(s);
        x.f->selectNode(s);
        if (mode == "separator") x.mode("RBSeparator");
        if (mode == "folder") x.mode("RBFolder");
        if (mode == "file") x.chooseFile(chosen);
        x.typeName(name);
        const size_t nodesBefore = x.tree().nodeCount();
        const int pathsBefore = x.table().paths.length();
        const int chordsBefore = x.chords();
        const bool refused = status != "Ready";
        x.click("BitBtnAttach");
        QCOMPARE(x.f->StatusText(), status);
        if (refused) {
            QCOMPARE(x.tree().nodeCount(), nodesBefore);
            QCOMPARE(x.table().paths.length(), pathsBefore);
            QCOMPARE(x.chords(), chordsBefore + 1);
            QCOMPARE(x.box("MemoAddName")->text(), name);  // kept for a correction
            QCOMPARE(x.f->selectedNode(), s);
            return;
        }
        TreeNode* n = x.f->selectedNode();
        QVERIFY(n && n != s);
        QCOMPARE(n->prevSibling(), s);
        QCOMPARE(QString::fromStdString(n->text), expected);
        if (image >= 0) QCOMPARE(n->imageIndex, image);
        else QCOMPARE(n->imageIndex, x.t.program().store().counters.lastBreak + x.tree().capturedIcons);
        QCOMPARE(x.box("MemoAddName")->text(), QString());
        QCOMPARE(x.itemText()->text(), QString("Item Text"));
        if (mode == "folder") {
            QCOMPARE(n->childCount(), 1);
            QVERIFY(IsTopMarker(n->firstChild()));
        }
        // Separators and folders may be attached again; a file must be chosen anew.
        QCOMPARE(x.button("BitBtnAttach")->isEnabled(), mode != "file");
        if (mode == "file") QCOMPARE(QString::fromStdString(x.table().pathOf(n->itemNumber)), chosen);
        // The view shows the new row where the tree has it.
        QCOMPARE(TreeModelOf(x.f)->nodeAt(x.view()->currentIndex()), n);
    }

    // The installed applications come from a list the test hands over.
    void addApplicationsFromTheKeyboardIsOneUndoableEdit() {
        Fixture x;
        x.t.platform.applications = std::vector<InstalledApplication>{
            {"Writer", "Office;WordProcessor;", "/usr/share/applications/writer.desktop"},
            {"Paint", "Graphics;", "/usr/share/applications/paint.desktop"},
            {"Odd", "X-Own;", "/usr/share/applications/odd.desktop"},
        };
        auto* apps = x.button("BitBtnAddApps");
        QCOMPARE(apps->text(), QString("Add Appl&ications.."));
        x.f->selectNode(NodeNamed(x.tree(), "Orbel Kit"));
        QVERIFY(!apps->isEnabled());
        x.f->selectNode(x.node("Report"));
        QVERIFY(apps->isEnabled());
        const QString stored = ReadText(x.t.dir() + "shortcuts/shortcuts.txt");
        // The last stop of the tab chain, after Close.
        x.button("BitBtnClose")->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), apps);
        QTest::keyClick(apps, Qt::Key_Space);
        QCOMPARE(x.children(), QString(",Report,Applications,Tools,--News--,--Sysmenu--,Orbel Kit,Close"));
        TreeNode* folder = x.node("Applications");
        QCOMPARE(x.f->selectedNode(), folder);
        QCOMPARE(x.children(folder), QString(",Graphics,Office,Other"));
        QCOMPARE(x.children(folder->child(2)), QString(",Writer"));
        QVERIFY(x.expanded(folder));
        // Shown like any item pointing at a launcher; nothing stored yet.
        x.f->selectNode(folder->child(1)->child(1));
        QCOMPARE(Control<QLabel>(x.f, "LblFType")->text(), QString("Item Type: Shortcut item"));
        QCOMPARE(ReadText(x.t.dir() + "shortcuts/shortcuts.txt"), stored);
        x.click("BitBtnUndo");
        QCOMPARE(x.children(), QString(",Report,Tools,--News--,--Sysmenu--,Orbel Kit,Close"));
        // A desktop without applications: said so, nothing added.
        x.t.platform.applications = std::vector<InstalledApplication>{};
        const int chords = x.chords();
        x.click(apps);
        QCOMPARE(x.f->StatusText(), QString(mt::NoApplications));
        QCOMPARE(x.chords(), chords + 1);
        QCOMPARE(x.children(), QString(",Report,Tools,--News--,--Sysmenu--,Orbel Kit,Close"));
    }

    // An empty menu tells how to start, until it holds something.
    void emptyTreeShowsHowToStart() {
        testing::ManagerFixture x;
        auto* tree = x.view();
        QVERIFY(tree->placeholderText().contains("Add Applications.."));
        QVERIFY(tree->placeholderText().contains("Add.."));
        QVERIFY(tree->placeholderText().contains("drop"));
        x.t.platform.applications = std::vector<InstalledApplication>{
            {"Paint", "Graphics;", "/usr/share/applications/paint.desktop"}};
        x.click("BitBtnAddApps");
        QCOMPARE(tree->placeholderText(), QString());
        x.click("BitBtnUndo");
        QVERIFY(!tree->placeholderText().isEmpty());
    }

    void attachedProgramGetsEmptyParameters() {
        Fixture x;
        x.f->selectNode(x.node("Report"));
        x.chooseFile("/bin/true");
        QCOMPARE(x.box("MemoAddName")->text(), QString("true"));
        const int programs = x.table().programNumbers.length();
        x.click("BitBtnAttach");
        TreeNode* n = x.f->selectedNode();
        QVERIFY(HasItemEntry(n));
        QCOMPARE(x.table().programNumbers.length(), programs + 1);
        QCOMPARE(QString::fromStdString(x.table().GetItemParameters(n->itemNumber)), QString());
        QVERIFY(x.box("EditSParams")->isEnabled());  // a program's parameters are editable
    }

    void clipboardButtonsAfterEachOperation() {
        Fixture x;
        TreeNode* report = x.node("Report");
        TreeNode* tools = x.node("Tools");
        TreeNode* inner = x.node("Inner");
        x.f->selectNode(report);
        QCOMPARE(x.buttons(), QString("CO-D-"));
        x.click("BitBtnCut");
        QVERIFY(report->cut);
        // Pasting with the cut node itself selected leaves it where it is.
        QCOMPARE(x.buttons(), QString("COPD-"));
        x.click("BitBtnPaste");
        QCOMPARE(x.children(), QString(",Report,Tools,--News--,--Sysmenu--,Orbel Kit,Close"));
        x.click("BitBtnCut");
        x.f->selectNode(inner);
        QCOMPARE(x.buttons(), QString("COPD-"));
        x.click("BitBtnPaste");
        QCOMPARE(x.children(tools), QString(",Inner,Report"));
        QVERIFY(!report->cut);
        QCOMPARE(x.f->selectedNode(), report);
        QCOMPARE(x.buttons(), QString("CO-D-"));  // the clipboard is empty

        // Copy then Paste twice: two duplicates sharing the item number.
        x.click("BitBtnCopy");
        x.f->selectNode(x.at("0"));
        QCOMPARE(x.buttons(), QString("--P--"));
        x.click("BitBtnPaste");
        TreeNode* first = x.f->selectedNode();
        QCOMPARE(first->itemNumber, report->itemNumber);
        QCOMPARE(x.buttons(), QString("COPD-"));
        x.f->selectNode(x.node("--News--"));
        x.click("BitBtnPaste");
        QCOMPARE(x.children(), QString(",Report,Tools,--News--,Report,--Sysmenu--,Orbel Kit,Close"));

        // Cut, then Copy of another node: the first loses its mark.
        x.f->selectNode(x.node("--News--"));
        x.click("BitBtnCut");
        x.f->selectNode(inner);
        x.click("BitBtnCopy");
        QVERIFY(!x.node("--News--")->cut);

        // A folder: cut yes, copy no; deleting it takes the clipboard inside.
        x.f->selectNode(tools);
        QCOMPARE(x.buttons(), QString("C-PD-"));
        x.click("BitBtnDelete");
        QVERIFY(!x.node("Tools") && !x.node("Inner"));
        QVERIFY(x.f->selectedNode());
        QVERIFY(!x.f->clipboard());
        QVERIFY(!x.button("BitBtnPaste")->isEnabled());
    }

    void pasteRefusesBuiltInTargets_data() {
        QTest::addColumn<QString>("target");
        QTest::newRow("Sysmenu") << "--Sysmenu--";
        QTest::newRow("Orbel Kit") << "Orbel Kit";
        QTest::newRow("inside Orbel Kit") << "About";
        QTest::newRow("Close") << "Close";
    }
    void pasteRefusesBuiltInTargets() {
        QFETCH(QString, target);
        Fixture x;
        for (QPushButton* first : {x.button("BitBtnCut"), x.button("BitBtnCopy")}) {
            x.f->selectNode(x.node("Report"));
            x.click(first);
            x.f->selectNode(x.node(target));
            QVERIFY(!x.button("BitBtnPaste")->isEnabled());
            // Even a paste that gets through (a shortcut key) puts nothing there.
            const QString before = x.children();
            x.f->BitBtnPasteClick();
            QCOMPARE(x.children(), before);
            QCOMPARE(x.children(x.node("Orbel Kit")).count(','), 7);
        }
    }

    void filesDroppedOntoTheTree() {
        Fixture x;
        const QString d = x.t.dir() + "drops/";
        x.t.mkdir("drops/Some Dir");
        x.t.write("drops/plain.txt", "x");
        x.t.write("drops/README", "x");
        x.t.write("drops/Editor.desktop",
                  "[Desktop Entry]\nType=Application\nName=Editor\nExec=/bin/true --new \"my file\" %F\n");
        x.t.write("drops/Tool.lnk", QByteArray::fromStdString(test::LinkTo("/opt/tool/tool.exe", "-q \"a b\"")));
        x.t.write("drops/broken.lnk", "not a link");
        TreeNode* inner = x.node("Inner");
        const QPoint at = x.view()->visualRect(x.index(inner)).center();
        const int chordsBefore = x.chords();
        QVERIFY(DropFiles(
            x.f,
            {d + "plain.txt", d + "Some Dir", d + "README", d + "Editor.desktop", d + "Tool.lnk", d + "broken.lnk"},
            at));
        // After the node under the point, in the order the files came; the
        // unreadable shortcut is refused, the last good one is selected.
        QCOMPARE(x.children(x.node("Tools")), QString(",Inner,plain,Some Dir,README,Editor,tool"));
        QCOMPARE(x.f->selectedNode(), x.node("tool"));
        QCOMPARE(x.chords(), chordsBefore + 1);
        QCOMPARE(x.f->StatusText(), QString(mt::ShortcutUnreadablePrefix) + d + "broken.lnk");
        struct Want {
            const char* name;
            QString path;
            const char* params;
            bool program;
            int image;  // -1: captured
        };
        const Want wants[] = {
            {"plain", d + "plain.txt", "", false, -1},
            {"Some Dir", d + "Some Dir", "", false, 6},
            {"README", d + "README", "", false, 6},
            {"Editor", "/bin/true", "--new \"my file\"", true, 6},  // the entry's Name; no extension
            {"tool", "/opt/tool/tool.exe", "-q \"a b\"", true, -1},
        };
        for (const Want& w : wants) {
            const TreeNode* n = x.node(w.name);
            QVERIFY2(n, w.name);
            QCOMPARE(QString::fromStdString(x.table().pathOf(n->itemNumber)), w.path);
            QCOMPARE(QString::fromStdString(x.table().GetItemParameters(n->itemNumber)), QString(w.params));
            QCOMPARE(IsExecutableNode(n, x.table()), w.program);
            if (w.image >= 0) QCOMPARE(n->imageIndex, w.image);
            else QVERIFY2(n->imageIndex > x.t.program().store().counters.lastBreak, w.name);
        }
    }

    void filesDroppedWhereNothingMayGo_data() {
        QTest::addColumn<QString>("target");  // "" for below the last row
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("status");
        QTest::newRow("below the last node") << ""
                                             << "plain.txt" << mt::DropRefused;
        QTest::newRow("onto Close") << "Close"
                                    << "plain.txt" << mt::DropRefused;
        QTest::newRow("into Orbel Kit") << "About"
                                        << "plain.txt" << mt::DropRefused;
        QTest::newRow("a bar in the name") << "Report"
                                           << "a|b.txt" << mt::PathBar;
    }
    void filesDroppedWhereNothingMayGo() {
        QFETCH(QString, target);
        QFETCH(QString, file);
        QFETCH(QString, status);
        Fixture x;
        x.t.write("drops/" + file, "x");
        const QPoint at = target.isEmpty() ? QPoint(20, x.view()->viewport()->height() - 3)
                                           : x.view()->visualRect(x.index(x.node(target))).center();
        const size_t before = x.tree().nodeCount();
        const int paths = x.table().paths.length();
        const int chords = x.chords();
        DropFiles(x.f, {x.t.dir() + "drops/" + file, x.t.dir() + "drops/" + file}, at);
        QCOMPARE(x.tree().nodeCount(), before);
        QCOMPARE(x.table().paths.length(), paths);
        QCOMPARE(x.f->StatusText(), status);
        QCOMPARE(x.chords(), chords + 2);  // each file judged on its own
    }
};

int main(int argc, char** argv) {
    OrbelApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    app.setLoopRunning(true);
    ManagerEditingTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "manager_editing_test.moc"
