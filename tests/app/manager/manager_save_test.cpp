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
#include "app/program/orbel_application.h"
#include "app/images/image_lists.h"
#include "app/tray/live_menu.h"
#include "core/manager/tree_rules.h"
#include "core/program/texts.h"
#include "core/store/store_writer.h"
#include "support/manager_support.h"
#include "support/controls.h"
#include "support/test_program.h"

using namespace orbel;
using orbel::testing::Control;
using orbel::testing::NodeNamed;
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
        testing::ManagerFixture x(WriteStore);
        x.rename(x.node("Report"), "Summary");
        x.f->selectNode(x.node("Truth"));
        QTest::keyClick(x.box("EditSParams"), Qt::Key_End);
        QTest::keyClicks(x.box("EditSParams"), " -y");
        x.click("BitBtnSave");
        QCOMPARE(x.f->StatusText(), QString("Save succesful!"));
        QCOMPARE(Control<Timer>(x.f, "TimerStatusText")->interval(), 4750);
        QVERIFY(x.f->saved());
        QCOMPARE(testing::SoundsPlayed(x.t, "chimes.wav"), 1);
        QCOMPARE(x.chords(), 0);
        QVERIFY(!x.t.exists("item_bak"));
        QCOMPARE(StoreIndex(x.t), QString("^UnkLnk|/tmp/report.txt|txt|Summary\r\n"
                                          "^ExeLnk|/bin/true|-x -y|true.bmp|Truth\r\n^Folder|Tools\r\n"));
        QCOMPARE(ReadText(x.t.dir() + "shortcuts/Tools/shortcuts.txt"),
                 QString("^UnkLnk|/tmp/inner.txt|txt|Inner\r\n"));
        // Until the dialog closes the menu shows the store as last loaded.
        QCOMPARE(TrayCaptions(x.t).first(), QString("Report"));
        // Edits after the save are dropped by the close.
        x.rename(x.node("Truth"), "Later");
        x.click("BitBtnClose");
        QVERIFY(!x.f->isVisible());
        QVERIFY(!x.f->saved());
        QCOMPARE(TrayCaptions(x.t), QStringList({"Summary", "Truth", "Tools", "Sysmenu", "Orbel Kit", "Close"}));
        QVERIFY(x.node("Summary"));
        QVERIFY(!x.node("Later"));
        QCOMPARE(x.f->selectedNode(), x.tree().firstTopLevel());
        QVERIFY(x.t.program().trayReady());
        QVERIFY(x.f->treeChangeHandlerAttached());
    }

    void closingWithoutASaveTakesBackEveryEdit() {
        testing::ManagerFixture x(WriteStore);
        const QString before = StoreIndex(x.t);
        x.rename(x.node("Tools"), "Gadgets");
        TreeNode* truth = x.node("Truth");
        const int number = truth->itemNumber;
        x.f->selectNode(truth);
        QTest::keyClicks(x.box("EditSParams"), "zz");
        x.f->close();
        QVERIFY(!x.f->isVisible());
        QVERIFY(x.node("Tools"));
        QVERIFY(!x.node("Gadgets"));
        QCOMPARE(QString::fromStdString(x.table().GetItemParameters(number)), QString("-x"));
        QCOMPARE(StoreIndex(x.t), before);  // nothing written
        QCOMPARE(TrayCaptions(x.t).at(2), QString("Tools"));
        // Reopened, the tree shows the loaded state, folders collapsed.
        x.f->show();
        QCOMPARE(TreeModelOf(x.f)->rowCount(), 1 + 3 + 3);
        QVERIFY(!x.expanded(x.node("Tools")));
    }

    void undoGoesBackToTheLastSave() {
        testing::ManagerFixture x(WriteStore);
        ItemTree& tree = x.tree();
        x.rename(x.node("Report"), "First");
        x.click("BitBtnSave");
        QVERIFY(x.f->saved());
        x.rename(x.node("First"), "Second");
        TreeNode* truth = x.node("Truth");
        const int number = truth->itemNumber;
        x.f->selectNode(truth);
        QTest::keyClicks(x.box("EditSParams"), "zz");
        x.click("BitBtnUndo");
        QVERIFY(x.node("First"));
        QVERIFY(!x.node("Second"));
        QCOMPARE(QString::fromStdString(x.table().GetItemParameters(number)), QString("-x"));
        QCOMPARE(x.f->selectedNode(), tree.firstTopLevel());
        QCOMPARE(x.t.program().store().topAnchor, tree.firstTopLevel());
        QCOMPARE(Control<QLabel>(x.f, "LblFType")->text(),
                 QString("Item Type: Utility item"));  // the panel follows the selection
        QVERIFY(x.f->saved());                         // Undo does not forget the save
        // Again: nothing further changes.
        x.click("BitBtnUndo");
        QVERIFY(x.node("First"));
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
        testing::ManagerFixture x(WriteStore);
        const QString before = StoreIndex(x.t);
        x.rename(x.node("Report"), "Summary");
        TreeNode* edited = x.node("Summary");
        x.f->setSaveStepGate([step](SaveStep s, const std::string&) { return int(s) != step; });
        x.f->BitBtnSaveClick();
        QVERIFY2(x.f->StatusText().startsWith("Save unsuccesful! " + reasonStart), qPrintable(x.f->StatusText()));
        QVERIFY(x.f->StatusText().size() > QString("Save unsuccesful! ").size());
        QCOMPARE(x.chords(), 1);
        QVERIFY(!x.f->saved());
        QVERIFY(!x.t.program().endRequested());
        // The previous store is back in place, nothing left beside it.
        QCOMPARE(StoreIndex(x.t), before);
        QCOMPARE(ReadText(x.t.dir() + "shortcuts/Tools/shortcuts.txt"),
                 QString("^UnkLnk|/tmp/inner.txt|txt|Inner\r\n"));
        QVERIFY(!x.t.exists("item_bak"));
        // The tree is as the user left it, and the next try succeeds.
        QCOMPARE(x.node("Summary"), edited);
        QCOMPARE(x.f->selectedNode(), edited);
        x.f->setSaveStepGate({});
        x.f->BitBtnSaveClick();
        QCOMPARE(x.f->StatusText(), QString("Save succesful!"));
        QVERIFY(StoreIndex(x.t).startsWith("^UnkLnk|/tmp/report.txt|txt|Summary\r\n"));
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
        testing::ManagerFixture x([](TestProgram& t) {
            t.mkdir("alive");
            t.write("alive.txt", "x");
            t.write("shortcuts/shortcuts.txt", ("^UnkLnk|" + t.dir() + "gone.txt|txt|Gone\r\n^UnkLnk|" + t.dir() +
                                                "alive||Dir\r\n^Folder|Box\r\n"
                                                "^UnkLnk|" +
                                                t.dir() + "alive.txt/|txt|NotADir\r\n")
                                                   .toUtf8());
            t.write("shortcuts/Box/shortcuts.txt", ("^UnkLnk|" + t.dir() + "gone2.txt|txt|Inside\r\n").toUtf8());
        });
        x.f->selectNode(x.node("Dir"));
        x.click("BitBtnSweep");
        QVERIFY(!x.node("Gone"));
        QVERIFY(!x.node("Inside"));
        QVERIFY(!x.node("NotADir"));  // a trailing "/" asks for a directory
        QVERIFY(x.node("Dir"));
        TreeNode* box = x.node("Box");
        QVERIFY(box);
        QCOMPARE(box->childCount(), 1);  // only its top marker
        QCOMPARE(TreeModelOf(x.f)->rowCount(x.index(box)), 1);
        QCOMPARE(TreeModelOf(x.f)->rowCount(), 1 + 2 + 3);
        QCOMPARE(x.f->selectedNode(), x.tree().firstTopLevel());
        QCOMPARE(x.t.program().store().topAnchor, x.tree().firstTopLevel());
        QCOMPARE(x.chords(), 0);  // silent
        QVERIFY(x.t.notices.isEmpty());
        // Undo brings them back.
        x.f->BitBtnUndoClick();
        QVERIFY(x.node("Gone"));
        QVERIFY(x.node("Inside"));
    }

    void launchStartsTheItemWithItsParametersInMemory() {
        testing::ManagerFixture x([](TestProgram& t) {
            const QString script = t.writeRecorder();
            t.write("shortcuts/shortcuts.txt",
                    ("^ExeLnk|" + script + "|one|record.bmp|Record\r\n^UnkLnk|" + t.dir() + "gone.txt|txt|Gone\r\n")
                        .toUtf8());
        });
        x.f->selectNode(x.node("Record"));
        QTest::keyClick(x.box("EditSParams"), Qt::Key_End);
        QTest::keyClicks(x.box("EditSParams"), " two");  // not saved
        QVERIFY(x.button("BitBtnLaunch")->isEnabled());
        x.click("BitBtnLaunch");
        QTRY_COMPARE(ReadText(x.t.dir() + "args.txt"), QString("one\ntwo\n"));
        QVERIFY(x.t.notices.isEmpty());
        // A missing target gets the opening error, which names Sweep.
        x.f->selectNode(x.node("Gone"));
        x.f->BitBtnLaunchClick();
        QCOMPARE(x.t.notices.size(), 1);
        QCOMPARE(x.t.notices[0].text,
                 QString::fromStdString(texts::OpeningErrorText((x.t.dir() + "gone.txt").toStdString())));
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
        testing::ManagerFixture x(WriteStore);
        x.rename(x.node("Tools"), "Gadgets");
        QTest::keyClick(x.view(), Qt::Key_Escape);
        QVERIFY(!x.f->isVisible());
        QVERIFY(x.node("Tools"));
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
