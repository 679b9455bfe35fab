// The item manager's Save, Close, Undo, Sweep, Launch and Help, as the user
// meets them: the store on disk, the tray menu after closing, the status line.

#include <QAction>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include "app/manager/file_icons.h"
#include "app/manager/form_items.h"
#include "app/manager/item_tree_model.h"
#include "app/shell/orbel_application.h"
#include "app/store/image_lists.h"
#include "app/tray/live_menu.h"
#include "core/manager/tree_rules.h"
#include "core/shell/texts.h"
#include "core/store/store_writer.h"
#include "support/manager_support.h"
#include "support/controls.h"
#include "support/test_program.h"

using namespace orbel;
using orbel::testing::Control;
using orbel::testing::NodeAt;
using orbel::testing::NodeNamed;
using orbel::testing::OpenManager;
using orbel::testing::ReadText;
using orbel::testing::TestProgram;
using orbel::testing::TreeModelOf;
using orbel::testing::VisibleCaptions;

namespace {

QStringList TrayCaptions(TestProgram& t) {
    LiveMenu* menu = t.program().items()->liveMenu();
    menu->realise();
    return VisibleCaptions(menu);
}

void Rename(TFormItems* f, TreeNode* node, const QString& text) {
    f->selectNode(node);
    QTest::keyClick(Control<QLineEdit>(f, "EditSName"), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(Control<QLineEdit>(f, "EditSName"), text);
}

// Top level: marker, Report, Truth (/bin/true -x), Tools (Inner).
void WriteStore(TestProgram& t) {
    t.write("shortcuts/shortcuts.txt",
            "^UnkLnk|/tmp/report.txt|txt|Report\r\n^ExeLnk|/bin/true|-x|true.bmp|Truth\r\n^Folder|Tools\r\n");
    t.write("shortcuts/Tools/shortcuts.txt", "^UnkLnk|/tmp/inner.txt|txt|Inner\r\n");
}

QString StoreIndex(TestProgram& t) { return ReadText(t.dir() + "shortcuts/shortcuts.txt"); }

}  // namespace

class ManagerSaveTest : public QObject {
    Q_OBJECT
private slots:
    void saveWritesTheStoreAndCloseBringsItIntoTheMenu() {
        TestProgram t;
        WriteStore(t);
        TFormItems* f = OpenManager(t);
        ItemTree& tree = t.program().store().items;
        Rename(f, NodeNamed(tree, "Report"), "Summary");
        f->selectNode(NodeNamed(tree, "Truth"));
        QTest::keyClick(Control<QLineEdit>(f, "EditSParams"), Qt::Key_End);
        QTest::keyClicks(Control<QLineEdit>(f, "EditSParams"), " -y");
        QTest::mouseClick(Control<QPushButton>(f, "BitBtnSave"), Qt::LeftButton);
        QCOMPARE(f->StatusText(), QString("Save succesful!"));
        QCOMPARE(Control<Timer>(f, "TimerStatusText")->interval(), 4750);
        QVERIFY(f->saved());
        QCOMPARE(testing::SoundsPlayed(t, "chimes.wav"), 1);
        QCOMPARE(testing::SoundsPlayed(t, "chord.wav"), 0);
        QVERIFY(!t.exists("item_bak"));
        QCOMPARE(StoreIndex(t), QString("^UnkLnk|/tmp/report.txt|txt|Summary\r\n"
                                        "^ExeLnk|/bin/true|-x -y|true.bmp|Truth\r\n^Folder|Tools\r\n"));
        QCOMPARE(ReadText(t.dir() + "shortcuts/Tools/shortcuts.txt"), QString("^UnkLnk|/tmp/inner.txt|txt|Inner\r\n"));
        // Until the dialog closes the menu shows the store as last loaded.
        QCOMPARE(TrayCaptions(t).first(), QString("Report"));
        // Edits after the save are dropped by the close.
        Rename(f, NodeNamed(tree, "Truth"), "Later");
        QTest::mouseClick(Control<QPushButton>(f, "BitBtnClose"), Qt::LeftButton);
        QVERIFY(!f->isVisible());
        QVERIFY(!f->saved());
        QCOMPARE(TrayCaptions(t), QStringList({"Summary", "Truth", "Tools", "Sysmenu", "Orbel Kit", "Close"}));
        QVERIFY(NodeNamed(t.program().store().items, "Summary"));
        QVERIFY(!NodeNamed(t.program().store().items, "Later"));
        QCOMPARE(f->selectedNode(), t.program().store().items.firstTopLevel());
        QVERIFY(t.program().trayReady());
        QVERIFY(f->treeChangeHandlerAttached());
    }

    void closingWithoutASaveTakesBackEveryEdit() {
        TestProgram t;
        WriteStore(t);
        TFormItems* f = OpenManager(t);
        ItemTree& tree = t.program().store().items;
        const QString before = StoreIndex(t);
        Rename(f, NodeNamed(tree, "Tools"), "Gadgets");
        TreeNode* truth = NodeNamed(tree, "Truth");
        const int number = truth->itemNumber;
        f->selectNode(truth);
        QTest::keyClicks(Control<QLineEdit>(f, "EditSParams"), "zz");
        f->close();
        QVERIFY(!f->isVisible());
        QVERIFY(NodeNamed(t.program().store().items, "Tools"));
        QVERIFY(!NodeNamed(t.program().store().items, "Gadgets"));
        QCOMPARE(QString::fromStdString(t.program().store().table.GetItemParameters(number)), QString("-x"));
        QCOMPARE(StoreIndex(t), before);  // nothing written
        QCOMPARE(TrayCaptions(t).at(2), QString("Tools"));
        // Reopened, the tree shows the loaded state, folders collapsed.
        f->show();
        QCOMPARE(TreeModelOf(f)->rowCount(), 1 + 3 + 3);
        QVERIFY(!Control<TkvWinTreeView>(f, "TVItems")
                     ->isExpanded(TreeModelOf(f)->indexOf(NodeNamed(t.program().store().items, "Tools"))));
    }

    void undoGoesBackToTheLastSave() {
        TestProgram t;
        WriteStore(t);
        TFormItems* f = OpenManager(t);
        ItemTree& tree = t.program().store().items;
        Rename(f, NodeNamed(tree, "Report"), "First");
        QTest::mouseClick(Control<QPushButton>(f, "BitBtnSave"), Qt::LeftButton);
        QVERIFY(f->saved());
        Rename(f, NodeNamed(tree, "First"), "Second");
        TreeNode* truth = NodeNamed(tree, "Truth");
        const int number = truth->itemNumber;
        f->selectNode(truth);
        QTest::keyClicks(Control<QLineEdit>(f, "EditSParams"), "zz");
        QTest::mouseClick(Control<QPushButton>(f, "BitBtnUndo"), Qt::LeftButton);
        QVERIFY(NodeNamed(tree, "First"));
        QVERIFY(!NodeNamed(tree, "Second"));
        QCOMPARE(QString::fromStdString(t.program().store().table.GetItemParameters(number)), QString("-x"));
        QCOMPARE(f->selectedNode(), tree.firstTopLevel());
        QCOMPARE(t.program().store().topAnchor, tree.firstTopLevel());
        QCOMPARE(Control<QLabel>(f, "LblFType")->text(),
                 QString("Item Type: Utility item"));  // the panel follows the selection
        QVERIFY(f->saved());                           // Undo does not forget the save
        // Again: nothing further changes.
        QTest::mouseClick(Control<QPushButton>(f, "BitBtnUndo"), Qt::LeftButton);
        QVERIFY(NodeNamed(tree, "First"));
    }

    void undoTrimsCapturedIcons() {
        TestProgram t;
        WriteStore(t);
        t.startUp();
        TFormItems* f = t.program().items();
        ItemStore& store = t.program().store();
        const int before = t.program().images()->count();
        const int index = CaptureFileIcon(store, t.dir() + "errorlog.txt");
        store.items.capturedIcons += 1;
        QCOMPARE(index, before);
        QCOMPARE(index, store.counters.lastBreak + store.items.capturedIcons);
        QCOMPARE(t.program().images()->count(), before + 1);
        QCOMPARE(t.program().images()->menuImage(index).size(), QSize(16, 16));
        QCOMPARE(t.program().images()->treeImage(index).size(), QSize(16, 18));
        f->BitBtnUndoClick();
        QCOMPARE(t.program().images()->count(), before);
        QCOMPARE(store.items.capturedIcons, 0);
        // The freed index goes to the next capture.
        QCOMPARE(CaptureFileIcon(store, t.dir() + "x"), index);
    }

    void aFailedWriteKeepsTheTreeAndTheOldStore_data() {
        QTest::addColumn<int>("step");
        QTest::addColumn<QString>("reasonStart");
        QTest::newRow("index file") << int(SaveStep::WriteIndex) << "";
        QTest::newRow("folder directory") << int(SaveStep::CreateDirectory) << "";
        QTest::newRow("icon bitmap") << int(SaveStep::WriteBitmap) << "";
        QTest::newRow("rename refused") << int(SaveStep::RenameStore)
                                        << "Possibly \"locked\" files (e.g. a file opened by another program)";
    }
    void aFailedWriteKeepsTheTreeAndTheOldStore() {
        QFETCH(int, step);
        QFETCH(QString, reasonStart);
        TestProgram t;
        WriteStore(t);
        TFormItems* f = OpenManager(t);
        ItemTree& tree = t.program().store().items;
        const QString before = StoreIndex(t);
        Rename(f, NodeNamed(tree, "Report"), "Summary");
        TreeNode* edited = NodeNamed(tree, "Summary");
        f->setSaveStepGate([step](SaveStep s, const std::string&) { return int(s) != step; });
        f->BitBtnSaveClick();
        QVERIFY2(f->StatusText().startsWith("Save unsuccesful! " + reasonStart), qPrintable(f->StatusText()));
        QVERIFY(f->StatusText().size() > QString("Save unsuccesful! ").size());
        QCOMPARE(testing::SoundsPlayed(t, "chord.wav"), 1);
        QVERIFY(!f->saved());
        QVERIFY(!t.program().endRequested());
        // The previous store is back in place, nothing left beside it.
        QCOMPARE(StoreIndex(t), before);
        QCOMPARE(ReadText(t.dir() + "shortcuts/Tools/shortcuts.txt"), QString("^UnkLnk|/tmp/inner.txt|txt|Inner\r\n"));
        QVERIFY(!t.exists("item_bak"));
        // The tree is as the user left it, and the next try succeeds.
        QCOMPARE(NodeNamed(tree, "Summary"), edited);
        QCOMPARE(f->selectedNode(), edited);
        f->setSaveStepGate({});
        f->BitBtnSaveClick();
        QCOMPARE(f->StatusText(), QString("Save succesful!"));
        QVERIFY(StoreIndex(t).startsWith("^UnkLnk|/tmp/report.txt|txt|Summary\r\n"));
    }

    void saveRecreatesAVanishedStoreAndClearsALeftoverBackup() {
        TestProgram t;
        WriteStore(t);
        t.startUp();
        TFormItems* f = t.program().items();
        QVERIFY(QDir(t.dir() + "shortcuts").removeRecursively());
        t.write("item_bak/shortcuts.txt", "^SpeSep|Old\r\n");
        f->BitBtnSaveClick();
        QCOMPARE(f->StatusText(), QString("Save succesful!"));
        QVERIFY(StoreIndex(t).startsWith("^UnkLnk|/tmp/report.txt|txt|Report\r\n"));
        QVERIFY(!t.exists("item_bak"));
    }

    void iconBitmapsAreRowsOneToSixteenOfTheTreeImage() {
        TestProgram t;
        // A loaded icon of its own, so that the bitmap must come from it.
        QImage red(16, 16, QImage::Format_RGB32);
        red.fill(QColor(200, 0, 0));
        t.mkdir("shortcuts");
        QVERIFY(red.save(t.dir() + "shortcuts/true.bmp", "BMP"));
        t.write("shortcuts/shortcuts.txt",
                "^ExeLnk|/bin/true||true.bmp|One\r\n^ExeLnk|/usr/bin/true||true.bmp|Two\r\n");
        t.startUp();
        TFormItems* f = t.program().items();
        // Nothing was drawn yet: the save itself must read the pictures
        // before the store moves aside.
        f->BitBtnSaveClick();
        QCOMPARE(f->StatusText(), QString("Save succesful!"));
        // Same program name twice in one folder: two bitmaps.
        QCOMPARE(StoreIndex(t), QString("^ExeLnk|/bin/true||true.bmp|One\r\n^ExeLnk|/usr/bin/true||true1.bmp|Two\r\n"));
        for (const char* name : {"shortcuts/true.bmp", "shortcuts/true1.bmp"}) {
            QImage written(t.dir() + name, "BMP");
            QVERIFY2(!written.isNull(), name);
            QCOMPARE(written.convertToFormat(QImage::Format_RGB32), red);
        }
        // After the reload each keeps its picture through the next save.
        f->close();
        f->BitBtnSaveClick();
        QCOMPARE(f->StatusText(), QString("Save succesful!"));
        QCOMPARE(QImage(t.dir() + "shortcuts/true1.bmp", "BMP").convertToFormat(QImage::Format_RGB32), red);
        QVERIFY(!t.exists("item_bak"));
    }

    void sweepRemovesDeadItemsOnly() {
        TestProgram t;
        t.mkdir("alive");
        t.write("alive.txt", "x");
        t.write("shortcuts/shortcuts.txt", ("^UnkLnk|" + t.dir() + "gone.txt|txt|Gone\r\n^UnkLnk|" + t.dir() +
                                            "alive||Dir\r\n^Folder|Box\r\n"
                                            "^UnkLnk|" +
                                            t.dir() + "alive.txt/|txt|NotADir\r\n")
                                               .toUtf8());
        t.write("shortcuts/Box/shortcuts.txt", ("^UnkLnk|" + t.dir() + "gone2.txt|txt|Inside\r\n").toUtf8());
        TFormItems* f = OpenManager(t);
        ItemTree& tree = t.program().store().items;
        f->selectNode(NodeNamed(tree, "Dir"));
        QTest::mouseClick(Control<QPushButton>(f, "BitBtnSweep"), Qt::LeftButton);
        QVERIFY(!NodeNamed(tree, "Gone"));
        QVERIFY(!NodeNamed(tree, "Inside"));
        QVERIFY(!NodeNamed(tree, "NotADir"));  // a trailing "/" asks for a directory
        QVERIFY(NodeNamed(tree, "Dir"));
        TreeNode* box = NodeNamed(tree, "Box");
        QVERIFY(box);
        QCOMPARE(box->childCount(), 1);  // only its top marker
        QCOMPARE(TreeModelOf(f)->rowCount(TreeModelOf(f)->indexOf(box)), 1);
        QCOMPARE(TreeModelOf(f)->rowCount(), 1 + 2 + 3);
        QCOMPARE(f->selectedNode(), tree.firstTopLevel());
        QCOMPARE(t.program().store().topAnchor, tree.firstTopLevel());
        QCOMPARE(testing::SoundsPlayed(t, "chord.wav"), 0);  // silent
        QVERIFY(t.notices.isEmpty());
        // Undo brings them back.
        f->BitBtnUndoClick();
        QVERIFY(NodeNamed(tree, "Gone"));
        QVERIFY(NodeNamed(tree, "Inside"));
    }

    void launchStartsTheItemWithItsParametersInMemory() {
        TestProgram t;
        const QString script = t.writeRecorder();
        t.write(
            "shortcuts/shortcuts.txt",
            ("^ExeLnk|" + script + "|one|record.bmp|Record\r\n^UnkLnk|" + t.dir() + "gone.txt|txt|Gone\r\n").toUtf8());
        TFormItems* f = OpenManager(t);
        ItemTree& tree = t.program().store().items;
        f->selectNode(NodeNamed(tree, "Record"));
        QTest::keyClick(Control<QLineEdit>(f, "EditSParams"), Qt::Key_End);
        QTest::keyClicks(Control<QLineEdit>(f, "EditSParams"), " two");  // not saved
        QVERIFY(Control<QPushButton>(f, "BitBtnLaunch")->isEnabled());
        QTest::mouseClick(Control<QPushButton>(f, "BitBtnLaunch"), Qt::LeftButton);
        QTRY_COMPARE(ReadText(t.dir() + "args.txt"), QString("one\ntwo\n"));
        QVERIFY(t.notices.isEmpty());
        // A missing target gets the opening error, which names Sweep.
        f->selectNode(NodeNamed(tree, "Gone"));
        f->BitBtnLaunchClick();
        QCOMPARE(t.notices.size(), 1);
        QCOMPARE(t.notices[0].text,
                 QString::fromStdString(texts::OpeningErrorText((t.dir() + "gone.txt").toStdString())));
    }

    void helpOpensTheHelpPageOrSaysItIsMissing() {
        TestProgram t;
        t.startUp();
        TFormItems* f = t.program().items();
        QTest::mouseClick(Control<QPushButton>(f, "BitBtnHelp"), Qt::LeftButton);
        QCOMPARE(t.notices.size(), 1);
        QCOMPARE(t.notices[0].text, QString::fromStdString(texts::NotFoundText((t.dir() + "help.html").toStdString())));
    }

    void escapeClosesLikeTheCloseButton() {
        TestProgram t;
        WriteStore(t);
        TFormItems* f = OpenManager(t);
        Rename(f, NodeNamed(t.program().store().items, "Tools"), "Gadgets");
        QTest::keyClick(Control<TkvWinTreeView>(f, "TVItems"), Qt::Key_Escape);
        QVERIFY(!f->isVisible());
        QVERIFY(NodeNamed(t.program().store().items, "Tools"));
    }
};

int main(int argc, char** argv) {
    OrbelApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    app.setLoopRunning(true);
    ManagerSaveTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "manager_save_test.moc"
